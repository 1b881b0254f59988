#include "script-setup/setup-scripts-folder.h"
#include "tests/support/link-click.h"
#include "tests/support/page-fixture.h"
#include "tests/support/sweep-check.h"
#include "tests/support/tree-file.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <climits>
#include <memory>

using namespace memory_host;

namespace {

const char *folder_path = "/DEMO/scripts";

// Two rules, a script, a cloud script, a schedule, an e-mail account and a
// folder of no type; every kind's new guid is "{NEW-kind}".
const char *const server_file = "scripts-folder/server.json";

class ScriptsFolderPage : public PageTest
{
protected:
    void SetUp() override
    {
        load_tree_file(tree, server_file);
        page.reset(
            new QSetupScriptsFolder(&navigator, tree.folder(folder_path), host.server_root()));
        settle_events();
    }
    // The five counters, in the page's order.
    std::string counts()
    {
        QStringList out;
        for (const char *name :
             {"countscript", "countrule", "countschedule", "countaccount", "countloop"})
            out << page->findChild<QLabel *>(name)->text().remove("Server has ");
        return out.join(", ").toStdString();
    }
    void click(const char *link)
    {
        EXPECT_TRUE(click_link(page.get(), link)) << link;
        settle_events();
    }
    std::unique_ptr<QSetupScriptsFolder> page;
};

TEST_F(ScriptsFolderPage, CountsEachKindOnceAndFollowsTheServer)
{
    EXPECT_EQ("1 scripts, 2 rules, 1 schedules, 1 e-mail accounts, 0 template loops", counts());

    tree.make_folder("/DEMO/scripts/loop1", "TemplateLoop");
    settle_events();
    EXPECT_EQ("1 scripts, 2 rules, 1 schedules, 1 e-mail accounts, 1 template loops", counts());
    tree.erase("/DEMO/scripts/r1");
    settle_events();
    EXPECT_EQ("1 scripts, 1 rules, 1 schedules, 1 e-mail accounts, 1 template loops", counts())
        << "rebuilt, not double counted";
}

// Each kind's counter and guid keys are the server simulator's test.
TEST_F(ScriptsFolderPage, EachClickCountsFromTheTopAgainAndFollowsTheCurrentGuid)
{
    tree.put_integer(folder_path, "rule_create_now", INT_MAX); // starts again, no overflow
    click("newrule");
    tree.put_string(folder_path, "rule_new_guid", "{SECOND}");
    click("newrule");
    EXPECT_EQ(1, tree.integer_value(folder_path, "rule_create_now"));
    EXPECT_EQ((QStringList{"/DEMO/scripts/{NEW-rule}", "/DEMO/scripts/{SECOND}"}), navigator.paths);
    EXPECT_EQ(2u, tree.calls_of("set_integer").size()) << "one write per click";

    navigator.paths.clear();
    tree.put_integer(folder_path, "rule_create_now", INT_MIN);
    tree.fail_calls(FaultRule{"get_string", "", "rule_new_guid", 1, "server busy"});
    click("newrule");
    EXPECT_TRUE(host.log().contains("GUI: server busy", 2));
    EXPECT_EQ(QStringList{"/DEMO/scripts/"}, navigator.paths) << "refused, still navigates";
    EXPECT_EQ(INT_MIN + 1, tree.integer_value(folder_path, "rule_create_now"));
}

TEST_F(ScriptsFolderPage, EachLinkTakesOneTabShowsItAndEnterFollowsIt)
{
    page->show();
    QApplication::setActiveWindow(page.get());
    // The window gave the focus to the first link; Tab goes round.
    auto marked = [] {
        auto *label = qobject_cast<QLabel *>(QApplication::focusWidget());
        return label && label->hasSelectedText() ? label->objectName() : QString("unmarked");
    };
    QStringList forward, backward;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        forward << marked();
    }
    EXPECT_EQ((QStringList{"newrule", "newschedule", "newemail", "newloop", "newscript"}), forward);
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        backward << marked();
    }
    EXPECT_EQ((QStringList{"newloop", "newemail", "newschedule", "newrule", "newscript"}),
              backward);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    settle_events();
    EXPECT_EQ(QStringList{"/DEMO/scripts/{NEW-rule}"}, navigator.paths);
    EXPECT_EQ(1, tree.integer_value(folder_path, "rule_create_now"));
}

TEST(ScriptsFolderFaults, EveryRefusedCallIsLoggedAndLeavesNoLockBehind)
{
    expect_sweep_clean(
        [](MemoryTree &tree) { load_tree_file(tree, server_file); },
        [](MemoryHost &host) {
            RecordingNavigator navigator;
            QSetupScriptsFolder page(&navigator, host.tree().folder(folder_path),
                                     host.server_root());
            settle_events();
            for (const char *link : {"newscript", "newrule", "newschedule", "newemail", "newloop"})
                click_link(&page, link);
            host.tree().make_folder("/DEMO/scripts/new", "Rule");
            settle_events();
            host.tree().erase("/DEMO/scripts/r1");
            settle_events();
            // Still answering: a new folder is still counted.
            host.tree().make_folder("/DEMO/scripts/probe", "TemplateLoop");
            settle_events();
            // A refused path() costs one navigation, nothing more.
            return navigator.paths.size() >= 4 &&
                   page.findChild<QLabel *>("countloop")->text().startsWith("Server has");
        },
        20);
}

} // namespace
