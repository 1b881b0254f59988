#pragma once
// The channels of one server in a combo box, for pages that pick a channel by
// its guid (the template loop) or by the "<channel>_<server>" value that the
// rule actions store. The list is the one QChannelEdit shows.

#include "qt4-pavo7/reusable/channel-edit.h"

#include <QByteArray>

namespace Reusable {

class QChannelsBox : public QChannelEdit
{
    Q_OBJECT
public:
    explicit QChannelsBox(Settings server_root, QWidget *parent = nullptr);
    ~QChannelsBox() override;

    // A box sharing the channel list of `like`, without asking the host
    // again: for pages that show one box per row.
    static QChannelsBox *copy_of(const QChannelsBox &like, QWidget *parent = nullptr);

    // The selected channel's guid; empty for no channel.
    QByteArray channel_guid() const;
    // Does not emit data_updated. An empty guid selects no channel; a guid the
    // server does not list is kept, so that saving never loses it.
    void set_channel_guid(const QByteArray &guid);
    // Selects the first listed channel, if any; for a new choice.
    void select_first_channel();

    // The "<channel>_<server>" value: channel() and set_channel() of the base.
    const std::string &server_name() const { return server_name_; }

private:
    QChannelsBox(const QChannelsBox &like, QWidget *parent);

    std::string server_name_;
};

} // namespace Reusable
