// Opening, saving, resetting and deleting a rule with every action kind,
// with each host call refused in turn.

#include "tests/script-setup/rule-page/rule-page-fixture.h"

#include "script-setup/rule/rule-folder.h"
#include "tests/support/sweep-check.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

// r2 of the page tree holds a rule with every action kind.
const char *const path = "/DEMO/scripts/r2";
const char *const stats_path = "/DEMO/scripts/r2/stats";

TEST(RulePageFaults, EveryRefusedCallIsSurvivedAndLogged)
{
    memory_host::MemoryHost plain;
    load_tree_file(plain.tree(), rule_tree_file);
    const auto stored = rule::load_stored_rule(plain.tree().folder(path)).actions;
    ASSERT_EQ(8u, stored.size());
    const auto scenario = [&stored](memory_host::MemoryHost &host) {
        vx_init(&host);
        RecordingNavigator navigator;
        bool answers = false;
        {
            QSetupRule page(&navigator, host.tree().folder(path), host.server_root());
            page.resize(1000, 800);
            page.show();
            settle_events();
            host.tree().put_string(stats_path, "last_error", "NameError");
            host.tree().put_integer(stats_path, "last_error_line", 3);
            settle_events();
            const auto answer_yes = [&page](const char *button, const char *box) {
                QTest::mouseClick(page.findChild<QPushButton *>(button), Qt::LeftButton);
                if (auto *question = page.findChild<QMessageBox *>(box))
                    QTest::mouseClick(question->button(QMessageBox::Yes), Qt::LeftButton);
                settle_events();
            };
            click_link(&page, "wait");
            QTest::keyClick(&page, Qt::Key_S, Qt::ControlModifier);
            // A save cut short leaves whole actions in order, never a mixed
            // list; a page that could not read the rule leaves it alone.
            rule::VariableNames names;
            const auto built = rule::encode_rule(page.rule_value(), names).actions;
            const auto read = rule::load_stored_rule(host.tree().folder(path)).actions;
            answers = read == stored || (read.size() <= built.size() &&
                                         std::equal(read.begin(), read.end(), built.begin()));
            QTest::mouseClick(page.findChild<QPushButton *>("clipboard_button"), Qt::LeftButton);
            answer_yes("reset_button", "reset_box");
            answer_yes("delete_button", "delete_box");
            // A page whose rights could not be read stays disabled.
            answers &= !page.isEnabled() ||
                       (click_link(&page, "activate_on_schedule") && page.modified() &&
                        page.activation_kind() == rule::ON_SCHEDULE);
            for (QWidget *w : page.findChildren<QWidget *>("error_popup"))
                w->close();
        }
        settle_events();
        vx_done();
        return answers;
    };
    expect_sweep_clean([](memory_host::MemoryTree &tree) { load_tree_file(tree, rule_tree_file); },
                       scenario, 100);
}

} // namespace
