#include "qt4-pavo7/reusable/channel-list.h"

#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <algorithm>
#include <utility>

namespace Reusable {
namespace {

// The server's "channels" folder (empty when it has none) and its name, the
// second half of every channel's value.
Settings channels_folder(const Settings &server_root, std::string &server_name)
{
    FolderLock guard(server_root);
    server_name = server_root->name();
    return server_root->cd("channels", 0);
}

// Each channel folder is read under its own lock, so no two locks are ever
// held together; one refused channel does not hide the others.
std::vector<ChannelList::Channel> read_channels(const Settings &server_root)
{
    std::vector<ChannelList::Channel> out;
    if (!server_root)
        return out;
    try {
        std::string server_name;
        const Settings channels = channels_folder(server_root, server_name);
        if (!channels)
            return out;
        std::vector<std::pair<std::string, Settings>> folders;
        {
            FolderLock guard(channels);
            for (const std::string &name : channels->ls())
                folders.emplace_back(name, channels->subdir(name, 0));
        }
        out.reserve(folders.size());
        for (const auto &folder : folders) {
            if (!folder.second)
                continue;
            try {
                FolderLock guard(folder.second);
                out.push_back({from_utf8(folder.second->get_string_or("name", folder.first)),
                               from_utf8(folder.first + "_" + server_name)});
            } catch (const std::exception &e) {
                VX_LOG(2, "GUI: channel list: %s\n", e.what());
            }
        }
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: channel list: %s\n", e.what());
    }
    // By name regardless of case; each name is folded once, not per comparison.
    std::vector<std::pair<QString, size_t>> keys;
    keys.reserve(out.size());
    for (size_t i = 0; i < out.size(); ++i)
        keys.emplace_back(out[i].name.toCaseFolded(), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<ChannelList::Channel> sorted;
    sorted.reserve(out.size());
    for (const auto &key : keys)
        sorted.push_back(std::move(out[key.second]));
    return sorted;
}

} // namespace

void ChannelList::read(Settings server_root)
{
    beginResetModel();
    server_root_ = std::move(server_root);
    read_ = false;
    channels_.clear();
    rows_.clear();
    names_.clear();
    endResetModel();
}

void ChannelList::ensure_read()
{
    if (read_)
        return;
    read_ = true;
    std::vector<Channel> channels = read_channels(server_root_);
    beginResetModel();
    channels_ = std::move(channels);
    rows_.clear();
    rows_.reserve(size());
    for (int row = size() - 1; row >= 0; --row) // the first of equal values wins
        rows_.insert(channels_[static_cast<size_t>(row)].value, row);
    endResetModel();
}

QString ChannelList::name_of(const QString &value)
{
    if (read_) {
        const int row = row_of(value);
        return row < 0 ? value : at(row).name;
    }
    const auto known = names_.constFind(value);
    if (known != names_.constEnd())
        return *known;
    QString name = value;
    if (server_root_)
        try {
            std::string server_name;
            const Settings channels = channels_folder(server_root_, server_name);
            const std::string suffix = "_" + server_name;
            const std::string whole = to_utf8(value);
            if (channels && whole.size() > suffix.size() &&
                whole.compare(whole.size() - suffix.size(), suffix.size(), suffix) == 0) {
                const std::string folder = whole.substr(0, whole.size() - suffix.size());
                Settings channel;
                {
                    FolderLock guard(channels);
                    channel = channels->subdir(folder, 0);
                }
                if (channel) {
                    FolderLock guard(channel);
                    name = from_utf8(channel->get_string_or("name", folder));
                }
            }
        } catch (const std::exception &e) {
            VX_LOG(2, "GUI: channel list: %s\n", e.what());
        }
    names_.insert(value, name);
    return name;
}

int ChannelList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : size();
}

QVariant ChannelList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= size())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return at(index.row()).name;
    if (role == Qt::UserRole)
        return at(index.row()).value;
    return QVariant();
}

ChannelChoices::ChannelChoices(std::shared_ptr<ChannelList> list, const QString &none_text,
                               QObject *parent)
    : QAbstractListModel(parent)
    , list_(std::move(list))
    , none_text_(none_text)
{
    // The shared list only ever changes as a whole.
    connect(list_.get(), &QAbstractItemModel::modelAboutToBeReset, this,
            &ChannelChoices::beginResetModel);
    connect(list_.get(), &QAbstractItemModel::modelReset, this, [this] {
        extras_.clear();
        endResetModel();
    });
}

int ChannelChoices::row_for(const QString &value)
{
    if (value.isEmpty())
        return 0;
    const int listed = list_->row_of(value);
    if (listed >= 0)
        return 1 + listed;
    const int extra = extras_.indexOf(value);
    const int first_extra = 1 + list_->size();
    if (extra >= 0)
        return first_extra + extra;
    const int row = first_extra + extras_.size();
    beginInsertRows(QModelIndex(), row, row);
    extras_.append(value);
    endInsertRows();
    return row;
}

void ChannelChoices::set_extras(const QStringList &extras)
{
    beginResetModel();
    extras_ = extras;
    endResetModel();
}

int ChannelChoices::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1 + list_->size() + extras_.size();
}

QVariant ChannelChoices::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const bool shown = role == Qt::DisplayRole || role == Qt::EditRole;
    if (!shown && role != Qt::UserRole)
        return QVariant();
    const int row = index.row();
    if (row == 0)
        return shown ? none_text_ : QString();
    if (row <= list_->size())
        return shown ? list_->at(row - 1).name : list_->at(row - 1).value;
    const QString &extra = extras_.at(row - 1 - list_->size());
    return shown && !list_->is_read() ? list_->name_of(extra) : extra;
}

} // namespace Reusable
