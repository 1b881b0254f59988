#include "script-setup/rule/rule-script.h"
#include "tests/script-setup/rule/rule-fixture.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <random>

using namespace rule_test;

namespace {

struct Golden
{
    const char *file;
    Rule rule;
};

Rule with_activation(int code, void (*fill)(Activation &), std::vector<Action> actions)
{
    Rule r = on_shortcut(std::move(actions));
    r.activation = Activation();
    r.activation.code = code;
    fill(r.activation);
    return r;
}

std::vector<Golden> goldens()
{
    const std::vector<Action> one = {call("Cam 1", "stop")};
    Rule none = with_activation(
        NO_ACTIVATION, [](Activation &) {}, one);
    none.conditions = {{"x > 1", false}, {"y", true}};
    Rule shortcut = on_shortcut(one, "F5_Released");
    shortcut.activation.panel_shortcut = "U3";
    shortcut.conditions = {{"a == 1", false}, {"b", false}};
    Rule event = with_activation(
        ON_EVENT,
        [](Activation &a) {
            a.event_types = "Motion; Alarm";
            a.all_objects = false;
            a.objects = "Cam 1; Lost";
        },
        one);
    event.known_objects = {{"Cam 1", "{c1}"}};
    const QString out1 = "{o-1}", out2 = "{o-2}";
    return {
        {"activation-none.py", none},
        {"activation-shortcut.py", shortcut},
        {"activation-settings.py",
         with_activation(
             ON_SETTINGS_CHANGE, [](Activation &a) { a.settings = "a/b; c"; }, one)},
        {"activation-state.py",
         with_activation(
             ON_STATE_CHANGE, [](Activation &a) { a.state_objects = "Cam 1;Cam 1"; }, one)},
        {"activation-event.py", event},
        {"activation-schedule.py", with_activation(
                                       ON_SCHEDULE,
                                       [](Activation &a) {
                                           a.schedule = "Night";
                                           a.zone = "Red";
                                       },
                                       one)},
        {"activation-action-run.py", with_activation(
                                         ON_ACTION_RUN, [](Activation &) {}, one)},
        {"action-call-method.py",
         on_shortcut(
             {call("Cam 1", "move", {{"integer", "x", "5"}, {"string", "name", "\"a\""}})})},
        {"action-wait.py", on_shortcut({wait_s(3)})},
        {"action-sound.py", on_shortcut({sound("bell.wav")})},
        {"action-export.py", on_shortcut({shot(EXPORT_VIDEO, "{ch}_DEMO", "Gate", 30, out1)})},
        {"action-settings.py", on_shortcut({setting("archive/days : ", "integer", "7")})},
        {"action-email.py", on_shortcut({mail("a@b.c, d@e.f", "Hi", {}, "Line 1\nLine 2")})},
        {"action-screenshot.py",
         on_shortcut({shot(TAKE_SCREENSHOT, "{ch}_DEMO", "Gate", 0, out1)})},
        {"action-report.py", on_shortcut({report(13, 0, out1)})},
        {"example-wait-sound.py", on_shortcut({wait_s(5), sound("bell.wav")})},
        {"example-screenshots-email.py",
         on_shortcut({shot(TAKE_SCREENSHOT, "{ch}_DEMO", "Gate", 0, out1),
                      shot(TAKE_SCREENSHOT, "{ch}_DEMO", "Gate", 10, out2),
                      mail("a@b.c", "Shots", {out1, out2}, "See attached")})},
        {"example-export-no-channel.py",
         on_shortcut({shot(EXPORT_VIDEO, "{ch}", "Gate", 30, out1)})},
        {"example-export-email.py", on_shortcut({shot(EXPORT_VIDEO, "{ch}_DEMO", "Gate", 30, out1),
                                                 mail("a@b.c", "Video", {out1}, "Exported")})},
        {"example-report-screenshot.py",
         on_shortcut({report(5, 2, out1), shot(TAKE_SCREENSHOT, "{ch}_DEMO", "Gate", 5, out2),
                      mail("a@b.c", "Report", {out1, out2}, "It's done'")})},
    };
}

QString golden_path(const char *file)
{
    return QStringLiteral(VX_TEST_DATA_DIR "/rule/") + QLatin1String(file);
}

// Compiles every file and prints, per file, the string constants Python
// reads from its literals.
const char *const LITERALS = R"(
import ast, json, sys
for path in sys.argv[1:]:
    source = open(path, encoding='utf-8').read()
    compile(source, path, 'exec')
    print(json.dumps([n.value for n in ast.walk(ast.parse(source))
                      if isinstance(n, ast.Constant) and isinstance(n.value, str)]))
)";

TEST(RuleScript, GoldenScriptsWholeAndCompiled)
{
    const bool write = qEnvironmentVariableIsSet("VX_WRITE_GOLDEN");
    QStringList files;
    for (const Golden &g : goldens()) {
        const QString actual = generate_script(g.rule, {}).text;
        QFile file(golden_path(g.file));
        files << file.fileName();
        if (write) {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(actual.toUtf8());
            continue;
        }
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << g.file;
        const QStringList expected = QString::fromUtf8(file.readAll()).split('\n');
        const QStringList lines = actual.split('\n');
        for (int i = 0; i < std::max(expected.size(), lines.size()); ++i)
            ASSERT_EQ(expected.value(i, "<none>"), lines.value(i, "<none>"))
                << g.file << " line " << i + 1;
    }
    EXPECT_EQ(files.size(), run_python(LITERALS, files).count('\n'));
}

TEST(RuleScript, VariablesTakeSuffixesAgainstNamesHandedOut)
{
    Rule r = with_activation(ON_STATE_CHANGE, [](Activation &a) { a.state_objects = "a;a"; }, {});
    const GeneratedScript first = generate_script(r, {});
    EXPECT_EQ(QStringList({"object__a__", "object__a__1"}), first.used_names);
    const GeneratedScript second = generate_script(r, first.used_names);
    EXPECT_TRUE(second.text.contains("\nobject__a__2 = object(\"a\")\n"));
    EXPECT_TRUE(second.text.contains("\nobject__a__3.activate_on_state_changes(aquire_lock)"));
}

TEST(RuleScript, RandomFunctionNamesFollowTheirSource)
{
    EXPECT_EQ("__rw_func__", generate_function_name(true, [] { return 0; }));
    std::minstd_rand random(7);
    int n = 0;
    const auto source = [&] {
        return ++n % 2 ? 8 : int(random() % 32768);
    };
    const QString name = generate_function_name(false, source);
    EXPECT_EQ(27, name.size());
    EXPECT_TRUE(QRegExp("__rw_func__[A-Z]{16}").exactMatch(name)) << name.toStdString();
    EXPECT_EQ("action3_2", generate_readable_function_name(3, 2));
}

// Names full of quotes, backslashes, ''' and line breaks in every literal
// field: Python compiles each script and reads each name back unchanged.
TEST(RuleScript, PythonReadsRandomNamesBackFromTheirLiterals)
{
    const QStringList pieces = {"'", "\"", "\\", "'''", "\n", "\r", "\t",  "\x01", "\x7f",
                                "ю", "字", "😀",  "a",   " ",  "%1", "\\n", "x"};
    std::mt19937 random(20261205);
    const auto name = [&] {
        QString text;
        for (int n = 1 + random() % 6; n > 0; --n)
            text += pieces[int(random() % pieces.size())];
        return text;
    };
    QTemporaryDir dir;
    QStringList files;
    std::vector<QStringList> expected;
    for (int round = 0; round < 40; ++round) {
        const QString n[] = {name(), name(), name(), name(), name(), name(), name(), name()};
        Rule r = on_shortcut({sound(n[0]), shot(EXPORT_VIDEO, n[1] + "_DEMO", n[2], 5, n[3]),
                              shot(TAKE_SCREENSHOT, n[1] + "_DEMO", n[2], 0, n[4]),
                              mail(n[5] + "@x", n[6], {n[3], n[4]}, n[7]), call(n[0], "m"),
                              setting(n[5] + "/" + n[6], "string", "1")},
                             n[7]);
        r.activation.panel_shortcut = n[6];
        files << dir.filePath(QStringLiteral("r%1.py").arg(round));
        QFile file(files.back());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(generate_script(r, {}).text.toUtf8());
        expected.push_back({n[0], n[1], n[2] + "_", n[3], n[4], n[5], n[6], n[7]});
        expected.back() += (n[5] + "@x").split(QRegExp("[, ]+"));
    }
    const QList<QByteArray> lines = run_python(LITERALS, files).trimmed().split('\n');
    ASSERT_EQ(files.size(), lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QVariantList read = QJsonDocument::fromJson(lines[i]).array().toVariantList();
        for (const QString &text : expected[size_t(i)])
            EXPECT_TRUE(read.contains(text))
                << files[i].toStdString() << " lacks " << text.toStdString();
    }
}

// The golden scripts run under a stand-in of the server's script engine.
TEST(RuleScript, ScriptsRunUnderTheEngineStandIn)
{
    QFile standin(QStringLiteral(VX_SOURCE_DIR "/tests/script-setup/rule/engine-standin.py"));
    ASSERT_TRUE(standin.open(QIODevice::ReadOnly));
    const QByteArray out = run_python(QString::fromUtf8(standin.readAll()),
                                      {QStringLiteral(VX_TEST_DATA_DIR "/rule")});
    EXPECT_TRUE(out.contains("all scenarios passed")) << out.toStdString();
}

} // namespace
