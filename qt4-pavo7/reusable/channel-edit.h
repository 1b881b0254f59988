#pragma once
// Chooses one channel of a server. The value is "<channel>_<server>": the
// channel's folder name and the server root's name joined by "_"; "" is no
// channel.

#include "plugin/rizurividuvez.h"

#include <QComboBox>
#include <QString>
#include <memory>

namespace Reusable {

class ChannelChoices;
class ChannelList;

class QChannelEdit : public QComboBox
{
    Q_OBJECT
public:
    explicit QChannelEdit(QWidget *parent = nullptr);
    // Lists what `list` lists, shared with every other edit showing it.
    explicit QChannelEdit(std::shared_ptr<ChannelList> list, QWidget *parent = nullptr);
    ~QChannelEdit() override;

    // Lists the server's channels by their names; the selected value is kept,
    // here and in every edit sharing the list.
    void set_server(Settings server_root);
    const std::shared_ptr<ChannelList> &channel_list() const;

    QString channel() const;
    // Does not emit data_updated. A value that is not listed is kept as an
    // extra item showing it as it is, so that saving never loses it.
    void set_channel(const QString &value);
    void showPopup() override;

Q_SIGNALS:
    // The operator chose another channel.
    void data_updated(const QString &value);

protected:
    ChannelChoices &choices() const { return *choices_; }
    // The whole list is read before the operator can move through it.
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void list_channels();

private:
    void item_activated(int index);

    ChannelChoices *choices_;
    QString last_value_;
    QString value_before_reset_;
};

} // namespace Reusable
