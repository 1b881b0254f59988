// The script page on the operator's own server: saving with and without the
// right 64, notifications during an edit, the statistics, the page switch,
// deleting, languages, publishing with the data folder's resources,
// examples, and the fault sweep over the page's whole life.

#include "qt4-pavo7/reusable/search-bar.h"
#include "script-setup/editor/script-widget.h"
#include "script-setup/script/setup-script.h"
#include "tests/script-setup/script/script-fixture.h"
#include "tests/support/screenshot.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>
#include <map>

namespace {

const char *const scripts_path = "/DEMO/scripts";
const char *const script_path = "/DEMO/scripts/s1";
const char *const stats_path = "/DEMO/scripts/s1/stats";

// Declares one string parameter "who".
const std::string declared_script = read_file(script_data("door-check.py")).toStdString();

// The script "Door check" with the text, its stats and its scripts folder.
void make_script_tree(memory_host::MemoryTree &tree, const std::string &script, int rights = 0xff)
{
    load_tree_file(tree, "script/page.json");
    tree.put_string(script_path, "script", script);
    tree.set_rights(script_path, rights);
}

// A menu's entries as shown: "--" for a separator, "[x] " before a checked
// entry, a disabled one in parentheses.
std::vector<std::string> menu_texts(QMenu *menu)
{
    std::vector<std::string> out;
    for (QAction *a : menu->actions())
        out.push_back(a->isSeparator()  ? "--"
                      : a->isChecked()  ? "[x] " + a->text().toStdString()
                      : !a->isEnabled() ? "(" + a->text().toStdString() + ")"
                                        : a->text().toStdString());
    return out;
}

class ScriptPage : public PluginPage<QSetupScript>
{
protected:
    void open(const std::string &script, int rights = 0xff)
    {
        make_script_tree(tree, script, rights);
        page.reset(new QSetupScript(&navigator, tree.folder(script_path), host.server_root()));
        page->resize(900, 600);
        settle_events();
        tree.clear_calls();
    }
    QScriptWidget *editor() { return get<QScriptWidget>("script_text"); }
};

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
    paste_over(editor(), QString::fromStdString(declared_script));
    click("save_button");
    tree.put_integer(stats_path, "run_count", 1);
    settle_events();
    EXPECT_EQ(1, in_form<QLineEdit>().size());
    EXPECT_EQ("Door check", get<QLabel>("description")->text().toStdString());
    ASSERT_EQ(1, editor()->extraSelections().size());
    QTest::keyClicks(editor(), "y");
    EXPECT_TRUE(editor()->extraSelections().empty());
}

TEST_F(ScriptPage, StatsMarkTheLineAndShowTheProblem)
{
    const struct
    {
        const char *error;
        int error_line;
        const char *warning;
        int warning_line;
        int show_warnings;
        int marked_line; // -1: none
        const char *colour;
        const char *label; // "" when hidden
    } cases[] = {
        {"SyntaxError: invalid syntax", 3, "", -1, 0, 3, "#A00000",
         "<font color=\"#A00000\"><b>ERROR: SyntaxError: invalid syntax</b></font>"},
        {"", -1, "slow loop", 2, 0, -1, "", ""},
        {"", -1, "slow loop", 2, 1, 2, "#EF792D",
         "<font color=\"#EF792D\"><b>WARNING: slow loop</b></font>"},
        {"boom", 4, "slow loop", 2, 1, 4, "#A00000",
         "<font color=\"#A00000\"><b>ERROR: boom</b></font>"},
        {"a <b> & c", -1, "", -1, 0, -1, "",
         "<font color=\"#A00000\"><b>ERROR: a &lt;b&gt; &amp; c</b></font>"},
    };
    for (const auto &s : cases) {
        SCOPED_TRACE(s.label);
        page.reset();
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

    // A word wider than the page is folded in the label, not a reason for the
    // page to grow a horizontal scroll bar; its text stays whole.
    const QString word = QString("x").repeated(60) + QString("_figures").repeated(20);
    tree.put_string(stats_path, "last_error", word.toStdString());
    settle_events();
    EXPECT_LT(page->minimumSizeHint().width(), 700);
    EXPECT_TRUE(get<QLabel>("last_error")->text().remove(QChar(0x200B)).contains(word));
}

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
    EXPECT_TRUE(editor()->toPlainText().isEmpty()) << "nothing is read";
}

// A read refused before "language" leaves nothing to store back: the
// script's language stays as it was.
TEST_F(ScriptPage, RefusedReadAtOpeningKeepsTheLanguage)
{
    const memory_host::FaultRule refused[] = {
        {"get_string", script_path, "script", 1},
        {"get_string", script_path, "parameters", 1},
        {"subdir", script_path, "", 1},
        {"get_string_or", script_path, "actual_ts", 1},
        {"get_string_or", script_path, "language", 1},
    };
    for (const auto &rule : refused) {
        SCOPED_TRACE(rule.op + " " + rule.key);
        page.reset();
        host.log().clear();
        tree.fail_calls(rule);
        open(plain_script);
        tree.clear_faults();
        EXPECT_TRUE(host.log().contains("SCRIPT GUI: cannot load: access denied", 2));
        EXPECT_EQ("en", tree.string_value(script_path, "language"));
    }
}

// Ctrl+S saves from the parameters form as from the editor.
// A long script is saved whole while its text is still loading, and an
// error line below the lines loaded so far is marked.
TEST_F(ScriptPage, CtrlSSavesFromTheParametersView)
{
    std::string script = declared_script;
    for (int i = 0; i < 3000; ++i)
        script += "print(" + std::to_string(i) + ")\n";
    open(script);
    ASSERT_TRUE(editor()->loading());
    ASSERT_EQ(get<QWidget>("parameters_page"),
              get<QStackedWidget>("script_pages")->currentWidget());
    QLineEdit *who = in_form<QLineEdit>().value(0);
    ASSERT_TRUE(who);
    QTest::keyClicks(who, "!");
    QTest::keyClick(who, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ((std::vector<std::string>{"script", "parameters"}), written_keys());
    EXPECT_EQ(script, tree.folder(script_path)->get_string("script"));
    EXPECT_FALSE(page->modified());

    page.reset();
    open(script);
    ASSERT_TRUE(editor()->loading());
    tree.put_integer(stats_path, "last_error_line", 2900);
    settle_events();
    const auto marks = editor()->extraSelections();
    ASSERT_EQ(1, marks.size());
    EXPECT_EQ(2899,
              editor()->document()->findBlock(marks[0].cursor.selectionStart()).blockNumber());
}

bool search_marked(const QTextBlock &block, int position)
{
    for (const QTextLayout::FormatRange &r : block.layout()->formats())
        if (position >= r.start && position < r.start + r.length)
            return r.format.background() == QBrush(Qt::yellow);
    return false;
}

// The page's own search bar, driven by keys and clicks: Ctrl+F opens it,
// typing finds, Return and "next" go on, the case box and "previous" are
// obeyed, matches are marked while it is open, closing hands the editor back.
TEST_F(ScriptPage, SearchBarFindsThroughThePage)
{
    open("alarm = 1\nprint(alarm)\nALARM = 2\nalarm += 1\n");
    page->show();
    QApplication::setActiveWindow(page.get());
    auto *bar = get<Reusable::QSearchBar>("search_bar");
    ASSERT_TRUE(bar->isHidden());
    editor()->setFocus();
    QTest::keyClick(editor(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(bar->isVisible());
    const auto found_at = [this] {
        return editor()->textCursor().selectionStart();
    };

    QTest::keyClicks(bar->line_edit(), "alarm");
    EXPECT_EQ(0, found_at());
    EXPECT_EQ(5, editor()->textCursor().selectedText().size());
    QTest::keyClick(bar->line_edit(), Qt::Key_Return);
    EXPECT_EQ(16, found_at());
    const QTextBlock second = editor()->document()->findBlockByNumber(1);
    settle_events();
    EXPECT_TRUE(search_marked(second, 6)) << "matches are marked while the bar is open";
    QTest::mouseClick(bar->next_button(), Qt::LeftButton);
    EXPECT_EQ(23, found_at()) << "ALARM: case-insensitive at first";
    QTest::mouseClick(bar->case_sensitive_box(), Qt::LeftButton);
    QTest::mouseClick(bar->next_button(), Qt::LeftButton);
    EXPECT_EQ(33, found_at());
    QTest::mouseClick(bar->previous_button(), Qt::LeftButton);
    EXPECT_EQ(16, found_at()) << "backwards, past ALARM";

    QTest::mouseClick(bar->close_button(), Qt::LeftButton);
    settle_events();
    EXPECT_TRUE(bar->isHidden());
    EXPECT_FALSE(search_marked(second, 6));
    EXPECT_EQ(editor(), QApplication::focusWidget());
    EXPECT_TRUE(written_keys().empty());
}

TEST_F(ScriptPage, DeleteWritesTheEraseKeyOnYes)
{
    open(plain_script);
    const std::string question =
        "Delete Confirmation: Are you sure you want to delete script 'Door check'?\n";
    EXPECT_EQ(question + question + "/DEMO/scripts script_erase=s1\n",
              delete_no_then_yes(page.get(), "delete_button", tree));
}

// Declares company ACME, title Gate, version 2 and two resources.
const std::string gate_script = read_file(script_data("gate.py")).toStdString();

// Puts both resources of gate.py into its data folder.
QString fill_data_folder(memory_host::MemoryHost &host)
{
    const QString folder =
        QString::fromStdString(host.data_directory()) + "/scripts-data/ACME_Gate_2";
    for (const char *name : {"zones.json", "beep.wav"})
        write_file(folder + "/" + name, read_file(script_data(name)));
    return folder;
}

TEST_F(ScriptPage, LanguageMenusAndCommands)
{
    open(plain_script); // "en, xx" available, "en" chosen
    EXPECT_EQ("en", tree.string_value(script_path, "language")) << "read back and kept";

    // No data folder: the button offers the "Select" menu alone.
    EXPECT_EQ("Select", get<QToolButton>("translate_button")->menu()->title().toStdString());
    std::map<QString, QMenu *> menus;
    for (QMenu *menu : page->findChildren<QMenu *>())
        menus[menu->title()] = menu;
    QMenu *add = menus["Add"], *update = menus["Update"], *select = menus["Select"];
    ASSERT_TRUE(add && update && select);
    EXPECT_EQ(
        (std::vector<std::string>{"Chinese (cn)", "Spanish (es)", "Kazakh (ka)", "Russian (ru)",
                                  "Turkish (tr)", "Ukrainian (uk)", "--", "Another language..."}),
        menu_texts(add));
    EXPECT_EQ((std::vector<std::string>{"[x] English (en)", "xx", "--", "none",
                                        "(To add translation fill version/company/title "
                                        "sections of parameters)"}),
              menu_texts(select));

    // With a data folder the button offers every menu.
    page.reset();
    fill_data_folder(host);
    open(gate_script);
    auto *button = get<QToolButton>("translate_button");
    EXPECT_TRUE(choose_in_menu(button, {"Add", "Russian (ru)"}));
    EXPECT_TRUE(choose_in_menu(button, {"Update", "all"}));
    EXPECT_TRUE(choose_in_menu(button, {"Select", "none"}));
    EXPECT_TRUE(choose_in_menu(button, {"Add", "Another language..."}));
    QWidget *dialog = page->findChild<QDialog *>();
    ASSERT_TRUE(dialog && dialog->isVisible());
    QTest::keyClicks(child<QLineEdit>(dialog, "language_name"), "xx");
    QTest::mouseClick(child<QPushButton>(dialog, "ok_button"), Qt::LeftButton);
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

TEST_F(ScriptPage, PublishPacksTheDataFolderResources)
{
    open(gate_script);
    const QString folder =
        QString::fromStdString(host.data_directory()) + "/scripts-data/ACME_Gate_2";
    auto *menu_button = get<QToolButton>("data_folder_button");
    EXPECT_FALSE(menu_button->isHidden()) << "shown on the operator's own server";
    // A missing folder is offered to be made, after a question.
    ASSERT_TRUE(choose_in_menu(menu_button, {"Create"}));
    EXPECT_EQ(folder, get<QLabel>("data_folder_label")->text());
    ASSERT_TRUE(answer_box(page.get(), QMessageBox::Yes));
    ASSERT_TRUE(QDir(folder).exists());
    EXPECT_FALSE(choose_in_menu(menu_button, {"Create"})) << "an existing one is not";

    fill_data_folder(host);
    QTemporaryDir out;
    publish_through_menu(page.get(), "To file...", out.filePath("gate"));
    EXPECT_EQ(read_file(script_data("gate-encoded.py")), read_file(out.filePath("gate.py")));

    QFile::remove(folder + "/beep.wav");
    publish_through_menu(page.get(), "To file...", out.filePath("again.py"));
    auto *box = page->findChild<QMessageBox *>();
    ASSERT_TRUE(box);
    EXPECT_EQ("Saving failed", box->windowTitle());
    EXPECT_TRUE(box->text().startsWith("cannot read resource")) << box->text().toStdString();
    EXPECT_FALSE(QFile::exists(out.filePath("again.py")));
    EXPECT_TRUE(host.log().contains("cannot publish", 2));
}

TEST_F(ScriptPage, ExamplesComeFromScriptSamples)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("script-samples/nested"); // folders are no examples
    write_file(dir.filePath("script-samples/b-lights.py"), "print('b')\n");
    write_file(dir.filePath("script-samples/a-gate.py"), "print('a')\n");
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    open("x = 1\n");
    QDir::setCurrent(before);

    auto *examples = get<QToolButton>("examples_button");
    EXPECT_EQ((std::vector<std::string>{"a-gate", "b-lights", "--", "From file..."}),
              menu_texts(examples->menu()));

    // A file dialog cancelled loads nothing, a file named there replaces the text.
    for (const QString &file : {QString(), dir.filePath("script-samples/b-lights.py")}) {
        ASSERT_TRUE(choose_in_menu(examples, {"From file..."}));
        answer_file_dialog(page.get(), file);
        EXPECT_EQ(!file.isEmpty(), page->modified());
    }
    EXPECT_EQ("print('b')\n", editor()->toPlainText().toStdString());
}

// Opening, stats and show_warnings notifications, a language command,
// saving, reverting, publishing and deleting, with each host call refused
// in turn.
TEST(ScriptFaults, EveryRefusedCallIsSurvivedAndLogged)
{
    const auto scenario = [](memory_host::MemoryHost &host) {
        fill_data_folder(host);
        RecordingNavigator navigator;
        QTemporaryDir out;
        QSetupScript page(&navigator, host.tree().folder(script_path), host.server_root());
        settle_events();
        host.tree().put_integer(stats_path, "last_error_line", 2);
        host.tree().put_integer(scripts_path, "show_warnings", 1);
        settle_events();
        auto *editor = page.findChild<QPlainTextEdit *>("script_text");
        page.resize(900, 600);
        QTest::mouseClick(child<QPushButton>(&page, "parameters_source_switch_button"),
                          Qt::LeftButton);
        QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
        type_lines(editor, "x = 1\n");
        QTest::mouseClick(child<QPushButton>(&page, "save_button"), Qt::LeftButton);
        retype(editor, "lost = 1\n");
        QTest::mouseClick(child<QPushButton>(&page, "revert_button"), Qt::LeftButton);
        choose_in_menu(child<QToolButton>(&page, "translate_button"), {"Add", "Russian (ru)"});
        publish_through_menu(&page, "To file...", out.filePath("published"));
        click_and_answer(&page, "delete_button", QMessageBox::Yes);
        settle_events();
        // Still answering: typing is an edit, unless opening was refused
        // and the page shows that it cannot be changed.
        retype(editor, "still = 1\n");
        return page.modified() || !editor->isEnabled() || editor->isReadOnly();
    };
    expect_faults_survived(
        [](memory_host::MemoryHost &host) { make_script_tree(host.tree(), gate_script); }, scenario,
        {"SCRIPT GUI: cannot save", "SCRIPT GUI: cannot revert script",
         "GUI: ERROR: script delete_button_clicked()", "SCRIPT GUI: cannot set_language"},
        40);
}

} // namespace
