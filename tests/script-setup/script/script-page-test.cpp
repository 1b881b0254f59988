#include "tests/script-setup/script/script-fixture.h"
#include "tests/support/screenshot.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTextBlock>
#include <QToolButton>

namespace {

const char *const plain_script = "import time\nx = 1\nprint(x)\nprint(time.time())\n";

// Also the save caption: "&Save and Run" until the first notification, then
// following "enable" where the text may be changed.
TEST_F(ScriptPage, SaveWritesTheTextOnlyWithTheRight64)
{
    for (const int rights : {0xff, 0xff & ~64}) {
        SCOPED_TRACE(rights);
        const bool writable = rights == 0xff;
        page.reset();
        open(declared_script, rights);
        EXPECT_EQ("&Save and Run", get<QPushButton>("save_button")->text());
        click("save_button");
        EXPECT_TRUE(written_keys().empty()) << "saving without any edit writes nothing";

        ASSERT_EQ(1, in_form<QLineEdit>().size());
        QTest::keyClicks(in_form<QLineEdit>()[0], "!");
        EXPECT_TRUE(page->modified());
        EXPECT_EQ(writable, get<QPushButton>("revert_button")->isEnabled());
        click("save_button");
        const std::vector<std::string> expected =
            writable ? std::vector<std::string>{"script", "parameters"}
                     : std::vector<std::string>{"parameters"};
        EXPECT_EQ(expected, written_keys());
        EXPECT_NE(std::string::npos, tree.string_value(script_path, "parameters").find("me!"));
        EXPECT_FALSE(page->modified());
        EXPECT_FALSE(get<QPushButton>("save_button")->isEnabled());
        EXPECT_EQ(writable, get<QWidget>("delete_button")->isEnabled());
        EXPECT_EQ(!writable, editor()->isReadOnly());
        EXPECT_EQ(writable ? "&Save and Run" : "&Run", get<QPushButton>("save_button")->text());
        tree.put_integer(script_path, "enable", 0);
        settle_events();
        EXPECT_EQ(writable ? "&Save" : "&Run", get<QPushButton>("save_button")->text());
        tree.clear_calls();
    }
}

// Notifications while the text is edited: the text stays, the description
// follows the editor's text, and no error line is marked on a text that has
// moved on from the run.
TEST_F(ScriptPage, EditedTextOutlivesNotifications)
{
    open("# Counts cars\nx = 1\nprint(x)\n");
    editor()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(editor(), "import os");
    QTest::keyClick(editor(), Qt::Key_Return);
    tree.put_string(script_path, "script", "# Theirs\nprint('theirs')\n");
    tree.put_integer(stats_path, "last_error_line", 3);
    settle_events();
    EXPECT_TRUE(editor()->toPlainText().startsWith("import os\n# Counts cars"));
    EXPECT_TRUE(page->modified());
    EXPECT_EQ("", get<QLabel>("description")->text().toStdString());
    EXPECT_TRUE(editor()->extraSelections().empty());
    click("revert_button");
    EXPECT_EQ("# Theirs\nprint('theirs')\n", editor()->toPlainText().toStdString());
    EXPECT_FALSE(page->modified());
    EXPECT_TRUE(written_keys().empty());

    // Once saved, the form follows the new declaration and the next run's
    // error is marked until the operator types again.
    editor()->setPlainText(declared_script);
    click("save_button");
    tree.put_integer(stats_path, "run_count", 1);
    settle_events();
    EXPECT_EQ(1, in_form<QLineEdit>().size());
    EXPECT_EQ("Door check", get<QLabel>("description")->text().toStdString());
    ASSERT_EQ(1, editor()->extraSelections().size());
    type_in_editor("y");
    EXPECT_TRUE(editor()->extraSelections().empty());
}

struct Stats
{
    const char *error;
    int error_line;
    const char *warning;
    int warning_line;
    int show_warnings;
    int marked_line; // -1: none
    const char *colour;
    const char *label; // "" when hidden
};

class ScriptStats : public ScriptPage, public ::testing::WithParamInterface<Stats>
{};

TEST_P(ScriptStats, LineMarkAndLabel)
{
    const Stats s = GetParam();
    open(plain_script);
    tree.put_integer(scripts_path, "show_warnings", s.show_warnings);
    tree.put_string(stats_path, "last_error", s.error);
    tree.put_integer(stats_path, "last_error_line", s.error_line);
    tree.put_string(stats_path, "last_warning", s.warning);
    tree.put_integer(stats_path, "last_warning_line", s.warning_line);
    tree.put_integer(stats_path, "error_count", 4);
    tree.put_integer(stats_path, "run_count", 7);
    settle_events();

    EXPECT_EQ("7", get<QLabel>("run_count")->text().toStdString());
    EXPECT_EQ("4", get<QLabel>("error_count")->text().toStdString());
    const auto marks = editor()->extraSelections();
    if (s.marked_line < 0) {
        EXPECT_TRUE(marks.empty());
    } else {
        ASSERT_EQ(1, marks.size());
        const QTextCursor &mark = marks[0].cursor;
        EXPECT_EQ(s.marked_line - 1,
                  editor()->document()->findBlock(mark.selectionStart()).blockNumber());
        EXPECT_EQ(mark.selectionStart() +
                      editor()->document()->findBlockByNumber(s.marked_line - 1).length(),
                  mark.selectionEnd())
            << "the whole line and its line end";
        EXPECT_EQ(QColor(s.colour), marks[0].format.foreground().color());
        EXPECT_EQ(QColor("#FFFFB1"), marks[0].format.background().color());
        EXPECT_TRUE(marks[0].format.property(QTextFormat::FullWidthSelection).toBool());
    }
    auto *label = get<QLabel>("last_error");
    EXPECT_EQ(s.label, label->isHidden() ? std::string() : label->text().toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptStats,
    ::testing::Values(
        Stats{"SyntaxError: invalid syntax", 3, "", -1, 0, 3, "#A00000",
              "<font color=\"#A00000\"><b>ERROR: SyntaxError: invalid syntax</b></font>"},
        Stats{"", -1, "slow loop", 2, 0, -1, "", ""},
        Stats{"", -1, "slow loop", 2, 1, 2, "#EF792D",
              "<font color=\"#EF792D\"><b>WARNING: slow loop</b></font>"},
        Stats{"boom", 4, "slow loop", 2, 1, 4, "#A00000",
              "<font color=\"#A00000\"><b>ERROR: boom</b></font>"},
        Stats{"a <b> & c", -1, "", -1, 0, -1, "",
              "<font color=\"#A00000\"><b>ERROR: a &lt;b&gt; &amp; c</b></font>"}));

TEST_F(ScriptPage, PageSwitchAndEditorTools)
{
    open(plain_script); // no parameters: the editor comes first
    auto *pages = get<QStackedWidget>("script_pages");
    EXPECT_EQ(get<QWidget>("editor_page"), pages->currentWidget());
    EXPECT_EQ("L: 0\tC: 0", get<QLabel>("cursor_position")->text().toStdString());
    click("parameters_source_switch_button");
    EXPECT_EQ(get<QWidget>("parameters_page"), pages->currentWidget());
    EXPECT_EQ("Edi&tor", get<QPushButton>("parameters_source_switch_button")->text());
    EXPECT_TRUE(get<QWidget>("editor_tools")->isHidden());

    page.reset();
    open(plain_script, 0xff & ~64);
    EXPECT_EQ(get<QWidget>("parameters_page"),
              get<QStackedWidget>("script_pages")->currentWidget());
    EXPECT_FALSE(get<QWidget>("parameters_source_switch_button")->isEnabled());

    page.reset();
    open(plain_script, 0xff & ~8);
    EXPECT_FALSE(page->isEnabled());
    EXPECT_TRUE(tree.calls_of("get_string").empty());
}

TEST_F(ScriptPage, DeleteWritesTheEraseKeyOnYes)
{
    open(plain_script);
    const std::string question =
        "Delete Confirmation: Are you sure you want to delete script 'Door check'?\n";
    EXPECT_EQ(question + question + "/DEMO/scripts script_erase=s1\n",
              delete_no_then_yes(page.get(), "delete_button", tree));
}

TEST_F(ScriptPage, LanguageMenusAndCommands)
{
    make_script_tree(tree, plain_script);
    tree.put_string(script_path, "available_languages", "en, xx");
    tree.put_string(script_path, "language", "en");
    open_existing();
    EXPECT_EQ("en", tree.string_value(script_path, "language")) << "read back and kept";

    // No data folder: the button offers the "Select" menu alone.
    EXPECT_EQ("Select", get<QToolButton>("translate_button")->menu()->title().toStdString());
    const auto submenu = [this](const char *title) {
        for (QMenu *menu : page->findChildren<QMenu *>())
            if (menu->title() == title)
                return menu;
        return static_cast<QMenu *>(nullptr);
    };
    QMenu *add = submenu("Add"), *update = submenu("Update"), *select = submenu("Select");
    ASSERT_TRUE(add && update && select);
    EXPECT_EQ(
        (std::vector<std::string>{"Chinese (cn)", "Spanish (es)", "Kazakh (ka)", "Russian (ru)",
                                  "Turkish (tr)", "Ukrainian (uk)", "--", "Another language..."}),
        menu_texts(add));
    EXPECT_EQ((std::vector<std::string>{"[x] English (en)", "xx", "--", "none",
                                        "(To add translation fill version/company/title "
                                        "sections of parameters)"}),
              menu_texts(select));

    add->actions()[3]->trigger();        // Russian
    update->actions().back()->trigger(); // all
    select->actions()[3]->trigger();     // none
    page->add_language_accepted("xx");
    settle_events();
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"add_language", "ru"}, {"lupdate", "en,xx"}, {"language", ""}};
    std::vector<std::pair<std::string, std::string>> writes;
    for (const auto &c : tree.calls_of("set_string"))
        writes.emplace_back(c.key, c.value);
    EXPECT_EQ(expected, writes) << "an existing language writes nothing";
    auto *box = page->findChild<QMessageBox *>();
    ASSERT_TRUE(box);
    EXPECT_EQ("Language \"xx\" already exists.", box->text());
    EXPECT_EQ("Error adding language", box->windowTitle());
}

} // namespace
