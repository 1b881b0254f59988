#include "qt4-pavo7/reusable/popup.h"

#include <QVBoxLayout>

namespace Reusable {

QPopup::QPopup(QWidget *parent)
    : QFrame(parent, Qt::Popup)
    , box_(new QVBoxLayout(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::Box);
}

QPopup::~QPopup() = default;

void QPopup::show_at(const QPoint &global)
{
    adjustSize();
    move(global);
    show();
}

} // namespace Reusable
