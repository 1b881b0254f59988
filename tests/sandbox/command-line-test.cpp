// The sandbox program as a script runs it: what each bad input prints and
// the status it exits with.

#include "sandbox/demo-server.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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
    // Headless as the test itself: the program inherits its platform.
    QProcess process;
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
    void write(const char *name, const std::string &text)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }

    QTemporaryDir dir;
};

// Where each run of the table under tests/data prints what it says, and its
// exit status: a refusal only on the error output, an answer only on the
// standard output. "@dir" in an argument is the test's own directory.
TEST_F(CommandLine, EachRunSaysItOnTheRightOutputWithItsStatus)
{
    std::string not_utf8 = sandbox::demo_server_document();
    const std::string schedule = "{769A4BF0-0885-4D79-A162-0B69BE3003BA}";
    ASSERT_NE(std::string::npos, not_utf8.find(schedule));
    not_utf8.replace(not_utf8.find(schedule), schedule.size(), "Bad\xff name");
    write("name.json", not_utf8);
    write("twice.json", "{}\n{}\n");
    QFile runs(QStringLiteral(VX_TEST_DATA_DIR "/sandbox/command-line-runs.json"));
    ASSERT_TRUE(runs.open(QIODevice::ReadOnly));
    for (const QJsonValue c : QJsonDocument::fromJson(runs.readAll()).array()) {
        QStringList arguments = c["arguments"].toVariant().toStringList();
        const Outcome run = run_sandbox(arguments.replaceInStrings("@dir", dir.path()));
        const int status = c["status"].toInt();
        const std::string shown = arguments.join(' ').toStdString();
        EXPECT_EQ(status, run.status) << shown << "\n" << run.err.toStdString();
        EXPECT_TRUE((status ? run.err : run.out).contains(c["said"].toString()))
            << shown << "\n"
            << run.out.toStdString() << run.err.toStdString();
        if (status) {
            EXPECT_TRUE(run.out.isEmpty()) << shown;
        }
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("shot.png")))
        << "no picture of something else than was asked for";
}

TEST_F(CommandLine, ScaleReachesThePages)
{
    QImage pictures[2];
    const char *factors[] = {"1", "2"};
    for (int i = 0; i < 2; ++i) {
        const QString shot = dir.filePath(QStringLiteral("shot-%1.png").arg(i));
        const Outcome run = run_sandbox({"--scale", factors[i], "--open",
                                         "/DEMO/scripts/{7513496A-0F3B-4C8F-B6C4-4C24E067720B}",
                                         "--screenshot", shot});
        ASSERT_EQ(0, run.status) << run.err.toStdString();
        pictures[i] = QImage(shot);
    }
    EXPECT_NE(pictures[0], pictures[1]);
}

// --check-references: the demo server has no broken reference; a tree with
// one of each kind lists each on a JSON line of its own and exits 1.
TEST_F(CommandLine, CheckReferencesListsEachBrokenReference)
{
    const Outcome demo = run_sandbox({"--check-references"});
    EXPECT_EQ(0, demo.status) << demo.out.toStdString() << demo.err.toStdString();
    EXPECT_EQ(QString(), demo.out);

    const QString tree = dir.filePath("broken.json");
    ASSERT_TRUE(QFile::copy(QStringLiteral(VX_TEST_DATA_DIR "/references/server.json"), tree));
    const Outcome run = run_sandbox({"--tree", tree, "--check-references"});
    EXPECT_EQ(1, run.status) << run.err.toStdString();
    QStringList found;
    for (const QString &line : run.out.split('\n', Qt::SkipEmptyParts)) {
        const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
        found << QStringLiteral("%1 %2 %3 '%4' %5 %6")
                     .arg(o["folder"].toString(), o["name"].toString(), o["kind"].toString(),
                          o["missing"].toString(), o["where"].toString())
                     .arg(o["index"].toInt());
    }
    EXPECT_EQ(QStringList({
                  "/DEMO/scripts/{L1} Lobby template '{TGONE}' loop element 2",
                  "/DEMO/scripts/{R3} Old rule schedule 'Day shift' activation 0",
                  "/DEMO/scripts/{R3} Old rule e-mail account '{AGONE}' action 1",
                  "/DEMO/scripts/{R3} Old rule channel '{CZ}' action 2",
                  "/DEMO/scripts/{R3} Old rule object 'Ghost' action 3",
                  "/DEMO/scripts/{R3} Old rule sound 'gone.wav' action 4",
                  "/DEMO/scripts/{R3} Old rule settings path 'nowhere/x/y' action 5",
                  "/DEMO/scripts/{S2} Weekend channel '{CGONE}' channels 1",
              }),
              found);
}

} // namespace
