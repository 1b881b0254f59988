#pragma once
// The gutter left of the script editor; the editor sizes and paints it.

#include <QWidget>

class QScriptWidget;

class QLineNumberArea : public QWidget
{
    Q_OBJECT
public:
    explicit QLineNumberArea(QScriptWidget *editor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QScriptWidget *editor_;
};
