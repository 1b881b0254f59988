#include "qt4-pavo7/reusable/clearable-edit.h"

#include <QKeyEvent>

namespace Reusable {

QClearableEdit::QClearableEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setClearButtonEnabled(true);
}

void QClearableEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
        clear();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace Reusable
