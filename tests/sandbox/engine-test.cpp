// Generated rules and loops run by the sandbox's scripting environment,
// fired through the program's --fire command: what their traces show, and
// what the engine writes into their statistics.

#include "sandbox/engine/engine-ui.h"
#include "sandbox/engine/script-environment.h"
#include "sandbox/engine/trace-pane.h"
#include "sandbox/main-window.h"
#include "sandbox/server-simulator.h"
#include "sandbox/session.h"
#include "script-setup/loop/loop-script.h"
#include "script-setup/rule/rule-script.h"
#include "tests/script-setup/rule/rule-fixture.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

namespace {

using memory_host::Value;

const char *const rule_folder = "{0E5A1B2C-0000-4000-8000-000000000001}";
const QString rule_path = QStringLiteral("/DEMO/scripts/") + rule_folder;

QString rule_script(const QJsonValue &rule)
{
    return rule::generate_script(rule_test::rule_from_json(rule.toObject()), {}).text;
}

QString loop_script()
{
    loop::LoopScriptInput input;
    input.monitor = 2;
    input.shortcut = QStringLiteral("F5");
    input.operator_gui = "{D3A93A74-35CF-4D60-92EA-C08C6597707E}";
    input.entries = {{"g1", 5, loop::TEMPLATE}, {"c1", 10, loop::CHANNEL}};
    return loop::generate_loop_script(input);
}

// The demo server with one more object in its scripts folder, and a
// screenshots folder that can be written.
class Engine : public ::testing::Test
{
protected:
    std::unique_ptr<sandbox::Session> session_with(const char *kind, const QString &script)
    {
        QString error;
        auto session = sandbox::Session::open({}, &error);
        const std::string path = rule_path.toStdString();
        session->simulator().create_object("/DEMO/scripts", *sandbox::kind_named(kind),
                                           rule_folder);
        // Written without a notice, so that nothing runs the script before the test does.
        session->tree().put(path, "script", Value::of_string(script.toStdString()), false);
        session->tree().put(path, "enable", Value::of_integer(1), false);
        session->tree().put_string("/DEMO/system_wide_options", "screenshots_folder",
                                   dir.filePath("shots").toStdString());
        QDir().mkpath(dir.filePath("shots"));
        return session;
    }

    // The trace entries of the object under test.
    std::vector<QJsonObject> fire(const QString &tree, const QStringList &arguments)
    {
        QProcess process;
        process.start(VX_SANDBOX_PROGRAM,
                      QStringList{"--tree", tree, "--horizon", "30"} + arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(0, process.exitCode()) << process.readAllStandardError().toStdString();
        std::vector<QJsonObject> entries;
        for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
            const QJsonObject entry = QJsonDocument::fromJson(line).object();
            if (entry["script"].toString() == rule_path)
                entries.push_back(entry);
        }
        return entries;
    }

    QTemporaryDir dir;
};

// What happened, entry by entry: "<virtual ms> <what> <details>"; an error
// shows the text of the line it names.
QString summary(const std::vector<QJsonObject> &entries, const QString &script)
{
    const QStringList lines = script.split('\n');
    // The member that details an entry of each kind that needs no more.
    const QHash<QString, QString> member = {{"lock", "state"},   {"wait", "ms"},
                                            {"sound", "file"},   {"alert", "text"},
                                            {"message", "text"}, {"print", "text"}};
    QStringList out;
    for (const QJsonObject &e : entries) {
        const QString what = e["what"].toString();
        QString detail = e[member.value(what)].toVariant().toString();
        if (what == "file")
            detail = e["path"].toString().section('.', -1);
        else if (what == "call" && e.contains("object"))
            detail = e["function"].toString() + ' ' + e["args"][0].toString() + ' ' +
                     QString::number(e["args"][1].toInt());
        else if (what == "mail") {
            int attached = 0;
            for (const QJsonValue &a : e["attachments"].toArray())
                attached += a["bytes"].isDouble() ? 1 : 0;
            detail = QStringLiteral("%1, %2 attached").arg(e["subject"].toString()).arg(attached);
        } else if (what == "error")
            detail = lines.value(e["line"].toInt() - 1).trimmed() + " | " +
                     e["message"].toString().section(':', 0, 0);
        else if (!member.contains(what))
            continue;
        out << QStringLiteral("%1 %2 %3").arg(e["at"].toInt()).arg(what, detail);
    }
    return out.join("\n");
}

// Each run of the table under tests/data: a rule (generated from its stored
// form), the loop above or a script's text, the --fire arguments, and the
// summary of its trace.
TEST_F(Engine, TracesShowWhatEachRunDidOnTheVirtualClock)
{
    QFile runs(QStringLiteral(VX_TEST_DATA_DIR "/sandbox/engine-runs.json"));
    ASSERT_TRUE(runs.open(QIODevice::ReadOnly));
    const QJsonArray table = QJsonDocument::fromJson(runs.readAll()).array();
    ASSERT_FALSE(table.isEmpty());
    for (const QJsonValue run : table) {
        SCOPED_TRACE(run["name"].toString().toStdString());
        const bool is_rule = run["rule"].isObject(), is_loop = run["loop"].toBool();
        const QString script = is_rule   ? rule_script(run["rule"])
                               : is_loop ? loop_script()
                                         : run["script"].toString();
        const QString tree = dir.filePath("tree.json");
        QString error;
        ASSERT_TRUE(session_with(is_rule   ? "rule"
                                 : is_loop ? "loop"
                                           : "script",
                                 script)
                        ->save_as(tree, &error))
            << error.toStdString();
        const QString expected = run["trace"].toVariant().toStringList().join('\n');
        EXPECT_EQ(
            expected.toStdString(),
            summary(fire(tree, run["fire"].toVariant().toStringList()), script).toStdString());
        // The statistics as the program saved them.
        QFile saved(tree);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        const QJsonValue scripts =
            QJsonDocument::fromJson(saved.readAll())["folders"]["DEMO"]["folders"]["scripts"];
        const QJsonObject stats =
            scripts["folders"][rule_folder]["folders"]["stats"]["keys"].toObject();
        const bool failing = expected.contains(" error ");
        EXPECT_EQ(failing ? 1 : 0, stats["error_count"].toInt());
        if (is_rule) { // a refused activation is not a run
            EXPECT_EQ(1, stats["run_count"].toInt());
        }
        if (failing) { // the statistics name the same line and error as the trace
            const QString line = script.split('\n').value(stats["last_error_line"].toInt() - 1);
            EXPECT_TRUE(expected.contains(" error " + line.trimmed() + " | " +
                                          stats["last_error"].toString().section(':', 0, 0)));
        }
    }
}

TEST_F(Engine, TheSandboxAnswersWhileAScriptLoopsAndTheLimitEndsIt)
{
    auto session = session_with(
        "script", "def spin():\n    while True: pass\n\nactivate_on_shortcut('F9', spin)\n");
    sandbox::ScriptEnvironment environment(*session);
    sandbox::EngineSettings settings;
    settings.time_limit_s = 1;
    environment.set_settings(settings);
    QSignalSpy idle(&environment, &sandbox::ScriptEnvironment::idle);
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(50);
    QString error;
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(environment.fire({{"-", "shortcut", "F9"}}, &error)) << error.toStdString();
    EXPECT_TRUE(environment.busy());
    ASSERT_TRUE(idle.wait(10000));
    EXPECT_GE(clock.elapsed(), 900) << "not ended before its limit";
    EXPECT_GE(ticks, 5); // the event loop went on while the script looped
}

TEST_F(Engine, TheWindowRunsARuleAsAnActionAndShowsTheRun)
{
    const char *relay_on = R"({"activation": {"code": 6},
                               "actions": [{"code": 1, "object": "Relay 1", "method": "on"}]})";
    auto session = session_with("rule", rule_script(QJsonDocument::fromJson(relay_on).object()));
    sandbox::MainWindow window(*session, QString());
    sandbox::EngineUi &ui = *window.engine_ui();
    QSignalSpy idle(ui.environment(), &sandbox::ScriptEnvironment::idle);
    ASSERT_TRUE(ui.fire({rule_path, "action", QString()}));
    ASSERT_TRUE(idle.wait(10000));
    QStringList shown;
    for (int i = 0; i < ui.trace_pane()->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *run = ui.trace_pane()->topLevelItem(i);
        if (run->isHidden())
            continue;
        shown << run->text(sandbox::TracePane::WHAT);
        for (int c = 0; c < run->childCount(); ++c)
            shown << "  " + run->child(c)->text(sandbox::TracePane::WHAT);
    }
    const QString text = shown.join('\n');
    EXPECT_TRUE(text.contains(QRegularExpression(
        "Run \\d+ · New rule · a run as an action\n(  .*\n)*  calls Relay 1.on\\(\\)")))
        << text.toStdString();
    // The demo's own rules did not hear it.
    EXPECT_EQ(1, shown.filter(QRegularExpression("^Run (?!.*loading)")).size())
        << text.toStdString();
}

} // namespace
