#include "qt4-pavo7/reusable/treewidget-quicksearch.h"

#include <QTreeWidget>

namespace {

// Marks the items that the search opened, so that clearing it closes them
// again and leaves the ones the operator opened alone.
const int expanded_by_search_role = Qt::UserRole + 0x5157;

} // namespace

TreeWidgetQuicksearch::TreeWidgetQuicksearch(QTreeWidget *tree, int flags, QObject *parent)
    : QObject(parent ? parent : tree)
    , tree_(tree)
    , flags_(flags)
{
    Q_ASSERT(tree);
}

void TreeWidgetQuicksearch::search_for(const QString &text)
{
    text_ = text.trimmed();
    refresh();
}

void TreeWidgetQuicksearch::refresh()
{
    if (!tree_)
        return;
    const bool updates = tree_->updatesEnabled();
    tree_->setUpdatesEnabled(false);
    QTreeWidgetItem *root = tree_->invisibleRootItem();
    for (int i = 0; i < root->childCount(); ++i) {
        if (text_.isEmpty())
            show_all(root->child(i));
        else
            filter(root->child(i), false);
    }
    tree_->setUpdatesEnabled(updates);
}

bool TreeWidgetQuicksearch::matches(const QTreeWidgetItem *item) const
{
    const Qt::CaseSensitivity cs =
        flags_ & CASE_INSENSITIVE ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const int columns = flags_ & FIRST_COLUMN_ONLY ? 1 : item->columnCount();
    for (int c = 0; c < columns; ++c)
        if (item->text(c).contains(text_, cs))
            return true;
    return false;
}

bool TreeWidgetQuicksearch::filter(QTreeWidgetItem *item, bool ancestor_matched)
{
    const bool self = matches(item);
    bool child_visible = false;
    for (int i = 0; i < item->childCount(); ++i)
        child_visible |= filter(item->child(i), ancestor_matched || self);
    const bool visible = self || child_visible || ancestor_matched;
    // Changing an item's hidden state costs a view update: touch only changes.
    if (item->isHidden() == visible)
        item->setHidden(!visible);
    if (flags_ & EXPAND_MATCHES) {
        if (child_visible && !item->isExpanded()) {
            item->setData(0, expanded_by_search_role, true);
            item->setExpanded(true);
        } else if (!child_visible && item->data(0, expanded_by_search_role).toBool()) {
            item->setData(0, expanded_by_search_role, QVariant());
            item->setExpanded(false);
        }
    }
    return visible;
}

void TreeWidgetQuicksearch::show_all(QTreeWidgetItem *item)
{
    if (item->isHidden())
        item->setHidden(false);
    if (item->data(0, expanded_by_search_role).toBool()) {
        item->setData(0, expanded_by_search_role, QVariant());
        item->setExpanded(false);
    }
    for (int i = 0; i < item->childCount(); ++i)
        show_all(item->child(i));
}
