#pragma once
// A read-only view of one folder's keys, for folders of types that have no
// page: the key, its value type and its value.

#include <QWidget>

class QLabel;
class QTableWidget;

namespace memory_host {
class MemoryTree;
}

namespace sandbox {

class KeysView : public QWidget
{
    Q_OBJECT
public:
    explicit KeysView(QWidget *parent = nullptr);

    void show_folder(memory_host::MemoryTree &tree, const QString &path);
    void show_message(const QString &title, const QString &text);
    int key_count() const;

private:
    QLabel *note_;
    QTableWidget *table_;
};

} // namespace sandbox
