#pragma once
// The server's settings tree as the host shows it: each folder with its
// name key beside the folder name (a guid, for objects) and its type.

#include <QHash>
#include <QTreeWidget>

namespace memory_host {
class MemoryTree;
}

namespace sandbox {

class SettingsTreeView : public QTreeWidget
{
    Q_OBJECT
public:
    enum Column { FOLDER, NAME, TYPE };

    explicit SettingsTreeView(QWidget *parent = nullptr);

    // Rebuilds from the tree, keeping the expanded folders and the selection.
    void rebuild(memory_host::MemoryTree &tree);
    // Selects the folder's item (expanding its parents) without a signal.
    bool select_path(const QString &path);
    QString current_path() const;
    void set_name(const QString &path, const QString &name);
    bool contains(const QString &path) const { return items_.contains(path); }
    QStringList paths() const; // depth first, children by name
    // Folders whose name is not valid UTF-8: shown (with replacement
    // characters), but their paths cannot name them, so they stay closed.
    QStringList unreadable_paths() const { return unreadable_; }

Q_SIGNALS:
    void folder_chosen(QString path);

private:
    QHash<QString, QTreeWidgetItem *> items_;
    QStringList unreadable_;
};

} // namespace sandbox
