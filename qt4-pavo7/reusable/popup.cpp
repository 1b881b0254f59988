#include "qt4-pavo7/reusable/popup.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace Reusable {

// A tool tip window neither grabs the keyboard nor is activated: the page
// keeps the focus, so the popup watches the application for Escape and clicks.
QPopup::QPopup(QWidget *parent)
    : QFrame(parent, Qt::ToolTip)
    , box_(new QVBoxLayout(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::Box);
}

QPopup::~QPopup() = default;

void QPopup::show_at(const QPoint &global)
{
    adjustSize();
    move(global);
    show();
}

void QPopup::showEvent(QShowEvent *event)
{
    qApp->installEventFilter(this);
    QFrame::showEvent(event);
}

void QPopup::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    QFrame::hideEvent(event);
}

bool QPopup::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            close();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
        // The click still goes where it was aimed.
        if (watched->isWidgetType() && !isAncestorOf(static_cast<QWidget *>(watched)) &&
            watched != this)
            close();
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace Reusable
