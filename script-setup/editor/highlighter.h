#pragma once
// Python colouring for the script editor and the rule page's condition edit.

#include "script-setup/editor/python-syntax.h"

#include <QRegExp>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QTextCursor>

#include <vector>

class QTimer;

// A change of many lines (loading a script) is coloured in slices from the
// event loop, top down; lines shown meanwhile are coloured at once on
// request, and an edit colours its own lines without running on into the
// lines still waiting.
class Highlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    // Documents longer than this get only tabs and search matches marked.
    enum { max_coloured_lines = 10000 };
    // Lines per slice, about a millisecond of work; a change of more lines
    // than this is left to the slices.
    enum { slice_lines = 400 };

    explicit Highlighter(QTextDocument *document);
    ~Highlighter() override;

    // The pattern is a regular expression, already escaped by the caller;
    // empty switches match marking off. Neither call re-highlights.
    void set_search_pattern(const QString &pattern);
    void set_search_case_sensitive(bool case_sensitive);

    // The look of one kind of text; the defaults are the editor's colours.
    QTextCharFormat format_of(python_syntax::Kind kind) const { return formats_[kind]; }
    void set_format_of(python_syntax::Kind kind, const QTextCharFormat &format);

    // Colours the whole document now, including what the slices still owe.
    // Hides the base's function so that every caller through this class
    // settles the slices too; no text change is signalled.
    void rehighlight();
    // Colours the given lines now, each on its own; no text change is signalled.
    void rehighlight_blocks(const QTextBlock &first, const QTextBlock &last);
    // Leaves the whole document to the slices.
    void rehighlight_later();
    // Whether lines still wait for their slice.
    bool colouring_pending() const { return pending_; }
    // Colours the lines first to last (those shown) at once if they still
    // wait: in order when the slices are close, else on their own after
    // carrying the triple-quote state down to them.
    void colour_now(const QTextBlock &first, const QTextBlock &last);

Q_SIGNALS:
    // Lines were left to the slices; whoever shows them may ask for them.
    void colouring_deferred();

public Q_SLOTS:
    void document_changed();

protected:
    void highlightBlock(const QString &text) override;

private:
    void update_search_expression();
    void contents_change(int from, int removed, int added);
    void owe_from(const QTextBlock &block);
    void colour_slice();
    bool may_store_state();

    QTextCharFormat formats_[python_syntax::kind_count];
    QString search_pattern_;
    bool search_case_sensitive_ = false;
    QRegExp search_expression_;
    int line_count_ = -1;
    std::vector<uint8_t> kinds_;
    // While pending_, the lines from the one holding owed_ down wait for
    // their slice; only lines above it have a trustworthy state.
    bool pending_ = false;
    QTextCursor owed_;
    int slice_budget_ = 0; // lines the running slice may still settle
    QTimer *slice_timer_;
};
