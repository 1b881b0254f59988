#pragma once
// Chooses one channel of a server. The value is "<channel>_<server>": the
// channel's folder name and the server root's name joined by "_"; "" is no
// channel.

#include "plugin/rizurividuvez.h"

#include <QComboBox>
#include <QString>
#include <QStringList>

namespace Reusable {

class QChannelEdit : public QComboBox
{
    Q_OBJECT
public:
    explicit QChannelEdit(QWidget *parent = nullptr);
    ~QChannelEdit() override;

    // Lists the server's channels by their names; the selected value is kept.
    void set_server(Settings server_root);

    QString channel() const;
    // Does not emit data_updated. A value that is not listed is kept as an
    // extra item showing it as it is, so that saving never loses it.
    void set_channel(const QString &value);

protected:
    // Replaces the list by the given texts and values in one step (one
    // insertion for the whole list rather than one per channel), keeping
    // the selected value. Emits nothing.
    void set_items(const QStringList &texts, const QStringList &values);

Q_SIGNALS:
    // The operator chose another channel.
    void data_updated(const QString &value);

private:
    void item_activated(int index);

    QString last_value_;
};

} // namespace Reusable
