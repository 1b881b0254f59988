#include "script-setup/script/script-parameters-editor.h"

#include "memory-host/catalogue-service.h"
#include "memory-host/memory-host.h"
#include "plugin/entry.h"
#include "qt4-pavo7/reusable/common-edit.h"
#include "qt4-pavo7/reusable/known-servers.h"
#include "script-setup/script/object-selector.h"
#include "script-setup/script/script-header.h"
#include "tests/support/screenshot.h"
#include "utils/text.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using Reusable::ParameterRecord;

namespace {

class ParametersForm : public testing::Test
{
protected:
    void SetUp() override
    {
        host.tree().make_folder("/DEMO/channels/ch1");
        host.tree().put_string("/DEMO/channels/ch1", "name", "Entrance");
        host.tree().make_folder("/DEMO/channels/ch2");
        host.tree().put_string("/DEMO/channels/ch2", "name", "Lobby");
        host.tree().make_folder("/NORTH", "Server");
        Rizurividuvez::Catalogue catalogue;
        catalogue.objects = {{"r1", "Relay 1", "Relay", "DEMO"},
                             {"r2", "Relay 2", "Relay", "DEMO"},
                             {"c1", "Cam 1", "Camera", "DEMO"}};
        catalogue_.reset(new memory_host::MemoryCatalogueService(catalogue));
        host.offer_service("DEMO", catalogue_);
        vx_init(&host);
        Reusable::known_servers::remember(host.server_root());
        container.reset(new QWidget);
        container->resize(560, 100);
        layout = new QGridLayout(container.get());
        editor = new ScriptParametersEditor("DEMO", layout, container.get());
        changed.reset(new QSignalSpy(editor, &Reusable::UniversalParametersEditor::changed));
    }
    void TearDown() override
    {
        container.reset();
        Reusable::known_servers::forget_all();
        vx_init(nullptr);
        host.drop_services();
    }
    void settle()
    {
        catalogue_->wait_idle();
        QApplication::processEvents();
    }
    QWidget *widget_at(int row) const
    {
        QLayoutItem *item = layout->itemAtPosition(row, 1);
        return item ? item->widget() : nullptr;
    }
    QLabel *label_at(int row) const
    {
        QLayoutItem *item = layout->itemAtPosition(row, 0);
        return item ? qobject_cast<QLabel *>(item->widget()) : nullptr;
    }
    std::map<QString, ParameterRecord> stored() const
    {
        std::map<QString, ParameterRecord> out;
        for (const ParameterRecord &r : Reusable::parse_parameters(editor->get_values()).items)
            out[r.id] = r;
        return out;
    }

    memory_host::MemoryHost host{"DEMO"};
    boost::shared_ptr<memory_host::MemoryCatalogueService> catalogue_;
    std::unique_ptr<QWidget> container;
    QGridLayout *layout = nullptr;
    ScriptParametersEditor *editor = nullptr;
    std::unique_ptr<QSignalSpy> changed;
};

std::string declare(const std::string &parameters)
{
    return "<parameters>" + parameters + "</parameters>";
}

// What an operator reads in an editor.
QString shown(QWidget *w)
{
    if (auto *box = qobject_cast<QAbstractSpinBox *>(w))
        return box->text();
    if (auto *box = qobject_cast<QComboBox *>(w))
        return box->currentText();
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    if (auto *box = qobject_cast<QCheckBox *>(w))
        return box->isChecked() ? "checked" : "unchecked";
    if (auto *edit = qobject_cast<Reusable::QCommonEdit *>(w))
        return edit->findChild<QComboBox *>()->currentText();
    if (auto *selector = qobject_cast<QObjectSelector *>(w))
        return selector->text();
    return QString();
}

void key(QWidget *w, Qt::Key k)
{
    QWidget *target = w->focusProxy() ? w->focusProxy() : w;
    QTest::keyClick(target, k);
}

TEST_F(ParametersForm, EveryTypeShowsItsValueAndStoresTheEditedOne)
{
    const struct
    {
        const char *type;
        const char *value;
        const char *extra;
        const char *shows;
        std::function<void(QWidget *)> edit;
        const char *stores;
    } rows[] = {
        {"integer", "5", "<min>0</min><max>10</max><suffix> s</suffix>", "5 s",
         [](QWidget *w) { key(w, Qt::Key_Up); }, "6"},
        {"float", "2.5", "<max>3</max>", "2.50", [](QWidget *w) { key(w, Qt::Key_Up); }, "3"},
        {"string", "Hello", "", "Hello", [](QWidget *w) { QTest::keyClicks(w, " you"); },
         "Hello you"},
        {"date", "30.12.2026", "", "30.12.2026", [](QWidget *w) { key(w, Qt::Key_Up); },
         "31.12.2026"},
        {"date", "2026-03-01", "", "01.03.2026", [](QWidget *w) { key(w, Qt::Key_Up); },
         "02.03.2026"},
        {"time", "19:30:00", "", "19:30:00", [](QWidget *w) { key(w, Qt::Key_Up); }, "20:30:00"},
        {"string_list", "a,b", "", "a,b", [](QWidget *w) { QTest::keyClicks(w, ",c"); }, "a,b,c"},
        {"string_from_list", "Relay 2", "<string_list>Relay 1, Relay 2 ,Relay 3</string_list>",
         "Relay 2", [](QWidget *w) { key(w, Qt::Key_Down); }, "Relay 3"},
        {"checkbox", "1", "", "checked", [](QWidget *w) { key(w, Qt::Key_Space); }, "0"},
        {"boolean", "1", "", "checked",
         [](QWidget *w) {
             key(w, Qt::Key_Space);
             key(w, Qt::Key_Space);
         },
         "True"},
        {"channel", "ch2_DEMO", "", "Lobby", [](QWidget *w) { key(w, Qt::Key_Up); }, "ch1_DEMO"},
        {"gpio_out", "Relay 1", "", "Relay 1",
         [](QWidget *w) { QTest::keyClicks(w->focusProxy(), "0"); }, "Relay 10"},
        {"server", "DEMO", "", "DEMO", [](QWidget *w) { key(w, Qt::Key_Down); }, "NORTH"},
        {"objects", "Cam 1", "", "Cam 1",
         [](QWidget *w) {
             qobject_cast<QObjectSelector *>(w)->objects_accepted(
                 "object(\"Cam 2\")@ object(\"Door \"A\"\")");
         },
         "Cam 2,Door \"A\""},
    };
    std::string parameters = "<parameter><type>caption</type><name>Every type</name></parameter>";
    for (size_t i = 0; i < std::size(rows); ++i)
        parameters += "<parameter><type>" + std::string(rows[i].type) + "</type><id>p" +
                      std::to_string(i) + "</id><name>" + rows[i].type + "</name><value>" +
                      rows[i].value + "</value>" + rows[i].extra + "</parameter>";
    editor->set_description(declare(parameters));
    container->show();
    settle();
    ASSERT_EQ(int(std::size(rows)) + 1, editor->parameters_count());
    EXPECT_EQ("<b>Every type</b>",
              qobject_cast<QLabel *>(layout->itemAtPosition(0, 0)->widget())->text());
    save_screenshot(container.get(), "parameters-every-type");

    for (size_t i = 0; i < std::size(rows); ++i) {
        const int row = int(i) + 1;
        QWidget *w = widget_at(row);
        ASSERT_TRUE(w) << rows[i].type;
        EXPECT_EQ(QString(rows[i].type), label_at(row)->text());
        EXPECT_EQ(w, label_at(row)->buddy());
        EXPECT_EQ(QString(rows[i].shows), shown(w)) << rows[i].type;
        EXPECT_EQ(QString(rows[i].value), stored()["p" + QString::number(i)].value)
            << rows[i].type << ": nothing is stored before an edit";
        changed->clear();
        rows[i].edit(w);
        EXPECT_FALSE(changed->isEmpty()) << rows[i].type;
        EXPECT_EQ(QString(rows[i].stores), stored()["p" + QString::number(i)].value)
            << rows[i].type;
    }
}

TEST_F(ParametersForm, TurnOnRulesSwitchRowsWhileTheirValueIsChosen)
{
    editor->set_description(
        declare("<parameter><type>checkbox</type><id>sw</id><value>0</value>"
                "<turn_on>1 = {a, b}</turn_on><turn_on>on={c}</turn_on><turn_on>x == y</turn_on>"
                "</parameter>"
                "<parameter><type>string</type><id>a</id></parameter>"
                "<parameter><type>checkbox</type><id>b</id><value>1</value><turn_on>1={c}</turn_on>"
                "</parameter>"
                "<parameter><type>string</type><id>c</id><value>x</value><turn_on>x={b}</turn_on>"
                "</parameter>"
                "<parameter><type>string</type><id>d</id><enabled>False</enabled></parameter>"
                "<parameter><type>string</type><id>e</id><enabled>yes 1</enabled></parameter>"));
    EXPECT_TRUE(host.log().contains("Parameters editor: wrong 'turn_on' format 'x == y'", 2));
    auto enabled = [this] {
        std::string s;
        for (int row = 0; row < editor->parameters_count(); ++row)
            s += widget_at(row)->isEnabled() && label_at(row)->isEnabled() ? '+' : '-';
        return s;
    };
    // b goes off with sw, and c with b; d is declared off.
    EXPECT_EQ("+----+", enabled());
    const struct
    {
        int row;
        const char *after;
    } clicks[] = {{0, "++++-+"}, {2, "+++--+"}, {0, "+----+"}, {0, "+++--+"}};
    for (const auto &click : clicks) {
        QTest::keyClick(widget_at(click.row), Qt::Key_Space);
        EXPECT_EQ(click.after, enabled()) << "after a click on row " << click.row;
    }
}

TEST_F(ParametersForm, StoredValuesKeepTheirOrderFormAndDeclaredTypes)
{
    const std::string ts = "<TS><context><message><source>Delay</source>"
                           "<translation>Pause</translation></message>"
                           "<message><source>Mode</source>"
                           "<translation type=\"unfinished\">Modus</translation></message>"
                           "</context></TS>";
    editor->set_description(script_header::translate_declaration(
        declare("<parameter><type>integer</type><id>delay</id><name>Delay</name><value>5</value>"
                "<suffix> s</suffix><column>0</column><min>1</min><turn_on>5={mode}</turn_on>"
                "<max>9</max></parameter>"
                "<parameter><type>string</type><id>mode</id><name>Mode</name><value>fast</value>"
                "</parameter>"
                "<parameter><type>string</type><id>extra</id><name>Kept</name></parameter>"),
        ts));
    EXPECT_EQ("Pause", label_at(0)->text());
    EXPECT_EQ("Mode", label_at(1)->text()) << "an unfinished translation is not shown";

    const std::string stored_before =
        "<parameters>"
        "<parameter><type>integer</type><id>delay</id><value>7</value></parameter>"
        "<parameter><type>integer</type><id>mode</id><value>3</value></parameter>"
        "<parameter><type>string</type><id>gone</id><name>Gone</name><value>g</value>"
        "<b>2</b><a>1</a></parameter></parameters>";
    editor->set_values("<parameters><parameter>", true);
    EXPECT_EQ(3, editor->parameters_count()) << "an unparsable document changes nothing";
    editor->set_values(stored_before);
    EXPECT_EQ("7 s", shown(widget_at(0)));
    EXPECT_EQ("fast", shown(widget_at(1))) << "a value of another type is ignored";
    EXPECT_EQ(3, editor->parameters_count()) << "unknown parameters are dropped";
    EXPECT_TRUE(changed->isEmpty());

    editor->set_values(stored_before, true);
    EXPECT_EQ(5, editor->parameters_count()) << "unknown ones are appended, other types too";
    EXPECT_EQ("g", shown(widget_at(4)));
    EXPECT_EQ("<parameters>\n"
              " <parameter>\n  <type>integer</type>\n  <id>delay</id>\n  <name>Pause</name>\n"
              "  <value>7</value>\n  <max>9</max>\n  <min>1</min>\n  <suffix> s</suffix>\n"
              " </parameter>\n"
              " <parameter>\n  <type>string</type>\n  <id>mode</id>\n  <name>Mode</name>\n"
              "  <value>fast</value>\n </parameter>\n"
              " <parameter>\n  <type>string</type>\n  <id>extra</id>\n  <name>Kept</name>\n"
              "  <value></value>\n </parameter>\n"
              " <parameter>\n  <type>integer</type>\n  <id>mode</id>\n  <name></name>\n"
              "  <value>3</value>\n </parameter>\n"
              " <parameter>\n  <type>string</type>\n  <id>gone</id>\n  <name>Gone</name>\n"
              "  <value>g</value>\n  <a>1</a>\n  <b>2</b>\n </parameter>\n"
              "</parameters>\n",
              editor->get_values());
}

TEST_F(ParametersForm, ServerListRefusedStillOffersTheOwnServer)
{
    memory_host::FaultRule rule;
    rule.op = "ls";
    rule.message = "no servers for you";
    host.tree().fail_calls(rule);
    editor->set_description(
        declare("<parameter><type>server</type><id>s</id><value>FAR</value></parameter>"));
    auto *box = qobject_cast<QComboBox *>(widget_at(0));
    ASSERT_TRUE(box);
    EXPECT_EQ("FAR", box->currentText()) << "a stored server the client lacks is kept";
    EXPECT_EQ("DEMO", box->itemText(0));
    EXPECT_TRUE(host.log().contains("QServerSelector: no servers for you", 2));
}

} // namespace
