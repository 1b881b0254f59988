#include "script-setup/script/script-parameters-editor.h"

#include "memory-host/catalogue-service.h"
#include "memory-host/memory-host.h"
#include "plugin/entry.h"
#include "qt4-pavo7/reusable/known-servers.h"
#include "script-setup/script/object-selector.h"
#include "tests/script-setup/script/script-fixture.h"
#include "tests/support/screenshot.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

class ParametersForm : public testing::Test
{
protected:
    void SetUp() override
    {
        host.tree().put_string("/DEMO/channels/ch1", "name", "Entrance");
        host.tree().put_string("/DEMO/channels/ch2", "name", "Lobby");
        host.tree().make_folder("/NORTH", "Server");
        Rizurividuvez::Catalogue catalogue;
        catalogue.objects = {{"r1", "Relay 1", "Relay", "DEMO"},
                             {"c1", "Cam 1", "Camera", "DEMO"},
                             {"d1", "Door \"A\"", "Camera", "DEMO"}};
        catalogue_.reset(new memory_host::MemoryCatalogueService(catalogue));
        host.offer_service("DEMO", catalogue_);
        vx_init(&host);
        Reusable::known_servers::remember(host.server_root());
        container.reset(new QWidget);
        container->resize(560, 100);
        layout = new QGridLayout(container.get());
        editor = new ScriptParametersEditor("DEMO", layout, container.get());
    }
    void TearDown() override
    {
        container.reset();
        Reusable::known_servers::forget_all();
        vx_init(nullptr);
        host.drop_services();
    }
    // Opens the selector's objects dialog, toggles each object's tick and
    // presses OK.
    void toggle_in_dialog(QObjectSelector *selector, const QStringList &names)
    {
        QTest::mouseClick(selector->findChild<QToolButton *>("objects_browse"), Qt::LeftButton);
        catalogue_->wait_idle();
        settle_events();
        auto *dialog = selector->findChild<QDialog *>();
        ASSERT_TRUE(dialog);
        auto *tree = dialog->findChild<QTreeView *>("objectsTree");
        for (const QString &name : names)
            click_check_box(tree, tree->model()
                                      ->match(tree->model()->index(0, 0), Qt::DisplayRole, name, 1,
                                              Qt::MatchExactly | Qt::MatchRecursive)
                                      .value(0));
        QTest::mouseClick(dialog->findChild<QPushButton *>("ok_button"), Qt::LeftButton);
        settle_events();
    }
    QWidget *widget_at(int row) const { return layout->itemAtPosition(row, 1)->widget(); }
    QLabel *label_at(int row) const
    {
        return qobject_cast<QLabel *>(layout->itemAtPosition(row, 0)->widget());
    }
    QString stored_value(const QString &id) const
    {
        for (const auto &r : Reusable::parse_parameters(editor->get_values()).items)
            if (r.id == id)
                return r.value;
        return "<none>";
    }

    memory_host::MemoryHost host{"DEMO"};
    boost::shared_ptr<memory_host::MemoryCatalogueService> catalogue_;
    std::unique_ptr<QWidget> container;
    QGridLayout *layout = nullptr;
    ScriptParametersEditor *editor = nullptr;
};

std::string declare(const std::string &parameters)
{
    return "<parameters>" + parameters + "</parameters>";
}

// What an operator reads in an editor (composites show it in their focus proxy).
QString shown(QWidget *w)
{
    w = w->focusProxy() ? w->focusProxy() : w;
    if (auto *box = qobject_cast<QAbstractSpinBox *>(w))
        return box->text();
    if (auto *box = qobject_cast<QComboBox *>(w))
        return box->currentText();
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    return qobject_cast<QCheckBox *>(w)->isChecked() ? "checked" : "unchecked";
}

TEST_F(ParametersForm, EveryTypeShowsItsValueAndStoresTheEditedOne)
{
    const struct
    {
        const char *type, *value, *extra, *shows;
        Qt::Key key;       // pressed in the editor, then
        const char *typed; // typed into it (for objects: the names ticked or unticked)
        const char *stores;
    } rows[] = {
        {"integer", "5", "<min>0</min><max>10</max><suffix> s</suffix>", "5 s", Qt::Key_Up, "",
         "6"},
        {"float", "2.5", "<max>3</max>", "2.5", Qt::Key_Up, "", "3"},
        {"string", "Hello", "", "Hello", Qt::Key_End, " you", "Hello you"},
        {"date", "30.12.2026", "", "30.12.2026", Qt::Key_Up, "", "31.12.2026"},
        {"date", "2026-03-01", "", "01.03.2026", Qt::Key_Up, "", "02.03.2026"},
        {"time", "19:30:00", "", "19:30:00", Qt::Key_Up, "", "20:30:00"},
        {"string_list", "a,b", "", "a,b", Qt::Key_End, ",c", "a,b,c"},
        {"string_from_list", "Relay 2", "<string_list>Relay 1, Relay 2 ,Relay 3</string_list>",
         "Relay 2", Qt::Key_Down, "", "Relay 3"},
        {"checkbox", "1", "", "checked", Qt::Key_Space, "", "0"},
        {"boolean", "1", "", "checked", Qt::Key_Space, " ", "True"},
        {"channel", "ch2_DEMO", "", "Lobby", Qt::Key_Up, "", "ch1_DEMO"},
        {"gpio_out", "Relay 1", "", "Relay 1", Qt::Key_End, "0", "Relay 10"},
        {"server", "DEMO", "", "DEMO", Qt::Key_Down, "", "NORTH"},
        {"objects", "Cam 1", "", "Cam 1", Qt::Key_End, "Cam 1,Door \"A\"", "Door \"A\""},
    };
    std::string parameters = "<parameter><type>caption</type><name>Every type</name></parameter>";
    for (size_t i = 0; i < std::size(rows); ++i)
        parameters += "<parameter><type>" + std::string(rows[i].type) + "</type><id>p" +
                      std::to_string(i) + "</id><name>" + rows[i].type + "</name><value>" +
                      rows[i].value + "</value>" + rows[i].extra + "</parameter>";
    editor->set_description(declare(parameters));
    container->show();
    catalogue_->wait_idle();
    QApplication::processEvents();
    ASSERT_EQ(int(std::size(rows)) + 1, editor->parameters_count());
    EXPECT_EQ("<b>Every type</b>", label_at(0)->text());
    save_screenshot(container.get(), "parameters-every-type");

    QSignalSpy changed(editor, &Reusable::UniversalParametersEditor::changed);
    for (size_t i = 0; i < std::size(rows); ++i) {
        const QString id = "p" + QString::number(i);
        QWidget *w = widget_at(int(i) + 1);
        QWidget *input = w->focusProxy() ? w->focusProxy() : w;
        EXPECT_EQ(w, label_at(int(i) + 1)->buddy());
        EXPECT_EQ(QString(rows[i].shows), shown(w)) << rows[i].type;
        EXPECT_EQ(QString(rows[i].value), stored_value(id)) << rows[i].type << " before an edit";
        changed.clear();
        QTest::keyClick(input, rows[i].key);
        if (auto *selector = qobject_cast<QObjectSelector *>(w))
            toggle_in_dialog(selector, QString(rows[i].typed).split(','));
        else
            QTest::keyClicks(input, rows[i].typed);
        EXPECT_FALSE(changed.isEmpty()) << rows[i].type;
        EXPECT_EQ(QString(rows[i].stores), stored_value(id)) << rows[i].type;
    }
}

// Six significant digits, whatever the default's decimals: what is stored
// shows and stays, what is typed is stored so.
TEST_F(ParametersForm, FloatsKeepSixSignificantDigits)
{
    const struct
    {
        const char *declared, *stored; // stored: nullptr for none
        const char *shows;
        const char *typed; // replaces the text; nullptr for no edit
        const char *stores;
    } rows[] = {
        {"0.5", "0.125", "0.125", nullptr, "0.125"},
        {"0.5", nullptr, "0.5", "0.125", "0.125"},
        {"1e-05", nullptr, "1e-05", nullptr, "1e-05"},
        {"1e-05", nullptr, "1e-05", "2.5e-7", "2.5e-07"},
        {"2", "3.14159", "3.14159", "2.718281828", "2.71828"},
        {"0", nullptr, "0", "-1234.5678", "-1234.57"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.declared + std::string(" ") + (r.typed ? r.typed : "-"));
        editor->set_description(declare("<parameter><type>float</type><id>f</id><value>" +
                                        std::string(r.declared) + "</value></parameter>"));
        if (r.stored)
            editor->set_values(declare("<parameter><type>float</type><id>f</id><value>" +
                                       std::string(r.stored) + "</value></parameter>"));
        QWidget *box = widget_at(0);
        EXPECT_EQ(QString(r.shows), shown(box));
        if (r.typed) {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(box, r.typed);
        }
        EXPECT_EQ(QString(r.stores), stored_value("f"));
    }
}

TEST_F(ParametersForm, TurnOnRulesSwitchRowsWhileTheirValueIsChosen)
{
    editor->set_description(read_file(script_data("turn-on.xml")).toStdString());
    EXPECT_TRUE(host.log().contains("Parameters editor: wrong 'turn_on' format 'x == y'", 2));
    auto enabled = [this] {
        std::string s;
        for (int row = 0; row < editor->parameters_count(); ++row)
            s += widget_at(row)->isEnabled() && label_at(row)->isEnabled() ? '+' : '-';
        return s;
    };
    // b goes off with sw, and c with b; d is declared off, e is not.
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
    editor->set_description(
        declare("<parameter><type>integer</type><id>delay</id><name>Delay</name><value>5</value>"
                "<suffix> s</suffix><column>0</column><min>1</min><turn_on>5={mode}</turn_on>"
                "<max>9</max></parameter><parameter><type>string</type><id>mode</id>"
                "<name>Mode</name><value>fast</value></parameter>"));
    EXPECT_EQ("Delay", label_at(0)->text());

    const std::string stored = declare(
        "<parameter><type>integer</type><id>delay</id><value>7</value></parameter>"
        "<parameter><type>integer</type><id>mode</id><value>3</value></parameter>"
        "<parameter><type>string</type><id>gone</id><value>g</value><b>2</b><a>1</a></parameter>");
    editor->set_values("<parameters><parameter>", true);
    editor->set_values(stored);
    EXPECT_EQ("7 s", shown(widget_at(0)));
    EXPECT_EQ("fast", shown(widget_at(1))) << "a value of another type is ignored";
    EXPECT_EQ(2, editor->parameters_count()) << "unknown parameters are dropped";
    editor->set_values(stored, true);
    EXPECT_EQ("g", shown(widget_at(3))) << "unknown ones are appended, other types too";
    EXPECT_EQ(read_file(script_data("stored-parameters.xml")).toStdString(), editor->get_values());
}

TEST_F(ParametersForm, RefusedServerListStillOffersTheOwnServerAndTheStoredOne)
{
    host.tree().fail_calls({"ls", "", "", -1, "no servers for you"}); // every listing
    editor->set_description(
        declare("<parameter><type>server</type><id>s</id><value>FAR</value></parameter>"));
    auto *box = qobject_cast<QComboBox *>(widget_at(0));
    EXPECT_EQ("FAR", box->currentText());
    EXPECT_EQ("DEMO", box->itemText(0));
    EXPECT_TRUE(host.log().contains("QServerSelector: no servers for you", 2));
}

} // namespace
