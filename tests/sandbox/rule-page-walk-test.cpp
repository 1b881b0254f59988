// The rule page in the sandbox as a new user meets it: create a rule, build
// an event rule with a condition and three actions, save and see it run; a
// broken condition is pointed at.

#include "sandbox/script-engine.h"
#include "tests/sandbox/sandbox-fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>

namespace {

class RuleWalk : public SandboxTest
{
protected:
    // The page comes from the plug-in library: its slots are reached by name.
    QWidget *create_rule()
    {
        const std::string guid = session->tree().string_value(scripts(), "rule_new_guid");
        QWidget *folder_page = window->open_folder(QString::fromStdString(scripts()));
        auto *link = child<QLabel>(folder_page, "newrule");
        EXPECT_TRUE(link);
        if (!link)
            return nullptr;
        Q_EMIT link->linkActivated(QStringLiteral("newrule"));
        session->settle();
        path = scripts() + "/" + guid;
        return window->open_folder(QString::fromStdString(path));
    }
    void link(QWidget *page, const char *href)
    {
        QMetaObject::invokeMethod(page, "link_activated",
                                  Q_ARG(QString, QString::fromLatin1(href)));
    }
    void save(QWidget *page)
    {
        QTest::mouseClick(child<QPushButton>(page, "save_button"), Qt::LeftButton);
        session->settle();
    }
    QTextEdit *condition(QWidget *page) { return child<QTextEdit>(page, "condition"); }
    int stat(const char *key) { return session->tree().integer_value(path + "/stats", key); }
    std::string path;
};

TEST_F(RuleWalk, EventRuleRunsAndABrokenConditionIsPointedAt)
{
    if (!sandbox::ScriptEngine::python_available())
        GTEST_SKIP() << "python3 is not installed";
    start();
    QWidget *page = create_rule();
    ASSERT_TRUE(page);
    link(page, "activate_on_event");
    auto *events = child<QDialog>(page, "events_filter_dialog");
    ASSERT_TRUE(events);
    QMetaObject::invokeMethod(page, "events_filter", Q_ARG(QString, "Motion Detected"));
    delete events;
    link(page, "write_condition");
    condition(page)->setFocus();
    QTest::keyClicks(condition(page), "event.type == \"Motion Detected\"");
    link(page, "wait");
    child<QSpinBox>(page, "seconds")->setValue(2);
    link(page, "take_screenshot");
    link(page, "send_email");
    auto *account = child<QComboBox>(page, "account");
    ASSERT_GT(account->count(), 1);
    account->setCurrentIndex(1);
    QTest::keyClicks(child<QLineEdit>(page, "recipients"), "duty@example.com");
    auto *shot = child<QWidget>(page, "attachments")->findChild<QCheckBox *>();
    ASSERT_TRUE(shot);
    shot->setChecked(true);

    const int runs = stat("run_count");
    save(page);
    EXPECT_EQ(runs + 1, stat("run_count"));
    EXPECT_EQ("", session->tree().string_value(path + "/stats", "last_error"));
    EXPECT_EQ(QString::number(runs + 1), child<QLabel>(page, "run_count")->text());

    condition(page)->setFocus();
    QTest::keyClicks(condition(page), " and (");
    save(page);
    EXPECT_EQ(1, stat("error_count"));
    auto *title = child<QWidget>(page, "condition_frame")->findChild<QLabel *>();
    auto *popup = child<QWidget>(page, "error_popup");
    ASSERT_TRUE(popup);
    // The window frame of the popup may shift it by a few pixels.
    EXPECT_LE((title->mapToGlobal(QPoint(100, 0)) - popup->pos()).manhattanLength(), 6);
    popup->close();
}

} // namespace
