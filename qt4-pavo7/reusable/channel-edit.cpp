#include "qt4-pavo7/reusable/channel-edit.h"

#include "qt4-pavo7/reusable/channel-list.h"

#include <QSignalBlocker>
#include <utility>

namespace Reusable {

QChannelEdit::QChannelEdit(QWidget *parent)
    : QChannelEdit(std::make_shared<ChannelList>(), parent)
{}

QChannelEdit::QChannelEdit(std::shared_ptr<ChannelList> list, QWidget *parent)
    : QComboBox(parent)
    , choices_(new ChannelChoices(std::move(list), tr("(none)"), this))
{
    setModel(choices_);
    // A shared list read again keeps each edit's choice.
    connect(choices_, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { value_before_reset_ = channel(); });
    connect(choices_, &QAbstractItemModel::modelReset, this,
            [this] { set_channel(value_before_reset_); });
    // activated comes from the operator only, never from set_channel.
    connect(this, qOverload<int>(&QComboBox::activated), this, &QChannelEdit::item_activated);
}

QChannelEdit::~QChannelEdit() = default;

void QChannelEdit::set_server(Settings server_root)
{
    choices_->list()->read(server_root);
}

const std::shared_ptr<ChannelList> &QChannelEdit::channel_list() const
{
    return choices_->list();
}

void QChannelEdit::list_channels()
{
    choices_->list()->ensure_read();
}

void QChannelEdit::showPopup()
{
    list_channels();
    QComboBox::showPopup();
}

void QChannelEdit::keyPressEvent(QKeyEvent *event)
{
    list_channels();
    QComboBox::keyPressEvent(event);
}

void QChannelEdit::wheelEvent(QWheelEvent *event)
{
    list_channels();
    QComboBox::wheelEvent(event);
}

QString QChannelEdit::channel() const
{
    return currentIndex() < 0 ? QString() : currentData().toString();
}

void QChannelEdit::set_channel(const QString &value)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(choices_->row_for(value));
    last_value_ = value;
}

void QChannelEdit::item_activated(int)
{
    const QString value = channel();
    if (value == last_value_)
        return;
    last_value_ = value;
    Q_EMIT data_updated(value);
}

} // namespace Reusable
