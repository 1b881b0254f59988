// The script page in the sandbox as a new user meets it: create a script,
// break it, see the engine's error marked, fix it; translations served by
// the engine stand-in; warnings reported.

#include "sandbox/script-engine.h"
#include "tests/sandbox/sandbox-fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTextBlock>

namespace {

class ScriptWalk : public SandboxTest
{
protected:
    QWidget *create_script()
    {
        const std::string guid = session->tree().string_value(scripts(), "script_new_guid");
        QWidget *folder_page = window->open_folder(QString::fromStdString(scripts()));
        auto *link = child<QLabel>(folder_page, "newscript");
        EXPECT_TRUE(link);
        if (!link)
            return nullptr;
        Q_EMIT link->linkActivated(QStringLiteral("newscript"));
        session->settle();
        path = scripts() + "/" + guid;
        return window->open_folder(QString::fromStdString(path));
    }
    void save_text(QWidget *page, const char *text)
    {
        auto *editor = child<QPlainTextEdit>(page, "script_text");
        editor->setPlainText(QString::fromUtf8(text));
        QTest::mouseClick(child<QPushButton>(page, "save_button"), Qt::LeftButton);
        session->settle();
    }
    std::string path;
};

TEST_F(ScriptWalk, SyntaxErrorIsMarkedUntilFixedAndWarningsAreShown)
{
    if (!sandbox::ScriptEngine::python_available())
        GTEST_SKIP() << "python3 is not installed";
    start();
    QWidget *page = create_script();
    ASSERT_TRUE(page);
    auto *editor = child<QPlainTextEdit>(page, "script_text");
    ASSERT_TRUE(editor);
    EXPECT_EQ("&Save and Run", child<QPushButton>(page, "save_button")->text());

    save_text(page, "import time\n\ndef broken(:\n    pass\n");
    auto *error = child<QLabel>(page, "last_error");
    ASSERT_EQ(1, editor->extraSelections().size());
    EXPECT_EQ(2, editor->document()
                     ->findBlock(editor->extraSelections()[0].cursor.selectionStart())
                     .blockNumber());
    EXPECT_TRUE(error->text().contains("ERROR: SyntaxError")) << error->text().toStdString();

    save_text(page, "import time\n\ndef fixed():\n    pass\n");
    EXPECT_TRUE(editor->extraSelections().empty());
    EXPECT_TRUE(error->isHidden());
    EXPECT_EQ("1", child<QLabel>(page, "error_count")->text().toStdString());
    EXPECT_EQ("2", child<QLabel>(page, "run_count")->text().toStdString());

    // The demo's scripts folder shows warnings beside errors.
    save_text(page, "x = 1\nif x is 1:\n    pass\n");
    EXPECT_EQ(2, session->tree().integer_value(path + "/stats", "last_warning_line"));
    EXPECT_TRUE(error->text().contains("WARNING: SyntaxWarning")) << error->text().toStdString();
}

TEST_F(ScriptWalk, DeclaredParametersAreEditedOnTheParametersPage)
{
    start();
    QWidget *page = create_script();
    ASSERT_TRUE(page);
    save_text(page, "\"\"\"<parameters>\n"
                    "<parameter><type>string</type><id>who</id><name>Guard</name></parameter>\n"
                    "<parameter><type>integer</type><id>wait</id><name>Wait</name>"
                    "<value>5</value><min>0</min><max>10</max></parameter>\n"
                    "<parameter><type>checkbox</type><id>loud</id><name>Loud</name></parameter>\n"
                    "</parameters>\"\"\"\nx = 1\n");
    window->show(); // clicks land only on widgets that are laid out and shown
    QTest::mouseClick(child<QPushButton>(page, "parameters_source_switch_button"), Qt::LeftButton);
    ASSERT_EQ(child<QWidget>(page, "parameters_page"),
              child<QStackedWidget>(page, "script_pages")->currentWidget());

    QWidget *form = child<QWidget>(page, "parameters_container");
    ASSERT_TRUE(form);
    auto *who = form->findChild<QLineEdit *>();
    auto *wait = form->findChild<QSpinBox *>();
    auto *loud = form->findChild<QCheckBox *>();
    ASSERT_TRUE(who && wait && loud);
    EXPECT_EQ(5, wait->value());
    QTest::keyClicks(who, "Ivan");
    wait->setValue(7);
    QTest::mouseClick(loud, Qt::LeftButton, {}, QPoint(6, loud->height() / 2)); // the box itself
    QTest::mouseClick(child<QPushButton>(page, "save_button"), Qt::LeftButton);
    session->settle();

    const std::string stored = session->tree().string_value(path, "parameters");
    for (const char *value : {"<value>Ivan</value>", "<value>7</value>", "<value>1</value>"})
        EXPECT_NE(std::string::npos, stored.find(value)) << value << " in " << stored;
}

TEST_F(ScriptWalk, TranslationsFollowTheScriptsTexts)
{
    start();
    QWidget *page = create_script();
    ASSERT_TRUE(page);
    save_text(page, "# Opens the gate\n\"\"\"<parameters><parameter><type>string</type>"
                    "<id>who</id><name>Guard</name></parameter></parameters>\"\"\"\nx = 1\n");
    Settings folder = session->tree().folder(path);
    folder->set_string("add_language", "ru");
    session->settle();
    EXPECT_EQ("ru", session->tree().string_value(path, "available_languages"));
    folder->set_string("language", "ru");
    session->settle();
    const std::string unfinished = session->tree().string_value(path, "actual_ts");
    EXPECT_NE(std::string::npos, unfinished.find("<source>Opens the gate</source>"));
    EXPECT_NE(std::string::npos, unfinished.find("<source>Guard</source>"));
    EXPECT_NE(std::string::npos, unfinished.find("type=\"unfinished\""));
    EXPECT_EQ("Opens the gate", child<QLabel>(page, "description")->text().toStdString());

    // A translator fills one message in; an update keeps it.
    const std::string key = path + "/translations";
    std::string document = session->tree().string_value(key, "ru");
    const std::string empty = "<translation type=\"unfinished\"/>";
    document.replace(document.find(empty), empty.size(),
                     "<translation>Открывает ворота</translation>");
    session->tree().put_string(key, "ru", document);
    folder->set_string("lupdate", "ru");
    session->settle();
    const std::string translated = session->tree().string_value(path, "actual_ts");
    EXPECT_NE(std::string::npos, translated.find("<translation>Открывает ворота</translation>"));
    EXPECT_NE(std::string::npos, translated.find("type=\"unfinished\"")) << "Guard is not done";
    EXPECT_EQ("Открывает ворота", child<QLabel>(page, "description")->text().toStdString());

    folder->set_string("language", "");
    session->settle();
    EXPECT_EQ("", session->tree().string_value(path, "actual_ts"));
}

} // namespace
