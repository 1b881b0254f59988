#include "qt4-pavo7/reusable/file-dialog.h"

namespace Reusable {

FileDialog::FileDialog(QWidget *parent, const QString &caption, const QString &filter,
                       AcceptMode mode)
    : QFileDialog(parent, caption, QString(), filter)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setOption(QFileDialog::DontUseNativeDialog);
    setWindowModality(Qt::WindowModal);
    setAcceptMode(mode);
    setFileMode(mode == AcceptSave ? AnyFile : ExistingFile);
}

} // namespace Reusable
