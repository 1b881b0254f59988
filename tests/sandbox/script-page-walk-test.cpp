// The server stand-ins behind open script pages: the error and warning lines
// of a real syntax check, the translations the engine serves, and a stock
// script's saved file run on "force_run".

#include "sandbox/script-engine.h"
#include "tests/sandbox/sandbox-fixture.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

class ScriptWalk : public SandboxTest
{
protected:
    // The demo's first script, enabled, given the text, with its page open
    // (a page never takes a new text from a notification).
    QWidget *open_script(const std::string &text)
    {
        start();
        path = objects_of("Script").front();
        session->tree().put_integer(path, "enable", 1);
        folder = session->tree().folder(path);
        set("script", text);
        return window->open_folder(QString::fromStdString(path));
    }
    void set(const char *key, const std::string &value)
    {
        folder->set_string(key, value);
        session->settle();
    }
    std::string path;
    Settings folder;
};

TEST_F(ScriptWalk, SyntaxCheckReportsErrorAndWarningLines)
{
    if (!sandbox::ScriptEngine::python_available())
        GTEST_SKIP() << "python3 is not installed";
    QWidget *page = open_script("import time\n");
    const std::string stats = path + "/stats";
    const int runs = session->tree().integer_value(stats, "run_count");
    const int errors = session->tree().integer_value(stats, "error_count");
    const struct
    {
        const char *text;
        int error_line, warning_line;
        const char *shown; // a piece of the page's problem label
    } checks[] = {
        {"import time\n\ndef broken(:\n    pass\n", 3, -1, "ERROR: SyntaxError"},
        {"x = 1\nif x is 1:\n    pass\n", -1, 2, "WARNING: SyntaxWarning"},
        {"import time\n", -1, -1, ""},
    };
    for (const auto &c : checks) {
        SCOPED_TRACE(c.text);
        set("script", c.text);
        EXPECT_EQ(c.error_line, session->tree().integer_value(stats, "last_error_line"));
        EXPECT_EQ(c.warning_line, session->tree().integer_value(stats, "last_warning_line"));
        auto *label = child<QLabel>(page, "last_error");
        EXPECT_TRUE(label->isHidden() ? !*c.shown : label->text().contains(c.shown))
            << label->text().toStdString();
    }
    EXPECT_EQ(runs + 3, session->tree().integer_value(stats, "run_count"));
    EXPECT_EQ(errors + 1, session->tree().integer_value(stats, "error_count"));
}

TEST_F(ScriptWalk, TranslationsFollowTheScriptsTexts)
{
    QWidget *page =
        open_script("# Opens the gate\n\"\"\"<parameters><parameter><type>string</type>"
                    "<id>who</id><name>Guard</name></parameter></parameters>\"\"\"\nx = 1\n");
    set("add_language", "uk");
    set("language", "uk");
    const std::string unfinished = session->tree().string_value(path, "actual_ts");
    EXPECT_NE(std::string::npos, unfinished.find("<source>Opens the gate</source>"));
    EXPECT_NE(std::string::npos, unfinished.find("<source>Guard</source>"));

    // A translator fills one message in; an update keeps it, and the page shows it.
    const std::string key = path + "/translations";
    std::string document = session->tree().string_value(key, "uk");
    const std::string empty = "<translation type=\"unfinished\"/>";
    document.replace(document.find(empty), empty.size(),
                     "<translation>Відчиняє ворота</translation>");
    session->tree().put_string(key, "uk", document);
    set("lupdate", "uk");
    const std::string translated = session->tree().string_value(path, "actual_ts");
    EXPECT_NE(std::string::npos, translated.find("<translation>Відчиняє ворота</translation>"));
    EXPECT_NE(std::string::npos, translated.find("type=\"unfinished\"")) << "Guard is not done";
    EXPECT_EQ("Відчиняє ворота", child<QLabel>(page, "description")->text().toStdString());

    set("language", "");
    EXPECT_EQ("", session->tree().string_value(path, "actual_ts"));
}

TEST_F(ScriptWalk, StockScriptsSavedTextReachesTheFileAndTheEngine)
{
    start();
    const std::string path = objects_of("StockScript").front();
    const std::string stats = path + "/stats";
    const int runs = session->tree().integer_value(stats, "run_count");
    QFile file(QString::fromStdString(session->host().stock_directory()) +
               "/scripts-stock/disk_space_guard.py");
    ASSERT_TRUE(file.exists()) << "the demo ships the stock script";
    QWidget *page = window->open_folder(QString::fromStdString(path));
    session->settle();
    auto *editor = child<QPlainTextEdit>(page, "script_text");
    ASSERT_TRUE(editor);
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, "# checked by the night shift");
    QTest::mouseClick(child<QPushButton>(page, "save_button"), Qt::LeftButton);
    session->settle();

    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("# checked by the night shift"));
    EXPECT_TRUE(session->host().log().contains("SERVER: force_run " + path + ": running"));
    EXPECT_EQ(runs + 1, session->tree().integer_value(stats, "run_count"));
    EXPECT_EQ(0, session->tree().integer_value(path, "force_run")) << "taken by the server";
}

} // namespace
