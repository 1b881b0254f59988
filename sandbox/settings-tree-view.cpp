#include "sandbox/settings-tree-view.h"

#include "memory-host/memory-tree.h"

#include <QHeaderView>
#include <QSet>
#include <functional>

namespace sandbox {
namespace {

const int path_role = Qt::UserRole;

// The style decodes an icon anew for every call: a tree of thousands of
// folders shares three.
struct FolderIcons
{
    explicit FolderIcons(const QStyle *style)
        : server(style->standardIcon(QStyle::SP_ComputerIcon))
        , folder(style->standardIcon(QStyle::SP_DirIcon))
        , object(style->standardIcon(QStyle::SP_FileIcon))
    {}
    const QIcon &operator()(const memory_host::FolderSnapshot &snapshot) const
    {
        if (snapshot.type == "Server")
            return server;
        if (snapshot.type.empty() || snapshot.type == "ScriptFolder")
            return folder;
        return object;
    }
    QIcon server, folder, object;
};

} // namespace

SettingsTreeView::SettingsTreeView(QWidget *parent)
    : QTreeWidget(parent)
{
    setObjectName("settings_tree");
    setHeaderLabels({tr("Folder"), tr("Name"), tr("Type")});
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(FOLDER, QHeaderView::Interactive);
    header()->setSectionResizeMode(NAME, QHeaderView::Stretch);
    header()->setSectionResizeMode(TYPE, QHeaderView::ResizeToContents);
    setColumnWidth(FOLDER, 185);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item, QTreeWidgetItem *) {
                if (item && !signalsBlocked())
                    Q_EMIT folder_chosen(item->data(FOLDER, path_role).toString());
            });
}

void SettingsTreeView::rebuild(memory_host::MemoryTree &tree)
{
    QSet<QString> expanded;
    for (auto it = items_.constBegin(); it != items_.constEnd(); ++it)
        if (it.value()->isExpanded())
            expanded.insert(it.key());
    const bool first = items_.isEmpty();
    const QString selected = current_path();

    const QSignalBlocker quiet(this);
    setUpdatesEnabled(false);
    clear();
    items_.clear();
    unreadable_.clear();
    const memory_host::FolderSnapshot root = tree.snapshot("/");
    const FolderIcons icon_for(style());
    std::function<void(QTreeWidgetItem *, const QString &, const memory_host::FolderSnapshot &)>
        add = [&](QTreeWidgetItem *parent, const QString &path,
                  const memory_host::FolderSnapshot &folder) {
            for (const auto &child : folder.folders) {
                const QString name = QString::fromStdString(child.first);
                const QString child_path = path + "/" + name;
                auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
                item->setText(FOLDER, name);
                item->setToolTip(FOLDER, child_path);
                item->setData(FOLDER, path_role, child_path);
                item->setIcon(FOLDER, icon_for(child.second));
                auto key = child.second.keys.find("name");
                if (key != child.second.keys.end() && key->second.type == 's')
                    item->setText(NAME, QString::fromStdString(key->second.text));
                item->setText(TYPE, QString::fromStdString(child.second.type));
                item->setForeground(TYPE, palette().brush(QPalette::Disabled, QPalette::Text));
                items_.insert(child_path, item);
                if (name.toStdString() != child.first) {
                    unreadable_ << child_path;
                    item->setDisabled(true);
                    item->setToolTip(FOLDER, tr("%1\nThe folder name is not valid UTF-8; "
                                                "the sandbox cannot open it.")
                                                 .arg(child_path));
                }
                add(item, child_path, child.second);
                // At first the server and its scripts folder are open.
                const bool open =
                    first ? child.second.type == "Server" || child.second.type == "ScriptFolder"
                          : expanded.contains(child_path);
                item->setExpanded(open);
            }
        };
    add(nullptr, QString(), root);
    setUpdatesEnabled(true);
    select_path(selected);
}

bool SettingsTreeView::select_path(const QString &path)
{
    QTreeWidgetItem *item = items_.value(path);
    if (!item)
        return false;
    const QSignalBlocker quiet(this);
    for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        p->setExpanded(true);
    setCurrentItem(item);
    scrollToItem(item);
    return true;
}

QString SettingsTreeView::current_path() const
{
    QTreeWidgetItem *item = currentItem();
    return item ? item->data(FOLDER, path_role).toString() : QString();
}

void SettingsTreeView::set_name(const QString &path, const QString &name)
{
    if (QTreeWidgetItem *item = items_.value(path))
        item->setText(NAME, name);
}

QStringList SettingsTreeView::paths() const
{
    QStringList out;
    std::function<void(QTreeWidgetItem *)> walk = [&](QTreeWidgetItem *item) {
        out << item->data(FOLDER, path_role).toString();
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i));
    };
    for (int i = 0; i < topLevelItemCount(); ++i)
        walk(topLevelItem(i));
    return out;
}

} // namespace sandbox
