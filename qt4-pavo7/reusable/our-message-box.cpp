#include "qt4-pavo7/reusable/our-message-box.h"

namespace Reusable {

OurMessageBox::OurMessageBox(Icon icon, const QString &title, const QString &text,
                             StandardButtons buttons, QWidget *parent, Qt::WindowModality modality)
    : QMessageBox(icon, title, text, buttons, parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(modality);
}

} // namespace Reusable
