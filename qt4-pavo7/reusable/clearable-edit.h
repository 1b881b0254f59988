#pragma once
// A line edit with a clear button; Escape clears it too, so a filter can be
// dropped from the keyboard.

#include <QLineEdit>

namespace Reusable {

class QClearableEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit QClearableEdit(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace Reusable
