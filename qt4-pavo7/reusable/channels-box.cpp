#include "qt4-pavo7/reusable/channels-box.h"

#include "qt4-pavo7/reusable/channel-list.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

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

QChannelsBox::QChannelsBox(const QChannelsBox &like, QWidget *parent)
    : QChannelEdit(like.channel_list(), parent)
    , server_name_(like.server_name_)
{}

QChannelsBox::~QChannelsBox() = default;

QChannelsBox *QChannelsBox::copy_of(const QChannelsBox &like, QWidget *parent)
{
    auto *box = new QChannelsBox(like, parent);
    const QSignalBlocker blocker(box);
    box->choices().set_extras(like.choices().extras());
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
        set_channel(from_utf8_exact(guid + "_" + QByteArray::fromStdString(server_name_)));
}

void QChannelsBox::select_first_channel()
{
    list_channels();
    for (int i = 0; i < count(); ++i)
        if (!itemData(i).toString().isEmpty()) {
            set_channel(itemData(i).toString());
            return;
        }
}

} // namespace Reusable
