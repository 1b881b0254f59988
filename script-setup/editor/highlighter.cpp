#include "script-setup/editor/highlighter.h"

#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>

using namespace python_syntax;

namespace {

QTextCharFormat text_format(Qt::GlobalColor colour, bool bold)
{
    QTextCharFormat format;
    format.setForeground(colour);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return format;
}

// Calls run(start, length, kind) for every run of one kind other than plain.
template <typename Run> void for_each_run(const uint8_t *kinds, int length, Run run)
{
    for (int i = 0; i < length;) {
        const uint8_t kind = kinds[i];
        int end = i + 1;
        while (end < length && kinds[end] == kind)
            ++end;
        if (kind != plain)
            run(i, end - i, kind);
        i = end;
    }
}

// The text an escaped pattern stands for, or an empty string when the
// pattern is more than an escaped text.
QString unescaped(const QString &pattern)
{
    QString text;
    for (int i = 0; i < pattern.size(); ++i)
        text +=
            pattern[i] == QLatin1Char('\\') && i + 1 < pattern.size() ? pattern[++i] : pattern[i];
    return QRegExp::escape(text) == pattern ? text : QString();
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
    shared_[kind] = false;
}

void Highlighter::update_search_expression()
{
    search_expression_ =
        QRegExp(search_pattern_, search_case_sensitive_ ? Qt::CaseSensitive : Qt::CaseInsensitive);
    search_literal_ = unescaped(search_pattern_);
    // Case folding is only plain for ASCII.
    if (!search_case_sensitive_ && std::any_of(search_literal_.cbegin(), search_literal_.cend(),
                                               [](QChar c) { return c.unicode() >= 128; }))
        search_literal_.clear();
    if (!search_case_sensitive_)
        search_literal_ = search_literal_.toLower();
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
    colour_lines(document()->firstBlock(), document()->lastBlock(), false);
}

void Highlighter::rehighlight_blocks(const QTextBlock &first, const QTextBlock &last)
{
    if (!document() || !first.isValid())
        return;
    const QSignalBlocker quiet(document());
    colour_lines(first, last, false);
}

// A small change colours its lines, then on while a line's state changes; a
// large one is left to the slices.
void Highlighter::contents_change(int from, int removed, int added)
{
    QTextDocument *doc = document();
    const QTextBlock first = doc->findBlock(from);
    if (!first.isValid())
        return;
    QTextBlock last = doc->findBlock(from + added + (removed > 0 ? 1 : 0));
    if (!last.isValid())
        last = doc->lastBlock();
    if (last.blockNumber() - first.blockNumber() >= slice_lines)
        owe_from(first);
    else
        colour_lines(first, last, true);
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
    settle_lines(slice_lines);
    if (pending_)
        slice_timer_->start();
}

void Highlighter::settle_lines(int count)
{
    const QSignalBlocker quiet(document());
    QTextBlock block = document()->findBlock(owed_.position());
    for (; count > 0 && block.isValid(); --count, block = block.next()) {
        const QTextBlock previous = block.previous();
        block.setUserState(colour_block(block, previous.isValid() ? previous.userState() : -1));
    }
    if (block.isValid()) {
        owed_.setPosition(block.position());
    } else {
        pending_ = false;
        slice_timer_->stop();
    }
    flush_changes();
}

void Highlighter::colour_now(const QTextBlock &first, const QTextBlock &last)
{
    if (!pending_ || !document() || !first.isValid() || !last.isValid() ||
        last.position() < owed_.position())
        return;
    QTextBlock block = document()->findBlock(owed_.position());
    if (last.blockNumber() - block.blockNumber() < slice_lines) {
        settle_lines(last.blockNumber() - block.blockNumber() + 1);
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

void Highlighter::colour_lines(QTextBlock block, const QTextBlock &last, bool run_on)
{
    for (bool past_last = false; block.isValid(); block = block.next()) {
        const bool settled = !pending_ || block.position() < owed_.position();
        const QTextBlock previous = block.previous();
        const int old_state = block.userState();
        const int state = colour_block(block, previous.isValid() ? previous.userState() : -1);
        if (settled)
            block.setUserState(state);
        past_last = past_last || block == last;
        if (past_last && (!run_on || !settled || state == old_state))
            break;
    }
    flush_changes();
}

int Highlighter::classify(const QString &text, int previous_state)
{
    if (line_count_ < 0 && document() && document()->blockCount() > 1)
        line_count_ = document()->blockCount();

    const int length = text.size();
    if (kinds_.size() < static_cast<size_t>(length))
        kinds_.resize(static_cast<size_t>(length));
    uint8_t *kinds = kinds_.data();

    int state = closed;
    if (line_count_ <= max_coloured_lines)
        state = classify_line(text.constData(), length, previous_state, kinds);
    else
        std::fill(kinds, kinds + length, uint8_t(plain));
    mark_tabs(text.constData(), length, kinds);
    if (!search_pattern_.isEmpty() &&
        (search_literal_.isEmpty() ||
         !mark_literal(text.constData(), length, search_literal_, search_case_sensitive_, kinds)))
        mark_search(text, search_expression_, kinds);
    return state;
}

int Highlighter::colour_block(const QTextBlock &block, int previous_state)
{
    const QString text = block.text();
    const int state = classify(text, previous_state);
    ranges_.clear();
    range_kinds_.clear();
    for_each_run(kinds_.data(), text.size(), [this](int start, int length, uint8_t kind) {
        QTextLayout::FormatRange range;
        range.start = start;
        range.length = length;
        range.format = formats_[kind];
        ranges_.append(range);
        range_kinds_.push_back(kind);
    });
    QTextLayout *layout = block.layout();
    if (layout->formats() == ranges_)
        return state;
    layout->setFormats(ranges_);
    // The layout keeps the document's copy of each format: taking it makes
    // the next comparison of that format a pointer comparison.
    const QVector<QTextLayout::FormatRange> stored = layout->formats();
    for (int i = 0; i < stored.size(); ++i)
        if (!shared_[range_kinds_[i]]) {
            formats_[range_kinds_[i]] = stored[i].format;
            shared_[range_kinds_[i]] = true;
        }
    const int from = block.position();
    const int to = from + block.length();
    changed_from_ = changed_from_ < 0 ? from : std::min(changed_from_, from);
    changed_to_ = std::max(changed_to_, to);
    return state;
}

void Highlighter::flush_changes()
{
    if (changed_from_ < 0)
        return;
    const int from = changed_from_;
    const int length = changed_to_ - changed_from_;
    changed_from_ = changed_to_ = -1;
    document()->markContentsDirty(from, length);
}

void Highlighter::highlightBlock(const QString &text)
{
    setCurrentBlockState(classify(text, previousBlockState()));
    for_each_run(kinds_.data(), text.size(), [this](int start, int length, uint8_t kind) {
        setFormat(start, length, formats_[kind]);
    });
}
