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
    QSize sizeHint() const override;

public Q_SLOTS:
    void adjustTextEditSize();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int lines_;
};
