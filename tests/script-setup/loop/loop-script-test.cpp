#include "script-setup/loop/loop-script.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using loop::LoopScriptInput;

namespace {

TEST(LoopScript, WholeTextsOfTheExamples)
{
    const struct
    {
        const char *file;
        LoopScriptInput in;
    } cases[] = {
        {"two-elements.py", {2, "F5", "op1", {{"g1", 5, 0}, {"c1", 10, 1}}}},
        {"one-element.py", {1, "Ctrl+F2", "op1", {{"g", 5, 0}}}},
        {"no-elements.py", {1, "", "op1", {}}}, // the shortcut starts nothing
    };
    for (const auto &c : cases) {
        QFile file(QStringLiteral(VX_TEST_DATA_DIR "/loop/") + QLatin1String(c.file));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.file;
        EXPECT_EQ(file.readAll().toStdString(), loop::generate_loop_script(c.in).toStdString())
            << c.file;
    }
}

// Python compiles every script, and the guids, operator GUI and shortcut come
// out of their literals unchanged, however odd: quotes, NULs, byte-order marks,
// placeholders that must not be substituted again. The rule script's test
// tries the shared escaping on backslashes and line breaks.
TEST(LoopScript, PythonReadsOddValuesBackFromTheirLiterals)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        GTEST_SKIP() << "python3 not found";
    const QChar nul(0), bom(0xfeff);
    const std::vector<std::pair<QString, QString>> odd = {
        {"g'); import os #", "Ctrl+F2'"},
        {QString("nul") + nul + "\x01\x7f", QString::fromUtf8("F3 \xe2\x80\xa8 \xf0\x9f\x98\x80")},
        {nul + QString("lead"), QString(bom) + "F4"},
        {bom + QString("{7a-bom}"), "F7"},
        {"'''\"%1", "%4"},
    };
    QTemporaryDir dir;
    QStringList files;
    QJsonArray expected;
    for (const auto &c : odd) {
        const QByteArray guid = c.first.toUtf8();
        const LoopScriptInput in{2, c.second, guid, {{guid, 5, 0}, {"plain", 60, 1}}};
        files << dir.filePath(QStringLiteral("loop%1.py").arg(files.size()));
        QFile file(files.back());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(loop::generate_loop_script(in).toUtf8());
        expected.append(QJsonArray{c.first, in.shortcut, c.first, "plain"});
    }
    QProcess process;
    process.start(python,
                  QStringList{VX_SOURCE_DIR "/tests/script-setup/loop/loop-reader.py"} + files);
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(0, process.exitCode()) << process.readAllStandardError().toStdString();
    const QList<QByteArray> lines = process.readAllStandardOutput().trimmed().split('\n');
    ASSERT_EQ(expected.size(), lines.size());
    for (int i = 0; i < lines.size(); ++i)
        EXPECT_EQ(expected[i].toArray(), QJsonDocument::fromJson(lines[i]).array())
            << files[i].toStdString() << " gave " << lines[i].toStdString();
}

} // namespace
