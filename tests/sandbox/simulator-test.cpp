// The server simulator against the real plug-in: objects created through the
// scripts folder page's links, erase requests, languages, and the script
// engine stand-in's syntax check.

#include "sandbox/object-kinds.h"
#include "sandbox/script-engine.h"
#include "tests/sandbox/sandbox-fixture.h"
#include "tests/support/link-click.h"

#include <QLabel>

namespace {

using ServerSimulatorTest = SandboxTest;

// Every kind's link on the scripts folder page: a folder of its type with a
// name of its own (a second rule shows that the next guid is a fresh one),
// statistics where the kind keeps them, and the window on the new folder.
// Its keys are what the walks through the new pages read.
TEST_F(ServerSimulatorTest, LinksCreateTypedFoldersAndOpenThem)
{
    start();
    const struct
    {
        const char *link, *type, *guid_key, *name;
    } kinds[] = {
        {"newrule", "Rule", "rule_new_guid", "New rule"},
        {"newrule", "Rule", "rule_new_guid", "New rule 2"},
        {"newscript", "Script", "script_new_guid", "New script"},
        {"newschedule", "Schedule", "schedule_new_guid", "New schedule"},
        {"newemail", "EmailAccount", "email_account_new_guid", "New e-mail account"},
        {"newloop", "TemplateLoop", "loop_new_guid", "New template loop"},
    };
    for (const auto &c : kinds) {
        SCOPED_TRACE(c.type);
        const std::string announced = session->tree().string_value(scripts(), c.guid_key);
        const size_t before = objects_of(c.type).size();
        QWidget *page = window->open_folder(QString::fromStdString(scripts()));
        ASSERT_TRUE(click_link(page, c.link));
        session->settle();

        const std::string created = scripts() + "/" + announced;
        ASSERT_EQ(before + 1, objects_of(c.type).size());
        EXPECT_EQ(c.name, session->tree().string_value(created, "name"));
        EXPECT_EQ(!sandbox::stats_keys(c.type).empty(),
                  session->tree().folder(created + "/stats") != nullptr);
        EXPECT_EQ(QString::fromStdString(created), window->current_path());
    }
}

TEST_F(ServerSimulatorTest, EraseRemovesOnlyAFolderOfTheNamedKind)
{
    start();
    const std::string rule = objects_of("Rule").front();
    const std::string schedule = objects_of("Schedule").front();
    window->open_folder(QString::fromStdString(rule));
    Settings folder = session->tree().folder(scripts());
    folder->set_string("rule_erase", schedule.substr(scripts().size() + 1));
    session->settle();
    EXPECT_TRUE(session->tree().folder(schedule)) << "a rule erase does not remove a schedule";
    EXPECT_TRUE(session->host().log().contains("not erased", 2));

    folder->set_string("rule_erase", rule.substr(scripts().size() + 1));
    session->settle();
    EXPECT_FALSE(session->tree().folder(rule));
    EXPECT_EQ("", session->tree().string_value(scripts(), "rule_erase")) << "command consumed";
    EXPECT_EQ(QString::fromStdString(scripts()), window->current_path())
        << "the window falls back to the parent of an erased folder";
}

// A script's keys as the server answers them: an added language joins the
// available ones once, an update adds none, and only a new text of an enabled
// script runs it (what a run reports is followed through the page in the
// walk test).
TEST_F(ServerSimulatorTest, ScriptKeysAreAnsweredAsTheServerWould)
{
    start();
    const std::string script = objects_of("Script").front();
    const std::string stats = script + "/stats";
    Settings folder = session->tree().folder(script);
    const int runs = session->tree().integer_value(stats, "run_count");
    session->tree().put_string(script, "available_languages", "en,ru");
    session->tree().put_integer(script, "enable", 1);
    folder->set_string("add_language", "de");
    session->settle();
    folder->set_string("add_language", "ru");
    folder->set_string("lupdate", "fr,en");
    session->settle();
    EXPECT_EQ("en,ru,de", session->tree().string_value(script, "available_languages"))
        << "an update adds no language";
    EXPECT_EQ("", session->tree().string_value(script, "add_language"));
    session->tree().put_integer(script, "enable", 0);
    folder->set_string("script", "x = 1\n");
    session->settle();
    EXPECT_EQ(runs, session->tree().integer_value(stats, "run_count"))
        << "neither other keys nor disabled scripts run";
}

// What the checker printed, and what is read from it.
TEST(SyntaxCheckOutput, ReadsWhatTheCheckerPrints)
{
    const std::pair<const char *, const char *> rows[] = {
        {"OK\n", "ran, ok, line -1: "},
        {"ERROR\t-1\tValueError: null bytes\n", "ran, failed, line -1: ValueError: null bytes"},
        {"ERROR\t7\tTabError: a\tb\n", "ran, failed, line 7: TabError: a\tb"},
        {"", "not ran, failed, line -1: "},
        {"Traceback (most recent call last):", "not ran, failed, line -1: "},
        {"WARNING\t4\tSyntaxWarning: \"is\" with a literal\nWARNING\t9\tx\nOK\n",
         "ran, ok, line -1: "},
    };
    for (const auto &row : rows) {
        const sandbox::SyntaxCheck c = sandbox::parse_check_output(row.first);
        EXPECT_EQ(row.second, std::string(c.ran ? "ran" : "not ran") +
                                  (c.ok ? ", ok" : ", failed") + ", line " +
                                  std::to_string(c.line) + ": " + c.message)
            << row.first;
    }
}

} // namespace
