#pragma once
// A text edit that starts one line high and grows with its text: the rule's
// condition lines and setting values, which the highlighter colours.

#include <QTextEdit>

class QLineTextEdit : public QTextEdit
{
    Q_OBJECT
public:
    explicit QLineTextEdit(int lines, QWidget *parent = nullptr);
    ~QLineTextEdit() override;

    void setPlaceholder(const QString &text) { setPlaceholderText(text); }
    // The edit grows with its text up to this height (0: no limit).
    void cap_height(int pixels);
    QSize sizeHint() const override;

Q_SIGNALS:
    // The plain text changed; a new colouring of the same text is no change.
    void plain_text_changed();

public Q_SLOTS:
    void adjustTextEditSize();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // A font given after construction (the host's scale) changes the height.
    void changeEvent(QEvent *event) override;

private:
    int lines_;
    int height_cap_ = 0;
    QString last_text_;
};
