// The rule wizard driven by real events: links, dialogs, keys, rows.

#include "tests/script-setup/rule-page/rule-page-fixture.h"

#include "qt4-pavo7/reusable/popup.h"
#include "script-setup/rule-page/attachments-list.h"
#include "script-setup/rule-page/line-text-edit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace {

class Wizard : public RulePage
{
protected:
    void SetUp() override { open(); }
    QStackedWidget *stack() { return get<QStackedWidget>("activation_stack"); }
    QTextEdit *condition(int row)
    {
        return page->condition_grid()->row(row)->findChild<QTextEdit *>("condition");
    }
    void click_row(QWidget *row, const char *button)
    {
        QTest::mouseClick(row->findChild<QToolButton *>(button), Qt::LeftButton);
        settle_events();
    }
    QStringList attachments_of(int row)
    {
        return action_row(row)->findChild<AttachmentsList *>()->entries();
    }
    QMessageBox *box(const char *name) { return page->findChild<QMessageBox *>(name); }
    // Clicks the row's "Insert" button; `use` sees the menu it opens and must
    // close it (with keys) before the click returns.
    void with_inserter_menu(int row, const std::function<void(QMenu *)> &use)
    {
        auto *insert = page->condition_grid()->row(row)->findChild<QPushButton *>("insert_button");
        ASSERT_TRUE(insert && insert->isVisible());
        bool used = false;
        QTimer::singleShot(0, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (menu)
                use(menu);
            used = menu;
            while (QWidget *open = QApplication::activePopupWidget())
                QTest::keyClick(open, Qt::Key_Escape);
        });
        QTest::mouseClick(insert, Qt::LeftButton);
        settle_events();
        EXPECT_TRUE(used) << "the menu opened";
    }
    static QStringList titles(QMenu *menu)
    {
        QStringList out;
        for (QAction *a : menu->actions())
            out << a->text();
        return out;
    }
};

TEST_F(Wizard, EventsObjectsAndTheInserterMenu)
{
    EXPECT_EQ(0, stack()->currentIndex());
    EXPECT_TRUE(get<QWidget>("condition_frame")->isHidden());
    EXPECT_TRUE(get<QWidget>("actions_frame")->isHidden());
    auto *on_event = get<QLabel>("activate_on_event");
    QTest::mouseClick(on_event, Qt::LeftButton, {}, QPoint(5, on_event->height() / 2));
    QDialog *events = dialog("events_filter_dialog");
    ASSERT_TRUE(events);
    EXPECT_EQ(1, stack()->currentIndex());
    tree.clear_calls();
    QTest::mouseClick(events->findChild<QPushButton *>("cancel_button"), Qt::LeftButton);
    settle_events();
    EXPECT_EQ(0, stack()->currentIndex());
    EXPECT_EQ(rule::NO_ACTIVATION, page->activation_kind());
    EXPECT_TRUE(get<QWidget>("condition_frame")->isHidden());
    EXPECT_FALSE(tree.calls_of("set_integer").empty()) << "the stored rule is reset";

    // With types chosen, a later cancel keeps the rule.
    link("activate_on_event");
    answer("events_filter_dialog", "eventsTree", {"Motion", "SignalLost"});
    EXPECT_EQ((std::set<std::string>{"Motion", "SignalLost"}), page->chosen_event_types());
    QTest::mouseClick(get<QToolButton>("event_types_button"), Qt::LeftButton);
    QTest::mouseClick(dialog("events_filter_dialog")->findChild<QPushButton *>("cancel_button"),
                      Qt::LeftButton);
    settle_events();
    EXPECT_EQ(rule::ON_EVENT, page->activation_kind());

    link("objects_filter");
    EXPECT_FALSE(get<QLineEdit>("objects")->isHidden());
    answer("objects_filter_dialog", "objectsTree", {"Cam 1", "Cam 2"});
    EXPECT_EQ((std::set<std::string>{"Cam 1", "Cam 2"}), page->chosen_objects());
    QTest::mouseClick(get<QToolButton>("objects_button"), Qt::LeftButton);
    answer("objects_filter_dialog", "objectsTree", {"Cam 1", "Cam 2"}); // unticked: none left
    EXPECT_TRUE(get<QLineEdit>("objects")->isHidden());
    EXPECT_TRUE(page->chosen_objects().empty());
    EXPECT_TRUE(page->rule_value().activation.all_objects);

    // The inserter menu offers the chosen event types, once each.
    link("write_condition");
    for (int opening = 0; opening < 2; ++opening)
        with_inserter_menu(0, [](QMenu *menu) {
            EXPECT_EQ((QStringList{"Settings values", "Objects state", "Motion", "SignalLost",
                                   "Event type"}),
                      titles(menu));
            EXPECT_EQ((QStringList{"origin name", "origin guid", "zone", "level"}),
                      titles(menu->actions()[2]->menu()));
        });
    // Down to "Motion", into its menu, down to "level".
    with_inserter_menu(0, [](QMenu *menu) {
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Right);
        QWidget *sub = QApplication::activePopupWidget();
        ASSERT_NE(menu, sub);
        for (int i = 0; i < 3; ++i) // its first item is active on opening
            QTest::keyClick(sub, Qt::Key_Down);
        QTest::keyClick(sub, Qt::Key_Return);
    });
    EXPECT_EQ("event.type == \"Motion\" and event.level", condition(0)->toPlainText());
}

TEST_F(Wizard, ShortcutCapture)
{
    link("activate_on_shortcut");
    auto *edit = get<QLineEdit>("shortcut");
    auto *on_release = get<QCheckBox>("on_release");
    QTest::mouseClick(on_release, Qt::LeftButton);
    EXPECT_TRUE(edit->text().isEmpty()) << "an empty edit is left alone";
    QTest::mouseClick(on_release, Qt::LeftButton);

    QTest::keyClick(edit, Qt::Key_F5);
    EXPECT_EQ("F5", edit->text());
    QTest::keyClick(edit, Qt::Key_A);
    EXPECT_EQ("F5", edit->text()) << "only function keys are taken";
    QTest::mouseClick(on_release, Qt::LeftButton);
    EXPECT_EQ("F5_Released", edit->text());
    QTest::keyClick(edit, Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_EQ("Shift+F7_Released", edit->text());
    QTest::mouseClick(on_release, Qt::LeftButton);
    EXPECT_EQ("Shift+F7", edit->text());
}

TEST_F(Wizard, TenActionsHideTheLinksAndADeleteShowsThem)
{
    link("activate_on_schedule");
    for (int i = 0; i < 10; ++i)
        link("wait");
    EXPECT_EQ(10, page->action_count());
    EXPECT_TRUE(get<QLabel>("action_links")->isHidden());
    EXPECT_TRUE(get<QLabel>("add_label")->isHidden());
    click_row(action_row(4), "delete_action");
    EXPECT_EQ(9, page->action_grid()->count());
    EXPECT_FALSE(get<QLabel>("action_links")->isHidden());

    // A new call-method row cancelled in its dialog disappears at once.
    link("call_method");
    EXPECT_EQ(10, page->action_grid()->count());
    QDialog *method = dialog("method_dialog");
    ASSERT_TRUE(method);
    QTest::keyClick(method, Qt::Key_Escape);
    settle_events();
    EXPECT_EQ(9, page->action_grid()->count());
    EXPECT_EQ(9, page->action_count());
}

TEST_F(Wizard, ActionRowsFollowMovesAndNewLists)
{
    link("activate_on_schedule");
    link("take_screenshot");
    link("wait");
    link("send_email");
    const QString shot = action_row(0)->layout()->itemAt(0)->widget()->objectName();
    EXPECT_EQ(QStringList{shot}, attachments_of(2));
    auto *entry = action_row(2)->findChild<FileAttachment *>(shot);
    ASSERT_TRUE(entry);
    EXPECT_EQ("Screenshot exported from action 1 (Gate)", entry->text());

    click_row(action_row(1), "up"); // the wait goes first
    EXPECT_EQ("Screenshot exported from action 2 (Gate)", entry->text());
    click_row(action_row(2), "up"); // the e-mail goes above the screenshot
    EXPECT_TRUE(attachments_of(1).isEmpty());
    click_row(action_row(1), "down");
    EXPECT_EQ(QStringList{shot}, attachments_of(2));
    click_row(action_row(1), "delete_action");
    EXPECT_TRUE(attachments_of(1).isEmpty());

    // New lists from the service reach the rows, keeping their choices.
    link("export_video");
    link("play_sound");
    auto *channels = action_row(2)->findChild<QComboBox *>("channel");
    auto *sounds = action_row(3)->findChild<QComboBox *>("sounds_box");
    choose(sounds, sounds->findText("door.wav"));
    // What the operator sees on opening the list.
    const auto listed = [channels] {
        QTest::mouseClick(channels, Qt::LeftButton);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        return channels->count();
    };
    const int before = listed();

    tree.make_folder("/DEMO/channels/ch3");
    tree.put_string("/DEMO/channels/ch3", "name", "Dock");
    const memory_host::WizardLists lists = memory_host::demo_wizard_lists();
    wizard->set_classes_and_objects(lists.classes, lists.objects);
    wizard->set_sounds({"door.wav", "siren.wav"});
    deliver();
    EXPECT_EQ(before + 1, listed());
    EXPECT_GE(channels->findText("Dock"), 0);
    EXPECT_EQ(2, sounds->count());
    EXPECT_EQ("door.wav", sounds->currentText());
}

TEST_F(Wizard, ConditionRows)
{
    link("activate_on_shortcut");
    link("write_condition");
    QTextEdit *edit = condition(0);
    // "Settings values" from the row's menu, a setting chosen in its dialog.
    const auto insert_setting = [this](const char *path) {
        with_inserter_menu(0, [](QMenu *menu) {
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        answer("settings_dialog", "settingsTree", {path}, false);
    };
    insert_setting("channels/ch1");
    EXPECT_EQ("settings(\"channels/ch1\")", edit->toPlainText())
        << "an empty line takes the text at once";

    const struct
    {
        const char *button;
        const char *result;
    } cases[] = {{"Replace", "settings(\"channels/ch2\")"},
                 {"Insert", "settings(\"channels/ch2\")settings(\"channels/ch2\")"}};
    for (const auto &c : cases) {
        insert_setting("channels/ch2");
        QMessageBox *question = box("replace_box");
        ASSERT_TRUE(question);
        EXPECT_EQ("Replace Confirmation", question->windowTitle());
        for (QAbstractButton *b : question->buttons())
            if (b->text() == c.button)
                QTest::mouseClick(b, Qt::LeftButton);
        settle_events();
        EXPECT_EQ(c.result, edit->toPlainText()) << c.button;
    }

    // Only the first row hides its and/or, whatever moves.
    for (const char *text : {"b", "c"}) {
        QTest::mouseClick(get<QToolButton>("add_condition"), Qt::LeftButton);
        QTest::keyClicks(condition(page->condition_grid()->count() - 1), text);
    }
    QTest::mouseClick(page->condition_grid()->row(1)->findChild<QWidget *>("or"), Qt::LeftButton);
    auto check = [&](const char *when) {
        for (int i = 0; i < page->condition_grid()->count(); ++i)
            EXPECT_EQ(i == 0,
                      page->condition_grid()->row(i)->findChild<QWidget *>("junction")->isHidden())
                << when << " row " << i;
    };
    check("built");
    click_row(page->condition_grid()->row(1), "up");
    check("second moved up");
    click_row(page->condition_grid()->row(0), "up");
    check("top row up: nothing");
    click_row(page->condition_grid()->row(2), "down");
    check("bottom row down: nothing");
    click_row(page->condition_grid()->row(0), "delete_condition");
    check("first deleted");
    EXPECT_EQ(2, page->condition_grid()->count());
    EXPECT_EQ("c", condition(1)->toPlainText());
    click_row(page->condition_grid()->row(0), "delete_condition");
    click_row(page->condition_grid()->row(0), "delete_condition");
    EXPECT_FALSE(get<QLabel>("condition_always")->isHidden());
    EXPECT_TRUE(get<QToolButton>("add_condition")->isHidden());
}

TEST_F(Wizard, ErrorPopupPointsAtTheFailingPart)
{
    link("activate_on_schedule");
    link("write_condition");
    link("wait");
    link("wait");
    settle_events();
    // Actions are numbered from 0, as the generator writes them.
    tree.put_string(rule_path, "script",
                    "# ACTIVATION\nx\n# CONDITION\ny\n# ACTION_0\nz\n# ACTION_1\nw\n");
    QWidget *name = get<QWidget>("name");
    const QPoint name_end = name->mapToGlobal(QPoint(name->width(), name->height() / 2));
    const std::pair<int, QPoint> cases[] = {
        {6, action_row(0)->mapToGlobal(QPoint(150, 0))},
        {8, action_row(1)->mapToGlobal(QPoint(150, 0))},
        {4, get<QWidget>("condition_frame")->findChild<QLabel *>()->mapToGlobal(QPoint(100, 0))},
        {2, get<QWidget>("activation_stack")->mapToGlobal(QPoint(150, 0))},
        {-1, name_end},
        {10, name_end},
    };
    QApplication::setActiveWindow(page.get());
    QTest::mouseClick(name, Qt::LeftButton);
    bool by_escape = true;
    for (const auto &c : cases) {
        tree.put_integer(rule_stats_path, "error_count", c.first + 10);
        tree.put_string(rule_stats_path, "last_error", "SyntaxError");
        tree.put_integer(rule_stats_path, "last_error_line", c.first);
        settle_events();
        EXPECT_EQ(c.second, page->error_anchor()) << c.first;
        EXPECT_EQ(QString::number(c.first + 10), get<QLabel>("error_count")->text());
        QPointer<Reusable::QPopup> popup = page->findChild<Reusable::QPopup *>("error_popup");
        ASSERT_TRUE(popup);
        EXPECT_EQ(name, QApplication::focusWidget()) << "the popup leaves the keyboard to the page";
        // Escape or a click elsewhere closes it.
        if (by_escape)
            QTest::keyClick(name, Qt::Key_Escape);
        else
            QTest::mouseClick(name, Qt::LeftButton);
        by_escape = !by_escape;
        settle_events();
        EXPECT_FALSE(popup) << c.first;
    }
}

TEST_F(Wizard, SaveRightsResetAndDelete)
{
    link("activate_on_shortcut");
    QTest::keyClick(get<QLineEdit>("shortcut"), Qt::Key_F5);
    QTest::keyClick(page.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(page->modified());
    save();
    EXPECT_NE(std::string::npos, tree.string_value(rule_path, "script").find("F5"));

    // Unsaved changes are saved when the page goes.
    link("wait");
    page.reset();
    EXPECT_EQ(1, tree.integer_value(rule_path, "action_count"));

    // Without the change right the rule shows but nothing can be changed.
    tree.set_rights(rule_path, 0xff & ~64);
    page = open_page();
    EXPECT_EQ("F5", get<QLineEdit>("shortcut")->text());
    for (const char *name : {"activation_stack", "condition_frame", "actions_frame",
                             "delete_button", "reset_button", "save_button"})
        EXPECT_FALSE(get<QWidget>(name)->isEnabled()) << name;
    EXPECT_FALSE(click_link(page.get(), "wait"));
    tree.clear_calls();
    page.reset();
    EXPECT_TRUE(tree.calls_of("set_integer").empty());

    tree.set_rights(rule_path, 0xff);
    page = open_page();
    QTest::mouseClick(get<QPushButton>("reset_button"), Qt::LeftButton);
    QMessageBox *question = box("reset_box");
    ASSERT_TRUE(question);
    EXPECT_EQ("Are you sure you want to reset rule 'Night'?", question->text());
    QTest::mouseClick(question->button(QMessageBox::No), Qt::LeftButton);
    settle_events();
    EXPECT_EQ(1, page->action_grid()->count());
    QTest::mouseClick(get<QPushButton>("reset_button"), Qt::LeftButton);
    QTest::mouseClick(box("reset_box")->button(QMessageBox::Yes), Qt::LeftButton);
    settle_events();
    EXPECT_EQ(0, page->action_grid()->count());
    EXPECT_EQ(-1, tree.integer_value(rule_path, "activation_type"));
    EXPECT_EQ(0, tree.integer_value(rule_path, "action_count"));

    tree.clear_calls();
    const std::string question_text =
        "Delete Confirmation: Are you sure you want to delete rule 'Night'?\n";
    EXPECT_EQ(question_text + question_text + "/DEMO/scripts rule_erase=r1\n",
              delete_no_then_yes(page.get(), "delete_button", tree));
}

TEST_F(Wizard, NoSoundOnArm)
{
    QSetupRule::set_arm_platform_query([] { return true; });
    // r2 holds a sound among its eight actions.
    page.reset(new QSetupRule(&navigator, tree.folder("/DEMO/scripts/r2"), host.server_root()));
    QSetupRule::set_arm_platform_query([] { return false; });
    EXPECT_FALSE(get<QLabel>("action_links")->text().contains("play_sound"));
    ASSERT_EQ(7, page->action_grid()->count());
    for (const rule::Action &a : page->rule_value().actions)
        EXPECT_NE(rule::PLAY_SOUND, a.code);
}

} // namespace
