// The rule page in the sandbox as a new user meets it: create a rule with a
// condition, save and see it run; a broken condition is pointed at.

#include "sandbox/script-engine.h"
#include "tests/sandbox/sandbox-fixture.h"
#include "tests/support/link-click.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

namespace {

using RuleWalk = SandboxTest;

TEST_F(RuleWalk, RuleRunsAndABrokenConditionIsPointedAt)
{
    if (!sandbox::ScriptEngine::python_available())
        GTEST_SKIP() << "python3 is not installed";
    start();
    const std::string path =
        scripts() + "/" + session->tree().string_value(scripts(), "rule_new_guid");
    session->tree().folder(scripts())->set_integer("rule_create_now", 1);
    session->settle();
    // No link offers activation on action run: the server stores it.
    session->tree().folder(path)->set_integer("activation_type", 6);
    session->settle();
    QWidget *page = window->open_folder(QString::fromStdString(path));
    for (const char *href : {"write_condition", "wait"})
        EXPECT_TRUE(click_link(page, href)) << href;
    auto *condition = child<QTextEdit>(page, "condition");
    ASSERT_TRUE(condition);
    condition->setFocus();
    auto *save = child<QPushButton>(page, "save_button");

    QTest::keyClicks(condition, "settings(\"archive\")[\"prebuffer\"] > 2");
    QTest::mouseClick(save, Qt::LeftButton);
    session->settle();
    EXPECT_EQ(1, session->tree().integer_value(path + "/stats", "run_count"));
    EXPECT_EQ("1", child<QLabel>(page, "run_count")->text());

    QTest::keyClicks(condition, " and (");
    QTest::mouseClick(save, Qt::LeftButton);
    session->settle();
    EXPECT_EQ(1, session->tree().integer_value(path + "/stats", "error_count"));
    auto *title = child<QWidget>(page, "condition_frame")->findChild<QLabel *>();
    auto *popup = child<QWidget>(page, "error_popup");
    ASSERT_TRUE(popup);
    // The window frame of the popup may shift it by a few pixels.
    EXPECT_LE((title->mapToGlobal(QPoint(100, 0)) - popup->pos()).manhattanLength(), 6);
    popup->close();
}

} // namespace
