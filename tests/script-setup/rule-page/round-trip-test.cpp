// Rules built as an operator builds them, saved, and opened on a second page.

#include "tests/script-setup/rule-page/rule-page-fixture.h"

#include "qt4-pavo7/reusable/channels-box.h"
#include "script-setup/rule-page/attachments-list.h"
#include "script-setup/rule/rule-folder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextEdit>
#include <functional>

namespace {

class RoundTrip : public RulePage
{
public:
    // Each inserter dialog answers with its signal of that name.
    void answer(const char *dialog_name, const QString &text, const char *signal = "accepted")
    {
        QDialog *d = dialog(dialog_name);
        ASSERT_TRUE(d) << dialog_name;
        EXPECT_TRUE(QMetaObject::invokeMethod(d, signal, Q_ARG(QString, text))) << signal;
        if (strcmp(signal, "accepted") == 0)
            delete d;
    }
    template <class W> W *in_row(int row, const char *name)
    {
        W *w = action_row(row)->findChild<W *>(QString::fromLatin1(name));
        EXPECT_TRUE(w) << name;
        return w;
    }
    void choose(QComboBox *box, int index)
    {
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }
    void type(QWidget *w, const char *text)
    {
        w->setFocus();
        QTest::keyClicks(w, text);
    }
    void screenshot_row(int row, int seconds)
    {
        link("take_screenshot");
        in_row<QSpinBox>(row, "seconds")->setValue(seconds);
    }
};

struct Case
{
    const char *name;
    std::function<void(RoundTrip &)> build;
    const char *key;      // a stored key of the rule folder
    const char *expected; // and its value
};

const Case activation_cases[] = {
    {"event, objects and a condition",
     [](RoundTrip &t) {
         t.link("activate_on_event");
         t.answer("events_filter_dialog", "Motion@Alarm");
         t.link("objects_filter");
         t.answer("objects_filter_dialog", "object(\"Cam 1\")@object(\"Cam 2\")");
         t.link("write_condition");
         t.type(t.page->condition_grid()->row(0)->findChild<QTextEdit *>("condition"),
                "event.zone == 1");
         t.page->add_condition("event.level > 2", true);
     },
     "activation_params", "Cam 1\nCam 2"},
    {"shortcut on release with a panel key",
     [](RoundTrip &t) {
         t.link("activate_on_shortcut");
         QTest::mouseClick(t.get<QCheckBox>("on_release"), Qt::LeftButton);
         QTest::keyClick(t.get<QLineEdit>("shortcut"), Qt::Key_F5, Qt::ControlModifier);
         t.choose(t.get<QComboBox>("panel"), 3);
     },
     "activation_list", "Ctrl+F5_Released\nU3"},
    {"schedule",
     [](RoundTrip &t) {
         t.link("activate_on_schedule");
         t.choose(t.get<QComboBox>("schedule"), 1);
         t.choose(t.get<QComboBox>("zone"), 1);
     },
     "activation_params", "Red"},
    {"state change",
     [](RoundTrip &t) {
         t.link("activate_on_state_change");
         t.answer("objects_filter_dialog", "object(\"Cam 1\")@object(\"Parking\")");
     },
     "activation_list", "Cam 1\nParking"},
    {"settings change",
     [](RoundTrip &t) {
         t.link("activate_on_settings_change");
         t.answer("settings_filter_dialog", "settings(\"a/b\")@ settings(\"c/d\")");
     },
     "activation_list", "a/b\nc/d"},
    {"action run", [](RoundTrip &t) { t.link("activate_on_action"); }, "activation_list", ""},
};

// Every action case starts from a shortcut rule.
const Case action_cases[] = {
    {"call method",
     [](RoundTrip &t) {
         t.link("call_method");
         t.answer("method_dialog", "Cam 1.move(integer_x, string_name)");
         const auto edits = t.action_row(0)->findChildren<QLineEdit *>("parameter");
         ASSERT_EQ(2, edits.size());
         t.type(edits[0], "5");
         t.type(edits[1], "\"hi\"");
     },
     "action0", "object(\"Cam 1\").move(integer_x,string_name)"},
    {"wait",
     [](RoundTrip &t) {
         t.link("wait");
         t.in_row<QSpinBox>(0, "seconds")->setValue(30);
     },
     "action0_params", "30"},
    {"play sound",
     [](RoundTrip &t) {
         t.link("play_sound");
         t.choose(t.in_row<QComboBox>(0, "sounds_box"), 1);
     },
     "action0_params", "bell.wav"},
    {"change setting",
     [](RoundTrip &t) {
         t.link("change_settings");
         t.answer("change_setting_dialog", "integer", "accepted_type");
         t.answer("change_setting_dialog", "a/b/c");
         t.type(t.in_row<QTextEdit>(0, "setting_value"), "5");
     },
     "action0", "a/b/c:integer"},
    {"export video",
     [](RoundTrip &t) {
         t.link("export_video");
         t.choose(t.in_row<QComboBox>(0, "channel"), 2);
         t.in_row<QSpinBox>(0, "seconds")->setValue(30);
         QTest::mouseClick(t.in_row<QCheckBox>(0, "substream"), Qt::LeftButton);
     },
     "action0_params", "30,ss"},
    {"take screenshot", [](RoundTrip &t) { t.screenshot_row(0, 2); }, "action0", "ch1_DEMO"},
    {"send e-mail with the screenshot attached",
     [](RoundTrip &t) {
         t.screenshot_row(0, 0);
         t.link("send_email");
         t.choose(t.in_row<QComboBox>(1, "account"), 1);
         t.type(t.in_row<QLineEdit>(1, "recipients"), "a@b.c, d@e.f");
         t.type(t.in_row<QLineEdit>(1, "subject"), "Hi");
         auto *message = t.in_row<QPlainTextEdit>(1, "message");
         message->selectAll();
         t.type(message, "Body");
         auto *attachment = t.action_row(1)->findChild<FileAttachment *>();
         ASSERT_TRUE(attachment);
         QTest::mouseClick(attachment, Qt::LeftButton, {}, QPoint(5, attachment->height() / 2));
     },
     "action1_params", "acc1\na@b.c, d@e.f\nHi\n{00000000-0000-4000-8000-000000000003}\nBody"},
    {"report",
     [](RoundTrip &t) {
         t.link("generate_export");
         t.choose(t.in_row<QComboBox>(0, "report"), 7);
         t.choose(t.in_row<QComboBox>(0, "interval"), 1);
     },
     "action0_params", "13\n1\n"},
};

// The edits show lists as typed (";") and as loaded ("; "): what counts is
// what each page would store.
void expect_same_stored(const rule::Rule &a, const rule::StoredRule &stored)
{
    rule::VariableNames names;
    const rule::StoredRule expected = rule::encode_rule(a, names);
    EXPECT_EQ(expected.activation_code, stored.activation_code);
    EXPECT_EQ(rule::join_list(expected.activation_list), rule::join_list(stored.activation_list));
    EXPECT_EQ(rule::join_list(expected.activation_params),
              rule::join_list(stored.activation_params));
    EXPECT_EQ(expected.condition, stored.condition);
    EXPECT_TRUE(expected.actions == stored.actions);
}

void run(RoundTrip &t, const Case &c, bool on_shortcut)
{
    SCOPED_TRACE(c.name);
    t.second.reset();
    t.page.reset();
    t.deliver();
    t.open();
    if (on_shortcut) {
        t.link("activate_on_shortcut");
        QTest::keyClick(t.get<QLineEdit>("shortcut"), Qt::Key_F5);
    }
    c.build(t);
    settle_events();
    EXPECT_TRUE(t.page->modified());
    EXPECT_TRUE(t.get<QWidget>("save_button")->isEnabled());
    t.save();
    EXPECT_FALSE(t.page->modified());
    EXPECT_FALSE(t.get<QWidget>("save_button")->isEnabled());

    const rule::Rule built = t.page->rule_value();
    const rule::StoredRule stored = rule::load_stored_rule(t.tree.folder(rule_path));
    expect_same_stored(built, stored);
    EXPECT_EQ(c.expected, t.tree.string_value(rule_path, c.key));
    EXPECT_FALSE(t.tree.string_value(rule_path, "script").empty());

    t.second = t.open_page();
    EXPECT_FALSE(t.second->modified());
    EXPECT_EQ(t.page->activation_kind(), t.second->activation_kind());
    const rule::Rule reopened = t.second->rule_value();
    expect_same_stored(reopened, stored);
    EXPECT_TRUE(built.conditions == reopened.conditions);
    for (const auto *box : t.page->findChildren<QCheckBox *>()) { // ticks come back as they were
        const auto *again = t.second->findChild<QCheckBox *>(box->objectName());
        if (!box->objectName().isEmpty() && again) {
            EXPECT_EQ(box->isChecked(), again->isChecked()) << box->objectName().toStdString();
        }
    }
    EXPECT_TRUE(built.actions == reopened.actions);
}

TEST_F(RoundTrip, EveryActivationAndActionKind)
{
    for (const Case &c : activation_cases)
        run(*this, c, false);
    for (const Case &c : action_cases)
        run(*this, c, true);
}

} // namespace
