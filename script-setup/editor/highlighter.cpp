#include "script-setup/editor/highlighter.h"

#include <QTextDocument>

using namespace python_syntax;

namespace {

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

    if (document) {
        connect(document, &QTextDocument::blockCountChanged, this, &Highlighter::document_changed);
        connect(document, &QTextDocument::contentsChanged, this, &Highlighter::document_changed);
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
        rehighlight();
}

void Highlighter::highlightBlock(const QString &text)
{
    if (line_count_ < 0 && document() && document()->blockCount() > 1)
        line_count_ = document()->blockCount();

    const int length = text.size();
    if (kinds_.size() < static_cast<size_t>(length))
        kinds_.resize(static_cast<size_t>(length));
    uint8_t *kinds = kinds_.data();

    if (line_count_ <= max_coloured_lines)
        setCurrentBlockState(classify_line(text.constData(), length, previousBlockState(), kinds));
    else
        std::fill(kinds, kinds + length, uint8_t(plain));
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
