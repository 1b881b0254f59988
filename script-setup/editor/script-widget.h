#pragma once
// The Python editor of the script pages: line numbers, colouring, search
// with marked matches, automatic indentation, Ctrl+S and Ctrl+F.

#include <QPlainTextEdit>
#include <QTextBlock>

#include <utility>

class Highlighter;
class QLineNumberArea;
class QTimer;

class QScriptWidget : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit QScriptWidget(QWidget *parent = nullptr);
    ~QScriptWidget() override;

    // Lines a long text shows at once, and lines per slice of the rest.
    enum { first_lines = 200, slice_lines = 150 };

    // Hide the base's functions so that every caller through this class sees
    // the whole text: a long text shows its first lines at once and the rest
    // follows in slices from the event loop, and whatever needs the whole
    // text (toPlainText, a search, the operator's input) first takes the rest
    // at once. The rest is no edit: no text change is signalled for it, and
    // it cannot be undone.
    void setPlainText(const QString &text);
    QString toPlainText() const;
    // The text as far as it is loaded.
    QString loaded_text() const { return QPlainTextEdit::toPlainText(); }
    // Appends at once what the slices still owe.
    void finish_loading();
    bool loading() const { return !rest_.isEmpty(); }

    Highlighter *highlighter() const { return highlighter_; }
    QLineNumberArea *line_number_area() const { return line_number_area_; }
    QString search_string() const { return search_string_; }

    // Decimal digits of the line count times the width of "9", plus 3 pixels.
    int line_number_area_width() const;
    void line_number_area_paint_event(QPaintEvent *event);

Q_SIGNALS:
    void save_pressed();
    void request_search(QString text);
    void find_pressed();

public Q_SLOTS:
    // Finds the next (or previous) occurrence from the cursor, going round the
    // document once; the cursor stays put when there is none.
    void search(QString search_string, bool backwards);
    void set_search_string(QString text);
    void set_highlight_search(bool b);
    void set_search_casesensitive(bool case_sensitive);
    void rehighlight_if_needed();
    void update_line_number_area_width(int new_block_count);
    void update_line_number_area(QRect rect, int dy);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QString search_pattern() const;
    void indent_new_line();
    // The lines on screen, counted by height (lines do not wrap), so that
    // none has to be laid out to find them.
    std::pair<QTextBlock, QTextBlock> shown_blocks() const;
    // Colours the lines on screen that still wait for their slice.
    void colour_shown();
    // Appends the rest of the text up to `end`.
    void append_rest(int end);
    void load_slice();

    QString search_string_;
    bool highlight_search_ = false;
    bool case_sensitive_ = false;
    bool rehighlight_pending_ = false;
    int last_first_visible_ = -1;
    QLineNumberArea *line_number_area_;
    Highlighter *highlighter_;
    QString rest_;      // the text set, while part of it is still to come
    int rest_from_ = 0; // where in rest_ the part still to come starts
    QTimer *load_timer_;
};
