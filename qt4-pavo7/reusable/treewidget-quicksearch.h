#pragma once
// Filters a QTreeWidget by the text typed in a search line: items that do
// not contain the text are hidden, except the ancestors of a match (so the
// match can be reached) and the descendants of a match (so a matching
// folder can still be opened). An empty text shows every item again.

#include <QObject>
#include <QPointer>

class QTreeWidget;
class QTreeWidgetItem;

class TreeWidgetQuicksearch : public QObject
{
    Q_OBJECT
public:
    enum Flags {
        CASE_INSENSITIVE = 0x001,
        FIRST_COLUMN_ONLY = 0x002, // otherwise every column is searched
        EXPAND_MATCHES = 0x100,    // open the ancestors of matches while filtering
    };

    // Owned by the tree unless another parent is given.
    TreeWidgetQuicksearch(QTreeWidget *tree, int flags, QObject *parent = nullptr);

    QString current_text() const { return text_; }

public Q_SLOTS:
    void search_for(const QString &text);
    // Applies the current text again, after the tree was refilled.
    void refresh();

private:
    bool matches(const QTreeWidgetItem *item) const;
    bool filter(QTreeWidgetItem *item, bool ancestor_matched);
    void show_all(QTreeWidgetItem *item);

    QPointer<QTreeWidget> tree_;
    int flags_;
    QString text_;
};
