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

    // Takes the server whose channels are listed. The list is read (sorted
    // by name; what the host refuses is logged and left out) only when a
    // selector is opened or worked by keys: a page with channel rows opens
    // without reading every channel of a big server.
    void read(Settings server_root);
    void ensure_read();
    bool is_read() const { return read_; }
    // The name of the channel the value names, before the list is read: one
    // channel folder is read, once; the value itself when nothing names it.
    QString name_of(const QString &value);
    int size() const { return static_cast<int>(channels_.size()); }
    const Channel &at(int row) const { return channels_[static_cast<size_t>(row)]; }
    int row_of(const QString &value) const { return rows_.value(value, -1); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    Settings server_root_;
    bool read_ = true; // nothing to read until a server is given
    std::vector<Channel> channels_;
    QHash<QString, int> rows_;
    QHash<QString, QString> names_; // looked up one by one before reading
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
