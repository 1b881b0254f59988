#include "qt4-pavo7/reusable/channel-edit.h"

#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QSignalBlocker>
#include <QStandardItemModel>
#include <algorithm>
#include <utility>
#include <vector>

namespace Reusable {
namespace {

struct Channel
{
    QString name;
    QString value;
};

// Each channel folder is read under its own lock, so no two locks are ever
// held together; one refused channel does not hide the others.
std::vector<Channel> read_channels(const Settings &server_root)
{
    std::vector<Channel> out;
    if (!server_root)
        return out;
    try {
        Settings channels;
        std::string server_name;
        {
            FolderLock guard(server_root);
            channels = server_root->cd("channels", 0);
            server_name = server_root->name();
        }
        if (!channels)
            return out;
        std::vector<std::pair<std::string, Settings>> folders;
        {
            FolderLock guard(channels);
            for (const std::string &name : channels->ls())
                folders.emplace_back(name, channels->subdir(name, 0));
        }
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
    std::stable_sort(out.begin(), out.end(), [](const Channel &a, const Channel &b) {
        return QString::compare(a.name, b.name, Qt::CaseInsensitive) < 0;
    });
    return out;
}

} // namespace

QChannelEdit::QChannelEdit(QWidget *parent)
    : QComboBox(parent)
{
    addItem(tr("(none)"), QString());
    // activated comes from the operator only, never from set_channel.
    connect(this, qOverload<int>(&QComboBox::activated), this, &QChannelEdit::item_activated);
}

QChannelEdit::~QChannelEdit() = default;

void QChannelEdit::set_server(Settings server_root)
{
    QStringList texts{tr("(none)")}, values{QString()};
    for (const Channel &c : read_channels(server_root)) {
        texts << c.name;
        values << c.value;
    }
    set_items(texts, values);
}

void QChannelEdit::set_items(const QStringList &texts, const QStringList &values)
{
    const QString value = channel();
    const QSignalBlocker blocker(this);
    QList<QStandardItem *> items;
    items.reserve(texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        auto *item = new QStandardItem(texts[i]);
        item->setData(values.value(i), Qt::UserRole);
        items << item;
    }
    auto *list = new QStandardItemModel(this);
    list->appendColumn(items);
    setModel(list); // the previous list was the box's own and goes with it
    set_channel(value);
}

QString QChannelEdit::channel() const
{
    return currentIndex() < 0 ? QString() : currentData().toString();
}

void QChannelEdit::set_channel(const QString &value)
{
    const QSignalBlocker blocker(this);
    int index = findData(value);
    if (index < 0) {
        addItem(value, value);
        index = count() - 1;
    }
    setCurrentIndex(index);
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
