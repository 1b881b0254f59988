#pragma once
// The plug-in's file dialog: window-modal over its page, never the
// platform's own (which would block the host's event loop), deleted once
// closed. The caller connects fileSelected and calls show.

#include <QFileDialog>

namespace Reusable {

class FileDialog : public QFileDialog
{
    Q_OBJECT
public:
    FileDialog(QWidget *parent, const QString &caption, const QString &filter,
               AcceptMode mode = AcceptOpen);
};

} // namespace Reusable
