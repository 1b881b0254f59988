#include "script-setup/script/script-header.h"

#include "memory-host/memory-host.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <gtest/gtest.h>
#include <tuple>

using script_header::Parts;

namespace {

// "|" marks where the header comment, the docstring, the resources block and
// the body meet; the script is the text without the marks.
Parts parts_of(const std::string &marked)
{
    const QStringList p = QString::fromStdString(marked).split('|');
    return {p.value(0).toStdString(), p.value(1).toStdString(), p.value(2).toStdString(),
            p.value(3).toStdString()};
}

void expect_parts(const Parts &expected, const Parts &actual, const std::string &what)
{
    const auto fields = [](const Parts &p) {
        return std::tie(p.header_comment, p.docstring, p.resources_block, p.body);
    };
    EXPECT_EQ(fields(expected), fields(actual)) << what;
}

// Each case of headers.json marks its parts and names the declaration and
// the description it holds.
TEST(ScriptHeader, SplitsDeclaresAndDescribesRealScripts)
{
    QFile file(QStringLiteral(VX_TEST_DATA_DIR "/script/headers.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray cases = QJsonDocument::fromJson(file.readAll()).array();
    ASSERT_FALSE(cases.isEmpty());
    for (const QJsonValue &value : cases) {
        const QJsonObject c = value.toObject();
        const std::string marked = c["marked"].toString().toStdString();
        const std::string text = c["marked"].toString().remove('|').toStdString();
        const Parts expected = parts_of(marked);
        expect_parts(expected, script_header::split(text), marked);
        expect_parts(expected, script_header::linear::split(text), marked);
        Parts by_expression;
        ASSERT_TRUE(script_header::expression::split(text, by_expression)) << marked;
        expect_parts(expected, by_expression, marked);
        EXPECT_EQ(c["declaration"].toString().toStdString(), script_header::declaration(text))
            << marked;
        EXPECT_EQ(c["description"].toString(), script_header::description_text(from_utf8(text), ""))
            << marked;
    }
}

// Headers on which the expressions backtrack long or run out of stack still
// read as the linear reading does, and the give-up is logged.
TEST(ScriptHeader, PathologicalHeadersFallBackToTheLinearReading)
{
    memory_host::MemoryHost host;
    logging_facility::set_sink(host.log_sink());
    const std::string cases[] = {
        std::string(40, '\n') + "x = 1\n",
        QByteArray("# line\n\n").repeated(20).toStdString() + "run()\n",
        QByteArray("#\n\n").repeated((1 << 20) / 3 + 1).toStdString() + "'''<parameters/>'''\n",
        std::string(1 << 20, '\n') + "y",
    };
    for (const std::string &text : cases) {
        expect_parts(script_header::linear::split(text), script_header::split(text),
                     text.substr(0, 20));
        const bool declared = text.find("'''") != std::string::npos;
        EXPECT_EQ(declared ? "<parameters/>" : "", script_header::declaration(text));
        EXPECT_EQ(from_utf8(script_header::linear::comment_block(text)).remove('#').trimmed(),
                  script_header::description_text(from_utf8(text), ""));
    }
    EXPECT_TRUE(host.log().contains("header expression gave up", 2));
    logging_facility::set_sink({});
}

TEST(ScriptHeader, TranslatesFinishedMessagesOnly)
{
    // Door is unfinished, Gate untranslated; a second Delay comes too late.
    QFile file(QStringLiteral(VX_TEST_DATA_DIR "/script/messages.ts"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string ts = file.readAll().toStdString();
    for (const char *text : {"Door", "Gate", "Other"})
        EXPECT_EQ(text, script_header::translate(text, ts));
    EXPECT_EQ("Pause", script_header::translate("Delay", ts));
    EXPECT_EQ("Delay", script_header::translate("Delay", "<TS><context>"));
    EXPECT_EQ("Pause", script_header::description_text("# Delay\ncode\n", ts));

    const std::string declaration = "<parameters><parameter><name> Delay </name><string_list>"
                                    "Relay 1,, Relay 1</string_list><value>Delay</value>"
                                    "</parameter></parameters>";
    EXPECT_EQ("<parameters>\n <parameter>\n  <name>Pause</name>\n  <string_list>R1,, Relay 1"
              "</string_list>\n  <value>Delay</value>\n </parameter>\n</parameters>\n",
              script_header::translate_declaration(declaration, ts));
    EXPECT_EQ(declaration, script_header::translate_declaration(declaration, ""));
    EXPECT_EQ(declaration, script_header::translate_declaration(declaration, "<TS>"));
}

} // namespace
