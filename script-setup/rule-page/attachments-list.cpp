#include "script-setup/rule-page/attachments-list.h"

#include "qt4-pavo7/reusable/channels-box.h"
#include "script-setup/rule-page/grid-widget.h"
#include "script-setup/rule/rule.h"
#include "utils/text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

FileAttachment::FileAttachment(const QString &action_name, QWidget *parent)
    : QCheckBox(parent)
{
    setObjectName(action_name);
    // Cut rather than widen the page on a narrow pane; the tool tip has it all.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void FileAttachment::update(QString new_text)
{
    setText(new_text);
    setToolTip(new_text);
}

AttachmentsList::AttachmentsList(QGridWidget *actions, QWidget *parent)
    : QWidget(parent)
    , actions_(actions)
    , box_(new QVBoxLayout(this))
{
    box_->setContentsMargins(0, 0, 0, 0);
    box_->setSpacing(0);
    setObjectName(QStringLiteral("attachments"));
}

AttachmentsList::~AttachmentsList() = default;

void AttachmentsList::update(bool)
{
    const int own = actions_->find(this).first;
    std::map<QString, FileAttachment *> kept;
    for (FileAttachment *f : findChildren<FileAttachment *>(QString(), Qt::FindDirectChildrenOnly))
        kept[f->action_name()] = f;
    for (int r = 0; r < own; ++r) {
        const int kind = actions_->row_data(r).toInt();
        if (kind != rule::EXPORT_VIDEO && kind != rule::TAKE_SCREENSHOT && kind != rule::POS_REPORT)
            continue;
        const QString name = actions_->row_layout(r)->itemAt(0)->widget()->objectName();
        FileAttachment *&f = kept[name];
        auto *channels = actions_->row(r)->findChild<Reusable::QChannelsBox *>();
        if (!f) {
            f = new FileAttachment(name, this);
            box_->addWidget(f);
            if (pending_.contains(name))
                f->setChecked(true);
            connect(f, &QCheckBox::stateChanged, this, &AttachmentsList::selected_files_changed);
            if (channels)
                connect(channels, &Reusable::QChannelsBox::data_updated, this,
                        [this] { update(); });
        }
        f->row = r;
        const QString channel = channels ? channels->currentText() : QString();
        if (kind == rule::EXPORT_VIDEO)
            f->update(tr("Video exported from action %1 (%2)").arg(r + 1).arg(channel));
        else if (kind == rule::TAKE_SCREENSHOT)
            f->update(tr("Screenshot exported from action %1 (%2)").arg(r + 1).arg(channel));
        else
            f->update(tr("Tillora report exported from action %1%2").arg(r + 1).arg(QString()));
        f->setProperty("seen", true);
    }
    for (auto &k : kept)
        if (k.second && !k.second->property("seen").toBool()) {
            box_->removeWidget(k.second);
            delete k.second;
            k.second = nullptr;
        } else if (k.second) {
            k.second->setProperty("seen", false);
        }
    pending_.clear();
    sort_attachments();
}

void AttachmentsList::sort_attachments()
{
    auto boxes = findChildren<FileAttachment *>(QString(), Qt::FindDirectChildrenOnly);
    std::stable_sort(
        boxes.begin(), boxes.end(),
        [](const FileAttachment *a, const FileAttachment *b) { return a->row < b->row; });
    for (FileAttachment *f : boxes)
        box_->removeWidget(f);
    for (FileAttachment *f : boxes)
        box_->addWidget(f);
}

QStringList AttachmentsList::entries() const
{
    QStringList names;
    for (int i = 0; i < box_->count(); ++i)
        if (auto *f = qobject_cast<FileAttachment *>(box_->itemAt(i)->widget()))
            names << f->action_name();
    return names;
}

std::list<std::string> AttachmentsList::checked_files() const
{
    std::list<std::string> names;
    for (int i = 0; i < box_->count(); ++i)
        if (auto *f = qobject_cast<FileAttachment *>(box_->itemAt(i)->widget()))
            if (f->isChecked())
                names.push_back(to_utf8(f->action_name()));
    return names;
}

void AttachmentsList::set_cheched_files(const QStringList &checked)
{
    // Rows below the e-mail row may still be on their way while a rule loads.
    pending_ = checked;
    for (FileAttachment *f :
         findChildren<FileAttachment *>(QString(), Qt::FindDirectChildrenOnly)) {
        const QSignalBlocker block(f);
        f->setChecked(checked.contains(f->action_name()));
    }
}
