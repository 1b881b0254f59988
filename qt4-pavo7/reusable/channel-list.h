#pragma once
// The channels of one server by name, read once and shared by every channel
// selector of a page: a page with many channel rows holds one list, not one
// copy per row. Each selector sees it through its own ChannelChoices, which
// adds "(none)" in front and the values it keeps that the server does not list.

#include "plugin/rizurividuvez.h"

#include <QAbstractListModel>
#include <QHash>
#include <QStringList>
#include <memory>
#include <vector>

namespace Reusable {

class ChannelList : public QAbstractListModel
{
    Q_OBJECT
public:
    struct Channel
    {
        QString name;
        QString value; // "<channel>_<server>"
    };

    // Reads the server's channels, sorted by name; what the host refuses is
    // logged and left out.
    void read(Settings server_root);
    int size() const { return static_cast<int>(channels_.size()); }
    const Channel &at(int row) const { return channels_[static_cast<size_t>(row)]; }
    int row_of(const QString &value) const { return rows_.value(value, -1); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    std::vector<Channel> channels_;
    QHash<QString, int> rows_;
};

// What one selector lists: "(none)", the shared channels, then its own
// values that the list lacks.
class ChannelChoices : public QAbstractListModel
{
    Q_OBJECT
public:
    ChannelChoices(std::shared_ptr<ChannelList> list, const QString &none_text,
                   QObject *parent = nullptr);

    const std::shared_ptr<ChannelList> &list() const { return list_; }
    // The row showing the value, added at the end when nothing lists it.
    int row_for(const QString &value);
    const QStringList &extras() const { return extras_; }
    void set_extras(const QStringList &extras);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    std::shared_ptr<ChannelList> list_;
    QString none_text_;
    QStringList extras_;
};

} // namespace Reusable
