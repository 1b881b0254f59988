// The sandbox program as a script runs it: what each bad input prints and
// the status it exits with.

#include "sandbox/demo-server.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome
{
    int status = -1;
    QString out;
    QString err;
};

Outcome run_sandbox(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(VX_SANDBOX_PROGRAM, arguments);
    Outcome run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

class CommandLine : public ::testing::Test
{
protected:
    QString write(const char *name, const std::string &text)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        return file.fileName();
    }

    QTemporaryDir dir;
};

// Where each run prints what it says, and its exit status: a refusal only on
// the error output, an answer only on the standard output.
TEST_F(CommandLine, EachRunSaysItOnTheRightOutputWithItsStatus)
{
    std::string not_utf8 = sandbox::demo_server_document();
    const std::string schedule = "{769A4BF0-0885-4D79-A162-0B69BE3003BA}";
    ASSERT_NE(std::string::npos, not_utf8.find(schedule));
    not_utf8.replace(not_utf8.find(schedule), schedule.size(), "Bad\xff name");
    const QString shot = dir.filePath("shot.png");
    const struct
    {
        QStringList arguments;
        int status;
        const char *said; // on the error output, or for status 0 on the output
    } cases[] = {
        {{"--tree", write("twice.json", "{}\n{}\n")}, 1, "line 2, column 1: text follows"},
        {{"--open", "scripts", "--screenshot", shot}, 1, "did you mean /DEMO/scripts?"},
        {{"--scale", "0"}, 2, "--scale takes a factor"},
        {{"--plugin", "/nonexistent/libplugin.so"},
         1,
         "cannot load the plug-in: /nonexistent/libplugin.so"},
        {{"--fire", "-", "wave"}, 1, "unknown kind wave"},
        {{"--fire", "-", "shortcut"}, 1, "shortcut needs an argument"},
        {{"--fire", "/DEMO/nowhere", "settings"}, 1, "there is no folder /DEMO/nowhere"},
        {{"--fire", "Nobody", "event", "Relay On"}, 1, "there is no object Nobody"},
        {{"--fire", "scripts/{B1343C60-8842-4CD7-AF2D-5E0850FE5702}", "schedule", "Pink"},
         1,
         "a zone is Green, Red or Blue"},
        {{"--tree", write("name.json", not_utf8), "--tour", dir.filePath("tour")},
         0,
         "/DEMO/scripts/Bad\xef\xbf\xbd name: the folder name is not valid UTF-8"},
        {{"--print-script", "/DEMO/scripts/{663D49E7-3B29-46CE-AE1D-6DF7D0A7A4DC}"},
         0,
         "activate_on_shortcut(\"F5\""},
        {{"--print-script", "/DEMO/scripts/{D98191EC-014B-45A4-9D81-6B196FC5FED7}"},
         0,
         "activate_on_shortcut('F7', go)"},
        {{"--print-script", "/DEMO/scripts"}, 1, "type 'ScriptFolder'"},
        {{"--print-script", "/DEMO/no-such-folder"}, 1, "there is no folder"},
    };
    for (const auto &c : cases) {
        const Outcome run = run_sandbox(c.arguments);
        const std::string shown = c.arguments.join(' ').toStdString();
        EXPECT_EQ(c.status, run.status) << shown << "\n" << run.err.toStdString();
        EXPECT_TRUE((c.status ? run.err : run.out).contains(QString::fromUtf8(c.said)))
            << shown << "\n"
            << run.out.toStdString() << run.err.toStdString();
        if (c.status) {
            EXPECT_TRUE(run.out.isEmpty()) << shown;
        }
    }
    EXPECT_FALSE(QFile::exists(shot)) << "no picture of something else than was asked for";
}

TEST_F(CommandLine, ScaleReachesThePages)
{
    QByteArray pictures[2];
    const char *factors[] = {"1", "2"};
    for (int i = 0; i < 2; ++i) {
        const QString shot = dir.filePath(QStringLiteral("shot-%1.png").arg(i));
        const Outcome run = run_sandbox({"--scale", factors[i], "--open",
                                         "/DEMO/scripts/{7513496A-0F3B-4C8F-B6C4-4C24E067720B}",
                                         "--screenshot", shot});
        ASSERT_EQ(0, run.status) << run.err.toStdString();
        QFile file(shot);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        pictures[i] = file.readAll();
    }
    EXPECT_NE(pictures[0], pictures[1]);
}

} // namespace
