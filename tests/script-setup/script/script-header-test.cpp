#include "script-setup/script/script-header.h"

#include "memory-host/memory-host.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QStringList>
#include <gtest/gtest.h>

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
    EXPECT_EQ(expected.header_comment, actual.header_comment) << what;
    EXPECT_EQ(expected.docstring, actual.docstring) << what;
    EXPECT_EQ(expected.resources_block, actual.resources_block) << what;
    EXPECT_EQ(expected.body, actual.body) << what;
}

TEST(ScriptHeader, SplitsDeclaresAndDescribesRealScripts)
{
    const struct
    {
        std::string marked;
        const char *declaration;
        const char *description;
    } cases[] = {
        {"# -*- coding: utf-8 -*-\n# Door watch\n#  closes it\n|\"\"\"<parameters>\n <p/>\n"
         "</parameters>\"\"\"||\nimport time\n",
         "<parameters>\n <p/>\n</parameters>", "Door watch\n  closes it"},
        {"\n  \n# Lights\n\n\t# indented\n|'''<parameters/>'''||\nx = 1\n", "<parameters/>",
         "Lights"},
        {"# Counter\n|\"<parameters/>\"|| + \"x\"\n", "<parameters/>", "Counter"},
        // A one-line single-quoted string ends at the last quote of its line.
        {"|'<a/>' if x else 'b'||\nprint('c')\n", "<a/>' if x else 'b", ""},
        // An unclosed triple quote reads as an empty one-line string.
        {"|\"\"||\"<parameters>\nx = 1\n", "", ""},
        {"# Published\n|'''<parameters/>'''|\n\n\nresources = {\n\t\"a.png\": '''\n\t\teJzz\n"
         "\t'''\n}\nvxutils.resources_check(script_path, resources)\n\n|script = 1\n",
         "<parameters/>", "Published"},
        {"# Just code\n\n|||import os\nprint(os.name)\n", "", "Just code"},
        {"|\"\"\"Mails when a camera goes dark.\"\"\"||\nrun()\n", "Mails when a camera goes dark.",
         ""},
        {"# -*- coding: cp1251 -*-\r\n# Gate\r\n\r\n|\"\"\"<parameters/>\"\"\"||\r\nopen()\r\n",
         "<parameters/>", "Gate"},
        {"\n|||# a last comment without a line end", "", ""},
        {"## Sum # of parts\n|||x\n", "", "# Sum # of parts"},
        {"|||", "", ""},
    };
    for (const auto &c : cases) {
        const std::string text = QString::fromStdString(c.marked).remove('|').toStdString();
        const Parts expected = parts_of(c.marked);
        expect_parts(expected, script_header::split(text), c.marked);
        expect_parts(expected, script_header::linear::split(text), c.marked);
        Parts by_expression;
        ASSERT_TRUE(script_header::expression::split(text, by_expression)) << c.marked;
        expect_parts(expected, by_expression, c.marked);
        EXPECT_EQ(c.declaration, script_header::declaration(text)) << c.marked;
        EXPECT_EQ(QString(c.description), script_header::description_text(from_utf8(text), ""))
            << c.marked;
    }
}

// Headers on which the expressions backtrack long or run out of stack still
// read as the linear reading does, and the give-up is logged.
TEST(ScriptHeader, PathologicalHeadersFallBackToTheLinearReading)
{
    memory_host::MemoryHost host;
    logging_facility::set_sink(host.log_sink());
    auto repeated = [](const std::string &piece, size_t size, const std::string &tail) {
        std::string s;
        while (s.size() < size)
            s += piece;
        return s + tail;
    };
    const std::string cases[] = {
        repeated("\n", 40, "x = 1\n"),
        repeated("# line\n\n", 160, "run()\n"),
        repeated("#\n\n", 1 << 20, "'''<parameters/>'''\n"),
        repeated("\n", 1 << 20, "y"),
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
    const std::string ts =
        "<TS><context><message><source>Delay</source><translation>Pause</translation></message>"
        "<message><source>Door</source><translation type=\"unfinished\">Tür</translation>"
        "</message><message><source>Relay 1</source><translation>R1</translation></message>"
        "</context><context><message><source>Delay</source><translation>2nd</translation>"
        "</message><message><source>Gate</source></message></context></TS>";
    const char *const kept[] = {"Door", "Gate", "Other"};
    for (const char *text : kept)
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
