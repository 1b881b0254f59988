#include "script-setup/pending-pages.h"

#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QLabel>
#include <QVBoxLayout>

PendingPage::PendingPage(QObject *navigator, Settings folder, Settings server_root,
                         const char *kind)
    : navigator_(navigator)
    , folder_(folder)
    , server_root_(server_root)
{
    QString name;
    if (folder_) {
        try {
            FolderLock guard(folder_);
            name = from_utf8(folder_->get_string_or("name", folder_->name()));
        } catch (const std::exception &e) {
            VX_LOG(2, "GUI: %s\n", e.what());
        }
    }
    auto *title = new QLabel(QStringLiteral("<b>%1</b>").arg(name.toHtmlEscaped()), this);
    auto *text = new QLabel(
        tr("This version of the plug-in shows %1 objects but cannot edit them yet.").arg(kind),
        this);
    text->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addStretch(1);
}

PendingPage::~PendingPage() = default;
