#pragma once
// Shows the server's settings tree and hands back a reference to a chosen
// folder or value as Python text (settings("a/b") or settings("a/b")["key"]),
// as a plain path (a/b/key), or the ticked references joined by "@ ".

#include "plugin/rizurividuvez.h"
#include "script-setup/inserters/settings-tree.h"

#include <QDialog>
#include <QStringList>
#include <map>

class QTreeWidget;
class QTreeWidgetItem;
class TreeWidgetQuicksearch;

namespace Reusable {
class QClearableEdit;
}

class QSettingsInserterDialog : public QDialog
{
    Q_OBJECT
public:
    enum Flags {
        CHECKABLE = 0x1,
        FOLDERS = 0x2,
        VALUES = 0x4,
        PLAIN_PATH = 0x8,
        EMIT_TYPE = 0x10,
    };

    // The tree shows the folder two levels above `folder`. Deletes itself
    // when closed; the caller connects and calls show.
    QSettingsInserterDialog(Settings folder, QWidget *parent, float size_factor, int flags);
    ~QSettingsInserterDialog() override;

    // A variable standing for the settings folder at path (relative to the
    // shown folder), listed first with its keys; a value below it is
    // referred to as variable["key"].
    void add_named_root(const QString &variable, const QString &path);
    // Ticks the items whose plain path (a/b or a/b/key) is listed.
    void preselect(const QStringList &paths);

Q_SIGNALS:
    void accepted(QString name);
    void accepted_type(QString type);

public Q_SLOTS:
    void items_selected();
    void ok_button_clicked();
    void cancel_button_clicked();

private:
    QTreeWidgetItem *make_folder_item(SettingsNode &node);
    QList<QTreeWidgetItem *> make_folder_items(std::vector<SettingsNode> &nodes);
    // Builds the subfolders of an item the tree left unread.
    void read_unread(QTreeWidgetItem *item);
    void read_everything();
    void add_key_items(QTreeWidgetItem *parent, const SettingsNode &node);
    QString type_name(const QTreeWidgetItem *item) const;

    Settings folder_;
    int flags_;
    float size_factor_;
    QString result_;
    QString single_text_;
    int named_roots_ = 0;
    // Folder items whose subfolders are read once the user opens them or
    // searches: large servers would take many frames to show at once.
    std::map<QTreeWidgetItem *, SettingsNode> unread_;

    Reusable::QClearableEdit *quick_edit_;
    QTreeWidget *tree_;
    TreeWidgetQuicksearch *quicksearch_;
};
