// A saved rule changed by an operator's hands, control by control: every
// change can be saved (the button and Ctrl+S), comes back on reopening and
// changes the stored script; the clipboard holds what Save stores. (The
// round trip adds a row through every action link.)

#include "tests/script-setup/rule-page/rule-page-fixture.h"

#include "script-setup/rule-page/attachments-list.h"
#include "script-setup/rule/rule-folder.h"
#include "script-setup/rule/rule-script.h"
#include "tests/script-setup/rule/rule-fixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>
#include <functional>

namespace {

// r2 of the page tree: on event Motion of Cam 1, two condition rows, and the
// eight action kinds in rows 0-7 (method, wait, sound, export, setting,
// screenshot, e-mail, report).
const char *const r2 = "/DEMO/scripts/r2";

class RuleEdits : public RulePage
{
public:
    RuleEdits() { load_tree_file(tree, rule_tree_file); }
    QString clipboard()
    {
        QApplication::clipboard()->clear();
        QTest::mouseClick(get<QPushButton>("clipboard_button"), Qt::LeftButton);
        return QApplication::clipboard()->text();
    }
    bool save_enabled() { return get<QPushButton>("save_button")->isEnabled(); }
    template <class W> W *in_row(int row, const char *name)
    {
        return child<W>(action_row(row), name);
    }
    void put_activation(int code, const char *list, const char *params = "")
    {
        tree.put_integer(r2, "activation_type", code);
        tree.put_string(r2, "activation_list", list);
        tree.put_string(r2, "activation_params", params);
    }
};

struct Edit
{
    const char *what;
    std::function<void(RuleEdits &)> prepare; // the stored rule before the page opens
    std::function<void(RuleEdits &)> change;  // by input only
    const char *key = nullptr;                // a stored key and its value after saving
    const char *value = nullptr;
};

void as_stored(RuleEdits &) {}

const Edit edits[] = {
    // Activation on event, as stored.
    {"event types", as_stored,
     [](RuleEdits &t) {
         QTest::mouseClick(t.get<QToolButton>("event_types_button"), Qt::LeftButton);
         t.answer("events_filter_dialog", "eventsTree", {"SignalLost"});
     },
     "activation_list", "Motion\nSignalLost"},
    {"objects", as_stored,
     [](RuleEdits &t) {
         QTest::mouseClick(t.get<QToolButton>("objects_button"), Qt::LeftButton);
         t.answer("objects_filter_dialog", "objectsTree", {"Cam 2"});
     },
     "activation_params", "Cam 1\nCam 2"},
    {"all objects", as_stored, [](RuleEdits &t) { t.link("activate_on_all_objects_events"); },
     "activation_params", "*"},
    {"condition text", as_stored,
     [](RuleEdits &t) {
         auto *edit = child<QTextEdit>(t.page->condition_grid()->row(0), "condition");
         QTest::keyClick(edit, Qt::Key_End);
         QTest::keyClicks(edit, "0");
     },
     "condition", "event.zone == 10 or event.level > 2  "},
    {"condition and/or", as_stored,
     [](RuleEdits &t) {
         QTest::mouseClick(child<QRadioButton>(t.page->condition_grid()->row(1), "and"),
                           Qt::LeftButton);
     },
     "condition", "event.zone == 1 and event.level > 2  "},
    // Activation on shortcut.
    {"shortcut", [](RuleEdits &t) { t.put_activation(1, "F5\nU2"); },
     [](RuleEdits &t) { QTest::keyClick(t.get<QLineEdit>("shortcut"), Qt::Key_F7); },
     "activation_list", "F7\nU2"},
    {"on release", [](RuleEdits &t) { t.put_activation(1, "F5\nU2"); },
     [](RuleEdits &t) { QTest::mouseClick(t.get<QCheckBox>("on_release"), Qt::LeftButton); },
     "activation_list", "F5_Released\nU2"},
    {"panel key", [](RuleEdits &t) { t.put_activation(1, "F5\nU2"); },
     [](RuleEdits &t) { t.choose(t.get<QComboBox>("panel"), 4); }, "activation_list", "F5\nU4"},
    // Activation on schedule.
    {"schedule", [](RuleEdits &t) { t.put_activation(5, "Night", "Green"); },
     [](RuleEdits &t) {
         auto *box = t.get<QComboBox>("schedule");
         t.choose(box, box->findText("Office hours"));
     },
     "activation_list", "Office hours"},
    {"zone", [](RuleEdits &t) { t.put_activation(5, "Night", "Green"); },
     [](RuleEdits &t) { t.choose(t.get<QComboBox>("zone"), 2); }, "activation_params", "Blue"},
    // Activation on state and on settings change.
    {"state objects", [](RuleEdits &t) { t.put_activation(3, "Cam 1"); },
     [](RuleEdits &t) {
         QTest::mouseClick(t.get<QToolButton>("state_objects_button"), Qt::LeftButton);
         t.answer("objects_filter_dialog", "objectsTree", {"Parking"});
     },
     "activation_list", "Cam 1\nParking"},
    {"settings", [](RuleEdits &t) { t.put_activation(2, "channels/ch1"); },
     [](RuleEdits &t) {
         QTest::mouseClick(t.get<QToolButton>("settings_button"), Qt::LeftButton);
         t.answer("settings_filter_dialog", "settingsTree", {"channels/ch2"});
     },
     "activation_list", "channels/ch1\nchannels/ch2"},
    // The actions.
    {"method parameter", as_stored,
     [](RuleEdits &t) { retype(t.in_row<QLineEdit>(0, "parameter"), "9"); }, "action0_params",
     "9;"},
    {"wait", as_stored, [](RuleEdits &t) { retype(t.in_row<QSpinBox>(1, "seconds"), "12"); },
     "action1_params", "12"},
    {"sound", as_stored, [](RuleEdits &t) { t.choose(t.in_row<QComboBox>(2, "sounds_box"), 2); },
     "action2_params", "door.wav"},
    {"export channel", as_stored,
     [](RuleEdits &t) {
         auto *box = t.in_row<QComboBox>(3, "channel");
         t.choose(box, QString("ch2_DEMO"));
     },
     "action3", "ch2_DEMO"},
    {"export seconds", as_stored,
     [](RuleEdits &t) { retype(t.in_row<QSpinBox>(3, "seconds"), "45"); }, "action3_params",
     "45,ss"},
    {"export substream", as_stored,
     [](RuleEdits &t) { QTest::mouseClick(t.in_row<QCheckBox>(3, "substream"), Qt::LeftButton); },
     "action3_params", "30,main"},
    {"setting value", as_stored,
     [](RuleEdits &t) { retype(t.in_row<QTextEdit>(4, "setting_value"), "7"); }, "action4_params",
     "7"},
    {"screenshot channel", as_stored,
     [](RuleEdits &t) {
         auto *box = t.in_row<QComboBox>(5, "channel");
         t.choose(box, QString("ch1_DEMO"));
     },
     "action5", "ch1_DEMO"},
    {"screenshot delay", as_stored,
     [](RuleEdits &t) { retype(t.in_row<QSpinBox>(5, "seconds"), "3"); }, "action5_params", "3"},
    {"e-mail account",
     [](RuleEdits &t) {
         t.tree.make_folder("/DEMO/scripts/acc2", "EmailAccount");
         t.tree.put_string("/DEMO/scripts/acc2", "name", "Second");
     },
     [](RuleEdits &t) {
         auto *box = t.in_row<QComboBox>(6, "account");
         t.choose(box, box->findData("acc2"));
     },
     "action6_params", "acc2\na@b.c\nHi\ne1;s1\nBody"},
    {"recipients", as_stored,
     [](RuleEdits &t) { retype(t.in_row<QLineEdit>(6, "recipients"), "x@y.z"); }, "action6_params",
     "acc1\nx@y.z\nHi\ne1;s1\nBody"},
    {"subject", as_stored, [](RuleEdits &t) { retype(t.in_row<QLineEdit>(6, "subject"), "Re"); },
     "action6_params", "acc1\na@b.c\nRe\ne1;s1\nBody"},
    {"message", as_stored,
     [](RuleEdits &t) { retype(t.in_row<QPlainTextEdit>(6, "message"), "Text"); }, "action6_params",
     "acc1\na@b.c\nHi\ne1;s1\nText"},
    {"attachment", as_stored,
     [](RuleEdits &t) {
         auto *e1 = t.action_row(6)->findChild<FileAttachment *>("e1");
         ASSERT_TRUE(e1);
         QTest::mouseClick(e1, Qt::LeftButton, {}, QPoint(5, e1->height() / 2));
     },
     "action6_params", "acc1\na@b.c\nHi\ns1\nBody"},
    {"report type", as_stored, [](RuleEdits &t) { t.choose(t.in_row<QComboBox>(7, "report"), 0); },
     "action7_params", "1\n1\n"},
    {"report interval", as_stored,
     [](RuleEdits &t) { t.choose(t.in_row<QComboBox>(7, "interval"), 2); }, "action7_params",
     "13\n2\n"},
};

TEST_F(RuleEdits, EveryControlOfASavedRuleIsAnEditThatIsSaved)
{
    bool with_button = false;
    for (const Edit &e : edits) {
        SCOPED_TRACE(e.what);
        page.reset();
        deliver();
        load_tree_file(tree, rule_tree_file);
        e.prepare(*this);
        page = open_page(r2);
        QApplication::setActiveWindow(page.get());
        EXPECT_FALSE(save_enabled());
        const QString before = clipboard();
        e.change(*this);
        settle_events();
        EXPECT_TRUE(save_enabled());
        with_button = !with_button;
        if (with_button)
            QTest::mouseClick(get<QPushButton>("save_button"), Qt::LeftButton);
        else
            save();
        EXPECT_FALSE(save_enabled());
        if (e.key) {
            EXPECT_EQ(e.value, tree.string_value(r2, e.key));
        }
        const std::string script = tree.string_value(r2, "script");
        EXPECT_NE(before.toStdString(), script) << "the script follows the change";

        const rule::Rule edited = page->rule_value();
        page = open_page(r2);
        EXPECT_FALSE(save_enabled());
        EXPECT_EQ(rule::generate_script(edited, {}).text,
                  rule::generate_script(page->rule_value(), {}).text)
            << "reopened, the page shows the change";
        EXPECT_EQ(script, clipboard().toStdString());
    }
}

// Loaded from its stored keys, each golden rule copies what Save then
// stores, and copying leaves the stored script alone.
TEST_F(RuleEdits, TheClipboardHoldsWhatSaveStores)
{
    const QJsonObject golden = rule_test::cases("golden").toObject();
    for (auto it = golden.begin(); it != golden.end(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        page.reset();
        deliver();
        load_tree_file(tree, rule_tree_file);
        rule::VariableNames names;
        ASSERT_TRUE(rule::save_stored_rule(
            tree.folder(rule_path),
            rule::encode_rule(rule_test::rule_from_json(it.value().toObject()), names)));
        tree.put_string(rule_path, "script", "stored before");
        page = open_page();
        const QString copied = clipboard();
        EXPECT_EQ("stored before", tree.string_value(rule_path, "script"));

        // An edit undone, a condition row added and deleted: the controls
        // are as loaded, and Save may run.
        auto *add = get<QToolButton>("add_condition");
        if (add->isVisible())
            QTest::mouseClick(add, Qt::LeftButton);
        else
            link("write_condition");
        QTest::mouseClick(
            child<QToolButton>(page->condition_grid()->row(page->condition_grid()->count() - 1),
                               "delete_condition"),
            Qt::LeftButton);
        settle_events();
        save();
        const std::string saved = tree.string_value(rule_path, "script");
        EXPECT_EQ(saved, copied.toStdString());
        EXPECT_EQ(saved, clipboard().toStdString());
        EXPECT_EQ(saved, tree.string_value(rule_path, "script"));
    }
}

// Tab, arrows and End in a condition or a setting value change no text.
TEST_F(RuleEdits, KeysThatChangeNoTextAreNoEdit)
{
    page = open_page(r2);
    QApplication::setActiveWindow(page.get());
    for (QTextEdit *edit : {child<QTextEdit>(page->condition_grid()->row(0), "condition"),
                            child<QTextEdit>(page->condition_grid()->row(1), "condition"),
                            in_row<QTextEdit>(4, "setting_value")}) {
        edit->setFocus();
        for (Qt::Key key : {Qt::Key_End, Qt::Key_Left, Qt::Key_Home, Qt::Key_Tab})
            QTest::keyClick(edit, key);
    }
    settle_events();
    EXPECT_FALSE(save_enabled());
    EXPECT_FALSE(page->modified());
}

// With Tab to the link, then Space or Enter, as the other controls are used.
TEST_F(RuleEdits, LinksAreFollowedFromTheKeyboard)
{
    page = open_page();
    QApplication::setActiveWindow(page.get());
    get<QLineEdit>("name")->setFocus();
    const auto follow = [this](const char *href, Qt::Key key) {
        for (int tab = 0; tab < 60; ++tab) {
            auto *label = qobject_cast<QLabel *>(QApplication::focusWidget());
            if (label && label->hasSelectedText() &&
                label->text().contains(
                    QStringLiteral("href=\"%1\">%2</a>").arg(href, label->selectedText()))) {
                QTest::keyClick(label, key);
                settle_events();
                return true;
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return false;
    };
    EXPECT_TRUE(follow("activate_on_schedule", Qt::Key_Space));
    EXPECT_EQ(rule::ON_SCHEDULE, page->activation_kind());
    EXPECT_TRUE(follow("write_condition", Qt::Key_Return));
    EXPECT_EQ(1, page->condition_grid()->count());
    EXPECT_TRUE(follow("wait", Qt::Key_Space));
    EXPECT_TRUE(follow("send_email", Qt::Key_Return));
    ASSERT_EQ(2, page->action_grid()->count());
    EXPECT_EQ(rule::SEND_EMAIL, page->action_grid()->row_data(1).toInt());
}

} // namespace

// At a size factor the page's font reaches its rows and the windows it opens,
// the frame style of which is set on them alone.
TEST_F(RuleEdits, TheHostsFontSizeReachesRowsAndWindows)
{
    host.pages().scale().set_factor(1.5f);
    page = open_page();
    const qreal size = page->font().pointSizeF();
    ASSERT_EQ(QApplication::font().pointSizeF() * 1.5, size);
    link("activate_on_event");
    EXPECT_EQ(size, dialog("events_filter_dialog")->font().pointSizeF());
    answer("events_filter_dialog", "eventsTree", {"Motion"});
    link("write_condition");
    auto *edit = page->condition_grid()->row(0)->findChild<QWidget *>("condition");
    ASSERT_TRUE(edit);
    EXPECT_EQ(size, edit->font().pointSizeF());
    EXPECT_EQ(size, get<QMenu>("inserter_menu")->font().pointSizeF());
}
