// The published file: layout of the header, the resources and the body, the
// engine stand-in running an obfuscated body, and the file written whole or
// not at all.

#include "sandbox/script-engine.h"
#include "script-setup/script/publish.h"
#include "tests/script-setup/script/script-fixture.h"

#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

const QString data_dir = QStringLiteral(VX_TEST_DATA_DIR "/script");

// gate.py has a coding line, a description, a docstring, an old resources
// block and a two-line body; the expected files were made independently
// with Python's zlib and base64 (the script page publishes gate-encoded.py).
TEST(PublishedText, MatchesTheExpectedFilesByteForByte)
{
    const std::string script = read_file(data_dir + "/gate.py").toStdString();
    const struct
    {
        QStringList resources;
        bool encoded;
        const char *expected;
    } cases[] = {
        {{"zones.json", "beep.wav"}, false, "gate-unencoded.py"},
        {{}, false, "gate-no-resources.py"},
    };
    for (const auto &c : cases) {
        const script_publish::Result result =
            script_publish::publish(script, c.resources, data_dir, c.encoded);
        EXPECT_TRUE(result.error.isEmpty());
        EXPECT_EQ(read_file(data_dir + "/" + c.expected).toStdString(), result.text) << c.expected;
    }
}

TEST(PublishedText, EncodedBodyRunsThroughTheEnginesExecEncoded)
{
    QProcess python;
    const std::string body = "import sys\nwords = ['gate', 'öffnen']\n"
                             "sys.stdout.buffer.write(' '.join(words).encode('utf-8'))\n";
    const std::string published =
        script_publish::published_text("# Opens the gate\n'''<parameters/>'''\n" + body, {}, true);
    ASSERT_EQ(std::string::npos, published.find("words")) << "the body is not readable";
    python.start("python3",
                 {"-c", sandbox::exec_encoded_source() + "\n" + QString::fromStdString(published)});
    if (!python.waitForStarted())
        GTEST_SKIP() << "python3 is not installed";
    ASSERT_TRUE(python.waitForFinished());
    EXPECT_EQ("", python.readAllStandardError().toStdString());
    EXPECT_EQ("gate öffnen", python.readAllStandardOutput().toStdString());
}

TEST(PublishTarget, PyIsAppendedCaseSensitively)
{
    const char *const cases[][2] = {
        {"", ""},
        {"/tmp/gate", "/tmp/gate.py"},
        {"/tmp/gate.py", "/tmp/gate.py"},
        {"/tmp/gate.PY", "/tmp/gate.PY.py"},
        {"/tmp/gate.pyc", "/tmp/gate.pyc.py"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c[1], script_publish::target_name(c[0]).toStdString()) << c[0];
}

// A write past the file size limit fails as on a full disk, even for root.
TEST(PublishWrite, AFailedWriteLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("gate.py");
    EXPECT_EQ("", script_publish::write_file(path, "old\n").toStdString());
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limit = old;
    limit.rlim_cur = 1024;
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    const QString failure = script_publish::write_file(path, std::string(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_EQ("cannot write file", failure.toStdString());
    EXPECT_EQ("old\n", read_file(path));
    EXPECT_EQ(QStringList{"gate.py"}, QDir(dir.path()).entryList(QDir::Files))
        << "no temporary file is left behind";
    EXPECT_EQ("cannot write file",
              script_publish::write_file(dir.filePath("no/such/dir.py"), "x").toStdString());
}

} // namespace
