#include "script-setup/script/script-header.h"

#include "memory-host/memory-host.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <gtest/gtest.h>

using script_header::Parts;

namespace {

const char DECLARATION[] = "<parameters>\n <parameter>\n  <type>integer</type>\n  "
                           "<id>delay</id>\n </parameter>\n</parameters>";

struct HeaderCase
{
    const char *what;
    std::string text;
    Parts parts;
    std::string declaration;
    const char *description;
};

std::vector<HeaderCase> header_cases()
{
    const std::string doc = std::string("\"\"\"") + DECLARATION + "\"\"\"";
    const std::string resources = "\n\n\nresources = {\n\t\"a.png\": '''\n\t\teJzz\n\t'''\n}\n"
                                  "vxutils.resources_check(script_path, resources)\n\n";
    return {
        {"coding line, description and triple double quotes",
         "# -*- coding: utf-8 -*-\n# Door watch\n#  closes the door\n" + doc + "\nimport time\n",
         {"# -*- coding: utf-8 -*-\n# Door watch\n#  closes the door\n", doc, "",
          "\nimport time\n"},
         DECLARATION,
         "Door watch\n  closes the door"},
        {"blank lines before and between comments, triple single quotes",
         "\n  \n# Lights\n\n\t# indented\n'''<parameters/>'''\nx = 1\n",
         {"\n  \n# Lights\n\n\t# indented\n", "'''<parameters/>'''", "", "\nx = 1\n"},
         "<parameters/>",
         "Lights"},
        {"one-line double-quoted string ends at the first quote",
         "# Counter\n\"<parameters/>\" + \"x\"\n",
         {"# Counter\n", "\"<parameters/>\"", "", " + \"x\"\n"},
         "<parameters/>",
         "Counter"},
        {"one-line single-quoted string ends at the last quote of its line",
         "'<a/>' if x else 'b'\nprint('c')\n",
         {"", "'<a/>' if x else 'b'", "", "\nprint('c')\n"},
         "<a/>' if x else 'b",
         ""},
        {"an unclosed triple quote is read as an empty one-line string",
         "\"\"\"<parameters>\nx = 1\n",
         {"", "\"\"", "", "\"<parameters>\nx = 1\n"},
         "",
         ""},
        {"old resources block of a published script",
         "# Published\n" + doc + resources + "script = 1\n",
         {"# Published\n", doc, resources, "script = 1\n"},
         DECLARATION,
         "Published"},
        {"no docstring: code first",
         "# Just code\n\nimport os\nprint(os.name)\n",
         {"# Just code\n\n", "", "", "import os\nprint(os.name)\n"},
         "",
         "Just code"},
        {"docstring that is not XML",
         "\"\"\"Sends a mail when a camera goes dark.\"\"\"\nrun()\n",
         {"", "\"\"\"Sends a mail when a camera goes dark.\"\"\"", "", "\nrun()\n"},
         "Sends a mail when a camera goes dark.",
         ""},
        {"Windows line ends",
         "# -*- coding: cp1251 -*-\r\n# Gate\r\n\r\n\"\"\"<parameters/>\"\"\"\r\nopen()\r\n",
         {"# -*- coding: cp1251 -*-\r\n# Gate\r\n\r\n", "\"\"\"<parameters/>\"\"\"", "",
          "\r\nopen()\r\n"},
         "<parameters/>",
         "Gate"},
        {"a last comment without a line end stays in the body",
         "\n# tail",
         {"\n", "", "", "# tail"},
         "",
         ""},
        {"hashes inside a comment stay",
         "## Sum # of parts\nx\n",
         {"## Sum # of parts\n", "", "", "x\n"},
         "",
         "# Sum # of parts"},
        {"empty text", "", {"", "", "", ""}, "", ""},
    };
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
    for (const HeaderCase &c : header_cases()) {
        expect_parts(c.parts, script_header::split(c.text), c.what);
        expect_parts(c.parts, script_header::linear::split(c.text), c.what);
        Parts by_expression;
        ASSERT_TRUE(script_header::expression::split(c.text, by_expression)) << c.what;
        expect_parts(c.parts, by_expression, c.what);
        EXPECT_EQ(c.declaration, script_header::declaration(c.text)) << c.what;
        EXPECT_EQ(QString(c.description), script_header::description_text(from_utf8(c.text), ""))
            << c.what;
    }
}

// Texts on which the expressions backtrack long or run out of stack: the
// readings still come back, the same as the linear ones, and the failure is
// logged.
TEST(ScriptHeader, PathologicalHeadersFallBackToTheLinearReading)
{
    memory_host::MemoryHost host;
    logging_facility::set_sink(host.log_sink());
    const std::string megabyte_of_comments = [] {
        std::string s;
        while (s.size() < (1 << 20))
            s += "#\n\n";
        return s;
    }();
    const struct
    {
        const char *what;
        std::string text;
        const char *declaration;
    } cases[] = {
        {"blank lines and no docstring", std::string(40, '\n') + "x = 1\n", ""},
        {"comment and blank line pairs",
         [] {
             std::string s;
             for (int i = 0; i < 20; ++i)
                 s += "# line\n\n";
             return s + "run()\n";
         }(),
         ""},
        {"a megabyte of comments before the docstring",
         megabyte_of_comments + "'''<parameters/>'''\n", "<parameters/>"},
        {"a megabyte of blank lines", std::string(1 << 20, '\n') + "y", ""},
    };
    for (const auto &c : cases) {
        host.log().clear();
        const Parts parts = script_header::split(c.text);
        expect_parts(script_header::linear::split(c.text), parts, c.what);
        EXPECT_EQ(c.declaration, script_header::declaration(c.text)) << c.what;
        EXPECT_EQ(QString::fromStdString(script_header::linear::comment_block(c.text))
                      .remove('#')
                      .trimmed(),
                  script_header::description_text(from_utf8(c.text), ""))
            << c.what;
    }
    EXPECT_TRUE(host.log().contains("header expression gave up", 2));
    logging_facility::set_sink({});
}

TEST(ScriptHeader, TranslatesFinishedMessagesOnly)
{
    const std::string ts =
        "<TS><context><name>a</name>"
        "<message><source>Delay</source><translation>Задержка</translation></message>"
        "<message><source>Door watch</source>"
        "<translation type=\"unfinished\">Дверь</translation></message>"
        "<message><source>Relay 1</source><translation>Реле 1</translation></message>"
        "</context><context><name>b</name>"
        "<message><source>Delay</source><translation>second</translation></message>"
        "<message><source>Gate</source></message></context></TS>";
    EXPECT_EQ(QString::fromUtf8("Задержка"), script_header::translate("Delay", ts));
    EXPECT_EQ("Door watch", script_header::translate("Door watch", ts));
    EXPECT_EQ("Gate", script_header::translate("Gate", ts));
    EXPECT_EQ("Other", script_header::translate("Other", ts));
    EXPECT_EQ("Delay", script_header::translate("Delay", "<TS><context>"));
    EXPECT_EQ(QString::fromUtf8("Дверь охраны"),
              script_header::description_text("# Door watch\ncode\n",
                                              "<TS><context><message><source>Door watch</source>"
                                              "<translation>Дверь охраны</translation>"
                                              "</message></context></TS>"));

    const std::string declaration =
        "<parameters><parameter><name> Delay </name><string_list>Relay 1,,Relay 2"
        "</string_list><value>Delay</value></parameter></parameters>";
    EXPECT_EQ("<parameters>\n <parameter>\n  <name>Задержка</name>\n"
              "  <string_list>Реле 1,,Relay 2</string_list>\n  <value>Delay</value>\n"
              " </parameter>\n</parameters>\n",
              script_header::translate_declaration(declaration, ts));
    EXPECT_EQ(declaration, script_header::translate_declaration(declaration, ""));
    EXPECT_EQ(declaration, script_header::translate_declaration(declaration, "<TS>"));
}

} // namespace
