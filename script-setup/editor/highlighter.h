#pragma once
// Python colouring for the script editor and the rule page's condition edit.

#include "script-setup/editor/python-syntax.h"

#include <QRegExp>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextLayout>

#include <vector>

class QTimer;

// A change of many lines (loading a script) is coloured in slices from the
// event loop, top down; lines shown meanwhile are coloured at once on
// request, and an edit colours its own lines without running on into the
// lines still waiting. The lines are coloured here rather than through the
// base class, which copies a format per character and replaces a line's
// formats even when they are the same: a line's formats are set only when
// they change, and one layout notice covers a whole pass.
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
    // Fills kinds_ for the line and returns its state.
    int classify(const QString &text, int previous_state);
    // Colours one line from the state of the line above; returns its state.
    int colour_block(const QTextBlock &block, int previous_state);
    // Colours first to last; lines above the owed mark keep their state, and
    // with run_on the colouring goes on past last while stored states change.
    void colour_lines(QTextBlock block, const QTextBlock &last, bool run_on);
    // Colours and settles up to count lines from the owed one, moving the mark.
    void settle_lines(int count);
    // Tells the layout once about the lines whose formats changed.
    void flush_changes();

    QTextCharFormat formats_[python_syntax::kind_count];
    QString search_pattern_;
    bool search_case_sensitive_ = false;
    QRegExp search_expression_;
    // The pattern as plain text when it is an escaped literal the lines can
    // be searched for without the expression (lower case when the case does
    // not matter); else empty.
    QString search_literal_;
    int line_count_ = -1;
    std::vector<uint8_t> kinds_;
    QVector<QTextLayout::FormatRange> ranges_;
    std::vector<uint8_t> range_kinds_;
    // Whether formats_[kind] shares its data with the document's copy, so
    // that comparing a line's formats compares pointers.
    bool shared_[python_syntax::kind_count] = {};
    int changed_from_ = -1; // the document span whose formats changed
    int changed_to_ = -1;
    // While pending_, the lines from the one holding owed_ down wait for
    // their slice; only lines above it have a trustworthy state.
    bool pending_ = false;
    QTextCursor owed_;
    QTimer *slice_timer_;
};
