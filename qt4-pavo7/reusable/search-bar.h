#pragma once
// The search strip under an editor: close, search text, next, previous and
// case sensitivity. Hidden until an owner shows it with start_search.

#include <QFrame>

class QCheckBox;
class QLineEdit;
class QToolButton;

namespace Reusable {

class QSearchBar : public QFrame
{
    Q_OBJECT
public:
    explicit QSearchBar(QWidget *parent = nullptr);
    ~QSearchBar() override;

    QLineEdit *line_edit() const { return line_edit_; }
    QToolButton *close_button() const { return close_button_; }
    QToolButton *next_button() const { return next_button_; }
    QToolButton *previous_button() const { return previous_button_; }
    QCheckBox *case_sensitive_box() const { return case_sensitive_; }

    void setVisible(bool visible) override;

Q_SIGNALS:
    // Return or a change in the line edit and "Find next" search forward,
    // "Find previous" backward.
    void search_requested(QString text, bool backwards);
    void case_sensitivity_changed(bool case_sensitive);
    // Emitted when the bar is shown or hidden on purpose (not with its window).
    void visibility_changed(bool visible);

public Q_SLOTS:
    // Shows the bar with the text selected in the focused line edit.
    void start_search(const QString &text);

private:
    QLineEdit *line_edit_;
    QToolButton *close_button_;
    QToolButton *next_button_;
    QToolButton *previous_button_;
    QCheckBox *case_sensitive_;
};

} // namespace Reusable
