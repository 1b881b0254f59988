// The sandbox program as a script runs it: what each bad input prints and
// the status it exits with.

#include "sandbox/demo-server.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
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

} // namespace
