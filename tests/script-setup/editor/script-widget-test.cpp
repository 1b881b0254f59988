// The editor driven by real key events: indentation, tab, save and search
// keys, search highlighting, the line-count limit and the gutter.

#include "qt4-pavo7/reusable/search-bar.h"
#include "script-setup/editor/highlighter.h"
#include "script-setup/editor/line-number-area.h"
#include "script-setup/editor/script-widget.h"
#include "tests/script-setup/editor/python-sample.h"
#include "tests/support/screenshot.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

QTextCharFormat format_at(const QTextBlock &block, int position)
{
    for (const QTextLayout::FormatRange &r : block.layout()->formats())
        if (position >= r.start && position < r.start + r.length)
            return r.format;
    return {};
}

bool is_search_match(const QTextBlock &block, int position)
{
    return format_at(block, position).background() == QBrush(Qt::yellow);
}

bool is_keyword(const QTextBlock &block, int position)
{
    return format_at(block, position).foreground() == QBrush(Qt::darkRed);
}

class ScriptWidgetTest : public ::testing::Test
{
protected:
    void set_text(const QString &text, int from = -1, int to = -1)
    {
        editor.setPlainText(text);
        QTextCursor cursor = editor.textCursor();
        cursor.setPosition(from < 0 ? text.size() : from);
        cursor.setPosition(to < 0 ? cursor.position() : to, QTextCursor::KeepAnchor);
        editor.setTextCursor(cursor);
    }
    QTextBlock block(int number) { return editor.document()->findBlockByNumber(number); }
    // Lets the slices load and colour what they still owe.
    void settle()
    {
        for (int round = 0;
             (editor.loading() || editor.highlighter()->colouring_pending()) && round < 1000;
             ++round)
            QCoreApplication::processEvents();
        ASSERT_FALSE(editor.loading() || editor.highlighter()->colouring_pending());
    }
    int selection_start() { return editor.textCursor().selectionStart(); }

    QScriptWidget editor;
};

TEST_F(ScriptWidgetTest, ReturnTabSaveAndFindKeys)
{
    for (const auto &[line, expected] :
         std::vector<std::pair<QString, QString>>{{"\tif ready:", "\tif ready:\n\t\t"},
                                                  {"  \t ", "  \t \n  \t "},
                                                  {"\treturn 1", "\treturn 1\n\t"},
                                                  {"else :  ", "else :  \n\t"}}) {
        set_text(line);
        QTest::keyClick(&editor, Qt::Key_Return);
        EXPECT_EQ(expected, editor.toPlainText());
        EXPECT_EQ(expected.size(), editor.textCursor().position());
    }
    set_text("\tif ready:");
    QTest::keyClick(&editor, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ("\tif ready:\n", editor.toPlainText()) << "keypad Enter does not indent";
    set_text("x = abc\ny = 2", 4, 10);
    QTest::keyClick(&editor, Qt::Key_Tab);
    EXPECT_EQ("x = \t= 2", editor.toPlainText()) << "a tab replaces the selection";

    QSignalSpy saved(&editor, &QScriptWidget::save_pressed);
    QSignalSpy requests(&editor, &QScriptWidget::request_search);
    set_text("alarm = fire_alarm()");

    QTest::keyClick(&editor, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(0, saved.count());
    QTest::keyClick(&editor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(1, saved.count());

    editor.search("alarm", false);
    editor.moveCursor(QTextCursor::End);
    QTest::keyClick(&editor, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ((QList<QVariantList>{{"alarm"}}), QList<QVariantList>(requests));
}

TEST_F(ScriptWidgetTest, F3GoesRoundTheDocumentAndAMissLeavesTheCursor)
{
    set_text("foo = 1\nbar = foo\nfoo()", 0);
    editor.search("foo", false);
    EXPECT_EQ(0, selection_start());
    for (int expected : {14, 18, 0}) {
        QTest::keyClick(&editor, Qt::Key_F3);
        EXPECT_EQ(expected, selection_start());
    }
    QTest::keyClick(&editor, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(18, selection_start());

    set_text("Alert()\nx = 1", 10);
    editor.search("nowhere", false);
    EXPECT_EQ(10, editor.textCursor().position()) << "nothing found leaves the cursor";
    editor.set_search_casesensitive(true);
    editor.search("alert", true);
    EXPECT_EQ(10, editor.textCursor().position());
    editor.set_search_casesensitive(false);
    editor.search("alert", true);
    EXPECT_EQ("Alert", editor.textCursor().selectedText());
}

TEST_F(ScriptWidgetTest, SearchMarksTheTextLiterally)
{
    set_text("a.b = abc # .");
    editor.set_highlight_search(true);
    editor.search(".", false);
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(i == 1 || i == 12, is_search_match(block(0), i)) << i;
}

TEST_F(ScriptWidgetTest, NewSearchColoursTheScreenNowAndTheRestOnScroll)
{
    editor.resize(400, 200);
    editor.show();
    set_text(generated_python_script(600), 0);
    editor.set_highlight_search(true);
    editor.search("self", false);
    QTextBlock far = block(500);
    while (!far.text().contains("self"))
        far = far.next();
    EXPECT_FALSE(is_search_match(far, far.text().indexOf("self")));

    editor.verticalScrollBar()->setValue(300);
    settle();
    EXPECT_TRUE(is_search_match(far, far.text().indexOf("self")));

    // Scrolled sideways, the lines on screen begin left of it: still coloured now.
    editor.horizontalScrollBar()->setValue(editor.horizontalScrollBar()->maximum());
    ASSERT_GT(editor.horizontalScrollBar()->value(), 0);
    QTextBlock top = editor.cursorForPosition(QPoint(0, 0)).block();
    while (top.text().size() < 4)
        top = top.next();
    const QString end = top.text().right(4);
    editor.set_search_string(end);
    EXPECT_TRUE(is_search_match(top, top.text().size() - 1)) << end.toStdString();
}

TEST_F(ScriptWidgetTest, ColoursStopAboveTenThousandLinesAndComeBack)
{
    set_text(QString("if x:\t# check\n").repeated(Highlighter::max_coloured_lines + 1).chopped(1),
             0);
    settle();
    EXPECT_FALSE(is_keyword(block(0), 0));
    EXPECT_EQ(QColor(Qt::lightGray), format_at(block(0), 5).underlineColor()) << "tabs still";

    QTextCursor cursor(block(100));
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    settle();
    EXPECT_TRUE(is_keyword(block(0), 0));

    editor.moveCursor(QTextCursor::End);
    QTest::keyClick(&editor, Qt::Key_Return);
    settle();
    EXPECT_FALSE(is_keyword(block(0), 0));
}

TEST_F(ScriptWidgetTest, GutterWidensWithTheLineCount)
{
    editor.show();
    set_text(generated_python_script(120));
    const int width = 3 * editor.fontMetrics().horizontalAdvance('9') + 3;
    EXPECT_EQ(width, editor.viewport()->x() - editor.contentsRect().left());
    EXPECT_EQ(QRect(editor.contentsRect().topLeft(), QSize(width, editor.contentsRect().height())),
              editor.line_number_area()->geometry());
}

// The search bar wired to the editor as the script page does it; its picture
// goes to VX_SCREENSHOT_DIR for a look.
TEST_F(ScriptWidgetTest, SearchBarFindsTheSelectionBothWaysAndCloseClearsTheMarks)
{
    QWidget page;
    auto *layout = new QVBoxLayout(&page);
    auto *bar = new Reusable::QSearchBar(&page);
    layout->addWidget(&editor);
    layout->addWidget(bar);
    QObject::connect(bar, &Reusable::QSearchBar::search_requested, &editor, &QScriptWidget::search);
    QObject::connect(&editor, &QScriptWidget::request_search, bar,
                     &Reusable::QSearchBar::start_search);
    QObject::connect(bar, &Reusable::QSearchBar::visibility_changed, &editor,
                     &QScriptWidget::set_highlight_search);
    page.resize(640, 420);
    page.show();
    EXPECT_TRUE(bar->isHidden());
    editor.setPlainText(generated_python_script(60));
    const QTextCursor first = editor.document()->find("self");
    editor.setTextCursor(first);

    QTest::keyClick(&editor, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ("self", bar->line_edit()->selectedText());
    QTest::keyClick(bar->line_edit(), Qt::Key_Return);
    const QTextCursor second = editor.textCursor();
    EXPECT_GT(second.selectionStart(), first.selectionStart());
    EXPECT_TRUE(is_search_match(second.block(), second.positionInBlock() - 1));
    save_screenshot(&page, "script-editor-search");

    QTest::mouseClick(bar->previous_button(), Qt::LeftButton);
    EXPECT_EQ(first.selectionStart(), selection_start());
    QTest::mouseClick(bar->close_button(), Qt::LeftButton);
    EXPECT_TRUE(bar->isHidden());
    EXPECT_FALSE(is_search_match(second.block(), second.positionInBlock() - 1));
    layout->removeWidget(&editor);
    editor.setParent(nullptr);
}

// A long script shows its first lines coloured before the first paint and
// loads and colours the rest in slices; meanwhile no text change is
// signalled for either (the page would drop its error mark), search marks are
// right on every line shown, a move to the end finds the whole text, and a
// line typed far down is coloured at once.
TEST_F(ScriptWidgetTest, LongScriptColoursTheScreenFirstAndTheRestInSlices)
{
    editor.resize(500, 300);
    editor.show();
    editor.set_highlight_search(true);
    editor.search("self", false);
    set_text(generated_python_script(9000), 0);
    QSignalSpy edits(&editor, &QPlainTextEdit::textChanged);
    auto first_with = [this](const QString &word, int from) {
        QTextBlock b = block(from);
        while (b.isValid() && !b.text().contains(word))
            b = b.next();
        return b;
    };

    QCoreApplication::sendPostedEvents(); // before the first paint, no slice yet
    ASSERT_TRUE(editor.loading());
    ASSERT_TRUE(editor.highlighter()->colouring_pending());
    const QTextBlock shown = first_with("self", 5);
    EXPECT_TRUE(is_search_match(shown, shown.text().indexOf("self")));
    EXPECT_TRUE(is_keyword(first_with("def", 0), first_with("def", 0).text().indexOf("def")));

    QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier);
    EXPECT_FALSE(editor.loading());
    EXPECT_EQ(generated_python_script(9000), editor.document()->toPlainText());
    const QTextBlock far = first_with("self", 8000);
    EXPECT_FALSE(is_search_match(far, far.text().indexOf("self")));
    const QTextBlock end =
        first_with("self", editor.cursorForPosition(QPoint(0, 0)).block().blockNumber());
    ASSERT_TRUE(end.isValid());
    EXPECT_TRUE(is_search_match(end, end.text().indexOf("self"))) << "shown at once";
    ASSERT_TRUE(editor.highlighter()->colouring_pending());
    EXPECT_EQ(0, edits.count()) << "colours are no edit: the page keeps its error mark";
    QTest::keyClick(&editor, Qt::Key_Return);
    QTest::keyClicks(&editor, "if ready:");
    const QTextBlock typed = editor.textCursor().block();
    EXPECT_TRUE(is_keyword(typed, typed.text().indexOf("if"))) << "typed far down";
    const int typed_edits = edits.count();

    settle();
    EXPECT_TRUE(is_search_match(far, far.text().indexOf("self")));
    EXPECT_EQ(typed_edits, edits.count());
}

} // namespace
