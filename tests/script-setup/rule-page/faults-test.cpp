// Opening, saving, resetting and deleting a rule with every action kind,
// with each host call refused in turn.

#include "tests/script-setup/rule-page/rule-page-fixture.h"

#include "memory-host/fault-sweep.h"
#include "script-setup/rule/rule-folder.h"

#include <QMessageBox>

namespace {

rule::StoredRule every_action_kind()
{
    rule::StoredRule s;
    s.activation_code = rule::ON_EVENT;
    s.activation_list = QStringList{"Motion"};
    s.activation_names = QStringList{""};
    s.activation_params = QStringList{"Cam 1"};
    s.condition = "event.zone == 1 or event.level > 2  ";
    s.actions = {
        {rule::CALL_METHOD, "object(\"Cam 1\").move(integer_x)", "5;", ""},
        {rule::WAIT, "", "3", ""},
        {rule::PLAY_SOUND, "", "bell.wav", ""},
        {rule::EXPORT_VIDEO, "ch1_DEMO", "30,ss", "e1"},
        {rule::CHANGE_SETTINGS, "a/b/c:integer", "5", ""},
        {rule::TAKE_SCREENSHOT, "ch2_DEMO", "0", "s1"},
        {rule::SEND_EMAIL, "", "acc1\na@b.c\nHi\ne1;s1\nBody", ""},
        {rule::POS_REPORT, "", "13\n1\n", "p1"},
    };
    return s;
}

TEST(RulePageFaults, EveryRefusedCallIsSurvivedAndLogged)
{
    memory_host::FaultSweep sweep;
    sweep.make_host = [] {
        auto host = std::make_unique<memory_host::MemoryHost>();
        load_tree_file(host->tree(), rule_tree_file);
        host->set_deterministic_guids(true);
        rule::save_stored_rule(host->tree().folder(rule_path), every_action_kind());
        return host;
    };
    sweep.scenario = [](memory_host::MemoryHost &host) {
        vx_init(&host);
        RecordingNavigator navigator;
        bool answers = false;
        {
            QSetupRule page(&navigator, host.tree().folder(rule_path), host.server_root());
            settle_events();
            host.tree().put_string(rule_stats_path, "last_error", "NameError");
            host.tree().put_integer(rule_stats_path, "last_error_line", 3);
            settle_events();
            page.link_activated("wait");
            page.save_button_clicked();
            // A save cut short leaves whole actions in order, never a mixed
            // list; a page that could not read the rule leaves it alone.
            rule::VariableNames names;
            const auto built = rule::encode_rule(page.rule_value(), names).actions;
            const auto read = rule::load_stored_rule(host.tree().folder(rule_path)).actions;
            answers = read == every_action_kind().actions ||
                      (read.size() <= built.size() &&
                       std::equal(read.begin(), read.end(), built.begin()));
            page.convert_to_script();
            page.reset_rule(QMessageBox::Yes);
            page.delete_confirmed(QMessageBox::Yes);
            rule::delete_rule(host.tree().folder(rule_path)); // the page erases by itself
            page.link_activated("activate_on_action");
            answers &= page.modified() && page.activation_kind() == rule::ON_ACTION_RUN;
            for (QWidget *w : page.findChildren<QWidget *>("error_popup"))
                w->close();
        }
        settle_events();
        vx_done();
        return answers;
    };
    const memory_host::FaultSweepReport report = sweep.run();
    EXPECT_TRUE(report.ok()) << report.summary();
    EXPECT_GT(report.calls, 100);
}

} // namespace
