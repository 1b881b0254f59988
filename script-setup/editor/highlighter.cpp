#include "script-setup/editor/highlighter.h"

#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

using namespace python_syntax;

namespace {

// A block state no line has: set on the lines a pass must visit, so that
// the base class goes on from each to the next.
const int unsettled_state = -2;

QTextCharFormat text_format(Qt::GlobalColor colour, bool bold)
{
    QTextCharFormat format;
    format.setForeground(colour);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

} // namespace

Highlighter::Highlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
    , slice_timer_(new QTimer(this))
{
    formats_[call] = text_format(Qt::darkBlue, false);
    formats_[grammar_term] = text_format(Qt::darkYellow, false);
    formats_[keyword] = text_format(Qt::darkRed, true);
    formats_[class_name] = text_format(Qt::darkMagenta, false);
    formats_[single_quoted] = text_format(Qt::darkMagenta, true);
    formats_[double_quoted] = formats_[single_quoted];
    formats_[script_api] = text_format(Qt::darkBlue, true);
    formats_[comment] = text_format(Qt::darkGreen, true);
    formats_[multiline_string] = text_format(Qt::darkGreen, false);
    formats_[tab].setFontUnderline(true);
    formats_[tab].setUnderlineStyle(QTextCharFormat::DashUnderline);
    formats_[tab].setUnderlineColor(Qt::lightGray);
    formats_[search_match].setBackground(Qt::yellow);

    slice_timer_->setSingleShot(true);
    slice_timer_->setInterval(0);
    connect(slice_timer_, &QTimer::timeout, this, &Highlighter::colour_slice);
    if (document) {
        // The base class would colour every changed line at once, a whole
        // script on loading; this class decides which lines wait.
        disconnect(document, SIGNAL(contentsChange(int, int, int)), this,
                   SLOT(_q_reformatBlocks(int, int, int)));
        connect(document, &QTextDocument::contentsChange, this, &Highlighter::contents_change);
        connect(document, &QTextDocument::blockCountChanged, this, &Highlighter::document_changed);
        connect(document, &QTextDocument::contentsChanged, this, &Highlighter::document_changed);
        owed_ = QTextCursor(document);
    }
}

Highlighter::~Highlighter()
{
    // The base destructor detaches the document, which emits the signals
    // above; this part of the object is gone by then.
    if (QTextDocument *doc = document())
        disconnect(doc, nullptr, this, nullptr);
}

void Highlighter::set_search_pattern(const QString &pattern)
{
    search_pattern_ = pattern;
    update_search_expression();
}

void Highlighter::set_search_case_sensitive(bool case_sensitive)
{
    search_case_sensitive_ = case_sensitive;
    update_search_expression();
}

void Highlighter::set_format_of(Kind kind, const QTextCharFormat &format)
{
    Q_ASSERT(kind > plain && kind < kind_count);
    formats_[kind] = format;
}

void Highlighter::update_search_expression()
{
    search_expression_ =
        QRegExp(search_pattern_, search_case_sensitive_ ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

void Highlighter::document_changed()
{
    if (line_count_ < 0 || !document())
        return;
    const int old_count = line_count_;
    line_count_ = document()->blockCount();
    if ((old_count <= max_coloured_lines) != (line_count_ <= max_coloured_lines))
        rehighlight_later();
}

void Highlighter::rehighlight()
{
    pending_ = false;
    slice_timer_->stop();
    if (!document())
        return;
    // Colours are no edit: the page must not take them for one.
    const QSignalBlocker quiet(document());
    QSyntaxHighlighter::rehighlight();
}

void Highlighter::rehighlight_blocks(const QTextBlock &first, const QTextBlock &last)
{
    if (!document() || !first.isValid())
        return;
    const QSignalBlocker quiet(document());
    QTextCursor batch(document()); // one layout change for all of them
    batch.beginEditBlock();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        rehighlightBlock(block);
        if (block == last)
            break;
    }
    batch.endEditBlock();
}

// Mirrors the base class for a small change: the changed lines, then on
// while a line's state changes; a large one is left to the slices.
void Highlighter::contents_change(int from, int removed, int added)
{
    QTextDocument *doc = document();
    const QTextBlock first = doc->findBlock(from);
    if (!first.isValid())
        return;
    QTextBlock last = doc->findBlock(from + added + (removed > 0 ? 1 : 0));
    if (!last.isValid())
        last = doc->lastBlock();
    if (last.blockNumber() - first.blockNumber() >= slice_lines) {
        owe_from(first);
        return;
    }
    if (pending_ && first.position() > owed_.position()) {
        // Lines still waiting: colour them for the eye, the slice settles them.
        for (QTextBlock block = first; block.isValid(); block = block.next()) {
            rehighlightBlock(block);
            if (block == last)
                break;
        }
        return;
    }
    for (QTextBlock block = first; block != last; block = block.next())
        block.setUserState(unsettled_state);
    rehighlightBlock(first);
}

void Highlighter::rehighlight_later()
{
    if (document())
        owe_from(document()->firstBlock());
}

void Highlighter::owe_from(const QTextBlock &block)
{
    if (!pending_ || block.position() < owed_.position())
        owed_.setPosition(block.position());
    pending_ = true;
    slice_timer_->start();
    emit colouring_deferred();
}

void Highlighter::colour_slice()
{
    if (!pending_ || !document())
        return;
    const QSignalBlocker quiet(document());
    QTextBlock block = document()->findBlock(owed_.position());
    slice_budget_ = slice_lines;
    block.setUserState(unsettled_state);
    rehighlightBlock(block);
    slice_budget_ = 0;
    if (pending_)
        slice_timer_->start();
}

void Highlighter::colour_now(const QTextBlock &first, const QTextBlock &last)
{
    if (!pending_ || !document() || !first.isValid() || !last.isValid() ||
        last.position() < owed_.position())
        return;
    QTextBlock block = document()->findBlock(owed_.position());
    if (last.blockNumber() - block.blockNumber() < slice_lines) {
        const QSignalBlocker quiet(document());
        slice_budget_ = last.blockNumber() - block.blockNumber() + 1;
        block.setUserState(unsettled_state);
        rehighlightBlock(block);
        slice_budget_ = 0;
        return;
    }
    if (line_count_ <= max_coloured_lines) {
        int state = block.previous().isValid() ? block.previous().userState() : -1;
        for (; block.isValid(); block = block.next()) {
            const QString text = block.text();
            state = line_state(text.constData(), text.size(), state);
            block.setUserState(state);
            if (block == last)
                break;
        }
    }
    rehighlight_blocks(first, last);
}

// Called for every coloured line: whether its state may be stored. Lines
// below the owed one keep theirs, so an edit there runs on no further; the
// slice that reaches the owed line moves the mark on.
bool Highlighter::may_store_state()
{
    if (!pending_)
        return true;
    const QTextBlock block = currentBlock();
    const int owed = owed_.position();
    if (block.position() > owed)
        return false;
    if (slice_budget_ > 0 && owed < block.position() + block.length()) {
        QTextBlock next = block.next();
        if (!next.isValid()) {
            pending_ = false;
            slice_timer_->stop();
        } else {
            owed_.setPosition(next.position());
            if (--slice_budget_ > 0)
                next.setUserState(unsettled_state);
        }
    }
    return true;
}

void Highlighter::highlightBlock(const QString &text)
{
    if (line_count_ < 0 && document() && document()->blockCount() > 1)
        line_count_ = document()->blockCount();

    const int length = text.size();
    if (kinds_.size() < static_cast<size_t>(length))
        kinds_.resize(static_cast<size_t>(length));
    uint8_t *kinds = kinds_.data();

    int state = closed;
    if (line_count_ <= max_coloured_lines)
        state = classify_line(text.constData(), length, previousBlockState(), kinds);
    else
        std::fill(kinds, kinds + length, uint8_t(plain));
    if (may_store_state())
        setCurrentBlockState(state);
    mark_tabs(text.constData(), length, kinds);
    if (!search_pattern_.isEmpty())
        mark_search(text, search_expression_, kinds);

    // One format call per run: the framework copies the format per character.
    for (int i = 0; i < length;) {
        const uint8_t kind = kinds[i];
        int end = i + 1;
        while (end < length && kinds[end] == kind)
            ++end;
        if (kind != plain)
            setFormat(i, end - i, formats_[kind]);
        i = end;
    }
}
