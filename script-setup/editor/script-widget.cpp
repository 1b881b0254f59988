#include "script-setup/editor/script-widget.h"

#include "script-setup/editor/highlighter.h"
#include "script-setup/editor/line-number-area.h"
#include "script-setup/editor/python-syntax.h"

#include <QKeyEvent>
#include <QPainter>
#include <QRegExp>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTimer>

namespace {

// The index just past the line end that closes the count-th line from
// `from`, or -1 when the text has fewer lines.
int after_lines(const QString &text, int from, int count)
{
    for (; count > 0; --count) {
        from = text.indexOf(QLatin1Char('\n'), from);
        if (from < 0)
            return -1;
        ++from;
    }
    return from;
}

} // namespace

QScriptWidget::QScriptWidget(QWidget *parent)
    : QPlainTextEdit(parent)
    , line_number_area_(new QLineNumberArea(this))
    , highlighter_(new Highlighter(document()))
    , load_timer_(new QTimer(this))
{
    QFont font(QString::fromLatin1("Courier"), 10); // the font cache outlives the library
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    setFont(font);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabStopDistance(4 * fontMetrics().horizontalAdvance(QLatin1Char(' ')));

    connect(this, &QPlainTextEdit::cursorPositionChanged, this,
            &QScriptWidget::rehighlight_if_needed);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            &QScriptWidget::rehighlight_if_needed);
    connect(this, &QPlainTextEdit::blockCountChanged, this,
            &QScriptWidget::update_line_number_area_width);
    connect(this, &QPlainTextEdit::updateRequest, this, &QScriptWidget::update_line_number_area);
    // Queued: the view knows the new text's lines only after the change.
    connect(highlighter_, &Highlighter::colouring_deferred, this, &QScriptWidget::colour_shown,
            Qt::QueuedConnection);
    load_timer_->setSingleShot(true);
    load_timer_->setInterval(0);
    connect(load_timer_, &QTimer::timeout, this, &QScriptWidget::load_slice);
    update_line_number_area_width(0);
}

void QScriptWidget::setPlainText(const QString &text)
{
    rest_.clear();
    load_timer_->stop();
    const int first_end = after_lines(text, 0, first_lines);
    // A text that would leave less than a slice is set whole.
    if (first_end < 0 || after_lines(text, first_end, slice_lines) < 0) {
        QPlainTextEdit::setPlainText(text);
        return;
    }
    // Cut after a line end, so that a CR LF pair stays together: the rest
    // goes on in the empty last line.
    QPlainTextEdit::setPlainText(text.left(first_end));
    rest_ = text;
    rest_from_ = first_end;
    load_timer_->start();
}

QString QScriptWidget::toPlainText() const
{
    const_cast<QScriptWidget *>(this)->finish_loading();
    return QPlainTextEdit::toPlainText();
}

void QScriptWidget::finish_loading()
{
    if (loading())
        append_rest(rest_.size());
}

void QScriptWidget::load_slice()
{
    if (!loading())
        return;
    const int end = after_lines(rest_, rest_from_, slice_lines);
    append_rest(end < 0 ? rest_.size() : end);
    if (loading())
        load_timer_->start();
}

void QScriptWidget::append_rest(int end)
{
    QTextDocument *doc = document();
    const bool undo = doc->isUndoRedoEnabled();
    const bool modified = doc->isModified();
    {
        const QSignalBlocker quiet(this);
        doc->setUndoRedoEnabled(false);
        QTextCursor cursor(doc);
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(rest_.mid(rest_from_, end - rest_from_));
        doc->setUndoRedoEnabled(undo);
        doc->setModified(modified);
    }
    rest_from_ = end;
    if (rest_from_ >= rest_.size()) {
        rest_.clear();
        load_timer_->stop();
    }
    update_line_number_area_width(0);
}

QScriptWidget::~QScriptWidget() = default;

int QScriptWidget::line_number_area_width() const
{
    int digits = 1;
    for (int count = blockCount(); count >= 10; count /= 10)
        ++digits;
    return digits * fontMetrics().horizontalAdvance(QLatin1Char('9')) + 3;
}

void QScriptWidget::update_line_number_area_width(int)
{
    const int width = line_number_area_width();
    setViewportMargins(width, 0, 0, 0);
    // The gutter follows at once, not only at the next resize.
    const QRect contents = contentsRect();
    line_number_area_->setGeometry(
        QRect(contents.left(), contents.top(), width, contents.height()));
}

void QScriptWidget::update_line_number_area(QRect rect, int dy)
{
    if (dy)
        line_number_area_->scroll(0, dy);
    else
        line_number_area_->update(0, rect.y(), line_number_area_->width(), rect.height());
    if (rect.contains(viewport()->rect()))
        update_line_number_area_width(0);
}

void QScriptWidget::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect contents = contentsRect();
    line_number_area_->setGeometry(
        QRect(contents.left(), contents.top(), line_number_area_width(), contents.height()));
    colour_shown();
}

std::pair<QTextBlock, QTextBlock> QScriptWidget::shown_blocks() const
{
    const QTextBlock first = firstVisibleBlock();
    const int lines = viewport()->height() / qMax(1, fontMetrics().lineSpacing()) + 1;
    QTextBlock last = document()->findBlockByNumber(first.blockNumber() + lines);
    if (!last.isValid())
        last = document()->lastBlock();
    return {first, last};
}

void QScriptWidget::colour_shown()
{
    if (!highlighter_->colouring_pending())
        return;
    const auto [first, last] = shown_blocks();
    highlighter_->colour_now(first, last);
}

void QScriptWidget::line_number_area_paint_event(QPaintEvent *event)
{
    QPainter painter(line_number_area_);
    painter.fillRect(event->rect(), QColor(241, 241, 241));
    painter.setPen(Qt::black);
    const int width = line_number_area_->width() - 1;
    const int line_height = fontMetrics().height();

    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (block.isVisible() && bottom >= event->rect().top())
            painter.drawText(0, top, width, line_height, Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        block = block.next();
        top = bottom;
    }
}

void QScriptWidget::inputMethodEvent(QInputMethodEvent *event)
{
    finish_loading();
    QPlainTextEdit::inputMethodEvent(event);
}

void QScriptWidget::contextMenuEvent(QContextMenuEvent *event)
{
    finish_loading();
    QPlainTextEdit::contextMenuEvent(event);
}

void QScriptWidget::insertFromMimeData(const QMimeData *source)
{
    finish_loading();
    QPlainTextEdit::insertFromMimeData(source);
}

void QScriptWidget::keyPressEvent(QKeyEvent *event)
{
    // An edit must find the whole text, and so must a move to its end.
    finish_loading();
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (key == Qt::Key_S && modifiers == Qt::ControlModifier) {
        emit save_pressed();
    } else if (key == Qt::Key_F && modifiers == Qt::ControlModifier) {
        const QTextCursor cursor = textCursor();
        emit request_search(cursor.hasSelection() ? cursor.selectedText() : search_string_);
    } else if (key == Qt::Key_F3) {
        search(search_string_, modifiers == Qt::ShiftModifier);
    } else if (key == Qt::Key_Tab && !(modifiers & Qt::ControlModifier)) {
        // Ctrl+Tab is left to the host, which switches its tabs with it.
        textCursor().insertText(QStringLiteral("\t"));
        ensureCursorVisible();
    } else if (key == Qt::Key_Return) {
        const int block_before = textCursor().blockNumber();
        QPlainTextEdit::keyPressEvent(event);
        // Shift+Return breaks the line inside the block; only a new block is indented.
        if (textCursor().blockNumber() != block_before)
            indent_new_line();
        return;
    } else {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

void QScriptWidget::indent_new_line()
{
    QTextCursor cursor = textCursor();
    const QTextBlock previous = cursor.block().previous();
    if (!previous.isValid())
        return;
    const QString indentation = python_syntax::indentation_after(previous.text());
    if (!indentation.isEmpty())
        cursor.insertText(indentation);
}

void QScriptWidget::search(QString search_string, bool backwards)
{
    finish_loading();
    if (search_string != search_string_) {
        set_search_string(search_string);
        QTextCursor cursor = textCursor();
        if (cursor.hasSelection()) {
            cursor.setPosition(cursor.selectionStart());
            setTextCursor(cursor);
        }
    }
    QTextDocument::FindFlags flags;
    if (case_sensitive_)
        flags |= QTextDocument::FindCaseSensitively;
    if (backwards)
        flags |= QTextDocument::FindBackward;
    if (find(search_string_, flags))
        return;
    const QTextCursor remembered = textCursor();
    moveCursor(backwards ? QTextCursor::End : QTextCursor::Start);
    if (!find(search_string_, flags))
        setTextCursor(remembered);
}

QString QScriptWidget::search_pattern() const
{
    return highlight_search_ ? QRegExp::escape(search_string_) : QString();
}

void QScriptWidget::set_search_string(QString text)
{
    search_string_ = text;
    highlighter_->set_search_pattern(search_pattern());
    // Only the lines on screen now; the rest when the first visible line
    // changes.
    const auto [first, last] = shown_blocks();
    highlighter_->rehighlight_blocks(first, last);
    rehighlight_pending_ = true;
}

void QScriptWidget::set_highlight_search(bool b)
{
    highlight_search_ = b;
    highlighter_->set_search_pattern(search_pattern());
    highlighter_->rehighlight();
}

void QScriptWidget::set_search_casesensitive(bool case_sensitive)
{
    case_sensitive_ = case_sensitive;
    highlighter_->set_search_case_sensitive(case_sensitive);
    highlighter_->rehighlight();
}

void QScriptWidget::rehighlight_if_needed()
{
    const QTextBlock first = firstVisibleBlock();
    if (blockCount() > 0 && first.isValid() && first.blockNumber() == last_first_visible_)
        return;
    last_first_visible_ = first.blockNumber();
    if (rehighlight_pending_) {
        rehighlight_pending_ = false;
        highlighter_->rehighlight_later();
    }
    colour_shown();
}
