// Rules built as an operator builds them, saved, and opened on a second page.

#include "tests/script-setup/rule-page/rule-page-fixture.h"

#include "script-setup/rule-page/attachments-list.h"
#include "script-setup/rule/rule-script.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolButton>
#include <functional>

namespace {

using RoundTrip = RulePage;

struct Case
{
    const char *name;
    std::function<void(RoundTrip &)> build;
    std::vector<std::pair<const char *, const char *>> stored; // keys of the rule and their values
};

const Case cases[] = {
    {"event, objects and a condition",
     [](RoundTrip &t) {
         t.link("activate_on_event");
         t.answer("events_filter_dialog", "eventsTree", {"Motion", "SignalLost"});
         t.link("objects_filter");
         t.answer("objects_filter_dialog", "objectsTree", {"Cam 1", "Cam 2"});
         t.link("write_condition");
         QTest::keyClicks(t.page->condition_grid()->row(0)->findChild<QTextEdit *>("condition"),
                          "event.zone == 1");
         QTest::mouseClick(t.get<QToolButton>("add_condition"), Qt::LeftButton);
         QWidget *second = t.page->condition_grid()->row(1);
         QTest::mouseClick(child<QRadioButton>(second, "or"), Qt::LeftButton);
         QTest::keyClicks(child<QTextEdit>(second, "condition"), "event.level > 2");
     },
     {{"activation_params", "Cam 1\nCam 2"}}},
    {"shortcut on release with a panel key",
     [](RoundTrip &t) {
         t.link("activate_on_shortcut");
         QTest::mouseClick(t.get<QCheckBox>("on_release"), Qt::LeftButton);
         QTest::keyClick(t.get<QLineEdit>("shortcut"), Qt::Key_F5, Qt::ControlModifier);
         t.choose(t.get<QComboBox>("panel"), 3);
     },
     {{"activation_list", "Ctrl+F5_Released\nU3"}}},
    {"schedule",
     [](RoundTrip &t) {
         t.link("activate_on_schedule");
         t.choose(t.get<QComboBox>("schedule"), 1);
         t.choose(t.get<QComboBox>("zone"), 1);
     },
     {{"activation_params", "Red"}}},
    {"state change",
     [](RoundTrip &t) {
         t.link("activate_on_state_change");
         t.answer("objects_filter_dialog", "objectsTree", {"Cam 1", "Parking"});
     },
     {{"activation_list", "Cam 1\nParking"}}},
    {"settings change",
     [](RoundTrip &t) {
         t.link("activate_on_settings_change");
         t.answer("settings_filter_dialog", "settingsTree", {"channels/ch1", "channels/ch2"});
     },
     {{"activation_list", "channels/ch1\nchannels/ch2"}}},
    {"a row of every action kind, the e-mail with the screenshot attached",
     [](RoundTrip &t) {
         t.link("activate_on_shortcut");
         QTest::keyClick(t.get<QLineEdit>("shortcut"), Qt::Key_F5);
         t.link("call_method");
         t.answer("method_dialog", "objectsTree",
                  {"Cam 2", "propertyTree|move(integer_x, integer_y)"}, false);
         const auto edits = t.action_row(0)->findChildren<QLineEdit *>("parameter");
         ASSERT_EQ(2, edits.size());
         QTest::keyClicks(edits[0], "5");
         QTest::keyClicks(edits[1], "7");
         t.link("wait");
         retype(child<QSpinBox>(t.action_row(1), "seconds"), "30");
         t.link("play_sound");
         t.choose(child<QComboBox>(t.action_row(2), "sounds_box"), 1);
         t.link("change_settings");
         t.answer("change_setting_dialog", "settingsTree", {"channels/ch1/name"}, false);
         QTest::keyClicks(child<QTextEdit>(t.action_row(3), "setting_value"), "\"Gate\"");
         t.link("export_video");
         t.choose(child<QComboBox>(t.action_row(4), "channel"), 2);
         retype(child<QSpinBox>(t.action_row(4), "seconds"), "30");
         QTest::mouseClick(child<QCheckBox>(t.action_row(4), "substream"), Qt::LeftButton);
         t.link("take_screenshot");
         retype(child<QSpinBox>(t.action_row(5), "seconds"), "2");
         t.link("send_email");
         QWidget *email = t.action_row(6);
         t.choose(child<QComboBox>(email, "account"), 1);
         QTest::keyClicks(child<QLineEdit>(email, "recipients"), "a@b.c, d@e.f");
         QTest::keyClicks(child<QLineEdit>(email, "subject"), "Hi");
         retype(child<QPlainTextEdit>(email, "message"), "Body");
         auto *shot = email->findChildren<FileAttachment *>().value(1);
         ASSERT_TRUE(shot);
         QTest::mouseClick(shot, Qt::LeftButton, {}, QPoint(5, shot->height() / 2));
         t.link("generate_export");
         t.choose(child<QComboBox>(t.action_row(7), "report"), 7);
         t.choose(child<QComboBox>(t.action_row(7), "interval"), 1);
     },
     {{"action0", "object(\"Cam 2\").move(integer_x,integer_y)"},
      {"action1_params", "30"},
      {"action2_params", "bell.wav"},
      {"action3", "channels/ch1/name:string"},
      {"action4_params", "30,ss"},
      {"action5", "ch1_DEMO"},
      {"action6_params", "acc1\na@b.c, d@e.f\nHi\n{00000000-0000-4000-8000-000000000002}\nBody"},
      {"action7_params", "13\n1\n"}}},
};

void run(RoundTrip &t, const Case &c)
{
    SCOPED_TRACE(c.name);
    t.page.reset();
    t.deliver();
    t.open();
    c.build(t);
    settle_events();
    EXPECT_TRUE(t.get<QWidget>("save_button")->isEnabled());
    t.save();
    EXPECT_FALSE(t.get<QWidget>("save_button")->isEnabled());

    const rule::Rule built = t.page->rule_value();
    for (const auto &key : c.stored)
        EXPECT_EQ(key.second, t.tree.string_value(rule_path, key.first)) << key.first;
    EXPECT_FALSE(t.tree.string_value(rule_path, "script").empty());

    const std::unique_ptr<QSetupRule> second = t.open_page();
    EXPECT_FALSE(second->modified());
    const rule::Rule reopened = second->rule_value();
    // Lists show as typed (";") on the first page and as loaded ("; ") on
    // the second: what counts is the script each would run.
    EXPECT_EQ(rule::generate_script(built, {}).text, rule::generate_script(reopened, {}).text);
    EXPECT_TRUE(built.conditions == reopened.conditions);
    for (const auto *box : t.page->findChildren<QCheckBox *>()) { // ticks come back as they were
        const auto *again = second->findChild<QCheckBox *>(box->objectName());
        if (!box->objectName().isEmpty() && again) {
            EXPECT_EQ(box->isChecked(), again->isChecked()) << box->objectName().toStdString();
        }
    }
    EXPECT_TRUE(built.actions == reopened.actions);
}

TEST_F(RoundTrip, EveryActivationAndActionKind)
{
    for (const Case &c : cases)
        run(*this, c);
}

} // namespace
