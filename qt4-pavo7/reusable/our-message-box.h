#pragma once
// The plug-in's message box: a QMessageBox that is shown without blocking
// (the caller connects finished) and deletes itself once closed.

#include <QMessageBox>

namespace Reusable {

class OurMessageBox : public QMessageBox
{
    Q_OBJECT
public:
    OurMessageBox(Icon icon, const QString &title, const QString &text,
                  StandardButtons buttons = NoButton, QWidget *parent = nullptr,
                  Qt::WindowModality modality = Qt::NonModal);
};

} // namespace Reusable
