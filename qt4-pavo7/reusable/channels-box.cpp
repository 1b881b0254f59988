#include "qt4-pavo7/reusable/channels-box.h"

#include "utils/folder-lock.h"
#include "utils/logging.h"

#include <QSignalBlocker>

namespace Reusable {

QChannelsBox::QChannelsBox(Settings server_root, QWidget *parent)
    : QChannelEdit(parent)
{
    if (server_root) {
        try {
            FolderLock guard(server_root);
            server_name_ = server_root->name();
        } catch (const std::exception &e) {
            VX_LOG(2, "GUI: channel list: %s\n", e.what());
        }
    }
    set_server(server_root);
}

QChannelsBox::QChannelsBox(const std::string &server_name, QWidget *parent)
    : QChannelEdit(parent)
    , server_name_(server_name)
{}

QChannelsBox::~QChannelsBox() = default;

QChannelsBox *QChannelsBox::copy_of(const QChannelsBox &like, QWidget *parent)
{
    auto *box = new QChannelsBox(like.server_name_, parent);
    QStringList texts, values;
    for (int i = 0; i < like.count(); ++i) {
        texts << like.itemText(i);
        values << like.itemData(i).toString();
    }
    box->set_items(texts, values);
    const QSignalBlocker blocker(box);
    box->set_channel(like.channel());
    return box;
}

QByteArray QChannelsBox::channel_guid() const
{
    const QByteArray value = channel().toUtf8();
    const QByteArray suffix = "_" + QByteArray::fromStdString(server_name_);
    if (value.isEmpty() || !value.endsWith(suffix))
        return value;
    return value.left(value.size() - suffix.size());
}

void QChannelsBox::set_channel_guid(const QByteArray &guid)
{
    if (guid.isEmpty())
        set_channel(QString());
    else
        set_channel(QString::fromUtf8(guid + "_" + QByteArray::fromStdString(server_name_)));
}

void QChannelsBox::select_first_channel()
{
    for (int i = 0; i < count(); ++i)
        if (!itemData(i).toString().isEmpty()) {
            set_channel(itemData(i).toString());
            return;
        }
}

} // namespace Reusable
