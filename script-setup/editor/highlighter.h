#pragma once
// Python colouring for the script editor and the rule page's condition edit.

#include "script-setup/editor/python-syntax.h"

#include <QRegExp>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <vector>

class Highlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    // Documents longer than this get only tabs and search matches marked.
    enum { max_coloured_lines = 10000 };

    explicit Highlighter(QTextDocument *document);
    ~Highlighter() override;

    // The pattern is a regular expression, already escaped by the caller;
    // empty switches match marking off. Neither call re-highlights.
    void set_search_pattern(const QString &pattern);
    void set_search_case_sensitive(bool case_sensitive);

    // The look of one kind of text; the defaults are the editor's colours.
    QTextCharFormat format_of(python_syntax::Kind kind) const { return formats_[kind]; }
    void set_format_of(python_syntax::Kind kind, const QTextCharFormat &format);

public Q_SLOTS:
    void document_changed();

protected:
    void highlightBlock(const QString &text) override;

private:
    void update_search_expression();

    QTextCharFormat formats_[python_syntax::kind_count];
    QString search_pattern_;
    bool search_case_sensitive_ = false;
    QRegExp search_expression_;
    int line_count_ = -1;
    std::vector<uint8_t> kinds_;
};
