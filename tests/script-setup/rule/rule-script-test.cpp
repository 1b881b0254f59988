#include "script-setup/rule/rule-script.h"
#include "tests/script-setup/rule/rule-fixture.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <random>

using namespace rule_test;

namespace {

// The golden scripts are compiled, and run under a stand-in of the server's
// script engine.
TEST(RuleScript, GoldenScriptsWholeCompiledAndRun)
{
    const QJsonObject golden = cases("golden").toObject();
    QStringList files;
    for (auto it = golden.begin(); it != golden.end(); ++it) {
        QFile file(QStringLiteral(VX_TEST_DATA_DIR "/rule/") + it.key());
        files << file.fileName();
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << it.key().toStdString();
        EXPECT_EQ(file.readAll().toStdString(),
                  generate_script(rule_from_json(it->toObject()), {}).text.toStdString())
            << it.key().toStdString();
    }
    EXPECT_EQ(files.size(), run_python_file("literals.py", files).count('\n'));
    const QByteArray out =
        run_python_file("engine-standin.py", {QStringLiteral(VX_TEST_DATA_DIR "/rule")});
    EXPECT_TRUE(out.contains("all scenarios passed")) << out.toStdString();
}

// Bit 3 of the first number picks the case, the second over 1261 the letter.
TEST(RuleScript, FunctionNames)
{
    EXPECT_EQ("__rw_func__", generate_function_name(true, [] { return 8; }));
    EXPECT_EQ("__rw_func__" + QString(16, 'a'), generate_function_name(false, [] { return 0; }));
    EXPECT_EQ("__rw_func__" + QString(16, 'Z'),
              generate_function_name(false, [] { return 32767; }));
}

// Names full of quotes, backslashes, ''' and line breaks in every literal
// field of the rule of cases.json, "$0" to "$7": Python compiles each script
// and reads each name back unchanged.
TEST(RuleScript, PythonReadsRandomNamesBackFromTheirLiterals)
{
    const QStringList pieces = {"'", "\"", "\\", "'''", "\n", "\r", "\t",  "\x01", "\x7f",
                                "ю", "字", "😀",  "a",   " ",  "%1", "\\n", "x"};
    const QString shape = QJsonDocument(cases("random_names").toObject()).toJson();
    std::mt19937 random(20261205);
    QTemporaryDir dir;
    QStringList files;
    std::vector<QStringList> expected;
    for (int round = 0; round < 40; ++round) {
        QStringList n;
        QString json = shape;
        for (int i = 0; i < 8; ++i) {
            n << QString();
            for (int k = 1 + random() % 6; k > 0; --k)
                n[i] += pieces[int(random() % pieces.size())];
            const QString quoted = QJsonDocument(QJsonArray{n[i]}).toJson(QJsonDocument::Compact);
            json.replace(QStringLiteral("$%1").arg(i), quoted.mid(2, quoted.size() - 4));
        }
        files << dir.filePath(QStringLiteral("r%1.py").arg(round));
        QFile file(files.back());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const Rule r = rule_from_json(QJsonDocument::fromJson(json.toUtf8()).object());
        file.write(generate_script(r, {}).text.toUtf8());
        expected.push_back(n + (n[5] + "@x").split(QRegExp("[, ]+")));
        expected.back()[2] += '_'; // the file name starts with the channel's name
    }
    const QList<QByteArray> lines = run_python_file("literals.py", files).trimmed().split('\n');
    ASSERT_EQ(files.size(), lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QVariantList read = QJsonDocument::fromJson(lines[i]).array().toVariantList();
        for (const QString &text : expected[size_t(i)])
            EXPECT_TRUE(read.contains(text))
                << files[i].toStdString() << " lacks " << text.toStdString();
    }
}

} // namespace
