#pragma once
// Ground of the inserter tests: the in-memory host offering the demo
// rule-wizard and catalogue services, and a user's clicks on item views.

#include "memory-host/catalogue-service.h"
#include "memory-host/dava-dodazi-service.h"
#include "tests/support/page-fixture.h"

#include <QAbstractItemView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <boost/make_shared.hpp>

class InserterTest : public PageTest
{
protected:
    InserterTest()
        : wizard(boost::make_shared<memory_host::MemoryDavaDodaziService>(
              memory_host::demo_wizard_lists()))
        , catalogue(boost::make_shared<memory_host::MemoryCatalogueService>(
              memory_host::demo_catalogue()))
    {
        host.offer_service("DEMO", wizard);
        host.offer_service("DEMO", catalogue);
    }
    // Lets the services deliver and the queued slots run.
    void deliver()
    {
        wizard->wait_idle();
        catalogue->wait_idle();
        settle_events();
    }

    boost::shared_ptr<memory_host::MemoryDavaDodaziService> wizard;
    boost::shared_ptr<memory_host::MemoryCatalogueService> catalogue;
};

inline void click_index(QAbstractItemView *view, const QModelIndex &index)
{
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

// Clicks the check box of the item, where the style draws it.
inline void click_check_box(QAbstractItemView *view, const QModelIndex &index)
{
    view->scrollTo(index);
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = view->visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box =
        view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, box.center());
}

#include <QListWidget>
#include <QTreeWidget>

inline QModelIndex index_of(QTreeWidget *tree, QTreeWidgetItem *item)
{
    QTreeWidgetItem *parent = item->parent();
    const int row = parent ? parent->indexOfChild(item) : tree->indexOfTopLevelItem(item);
    return tree->model()->index(row, 0, parent ? index_of(tree, parent) : QModelIndex());
}

inline QModelIndex index_of(QListWidget *list, QListWidgetItem *item)
{
    return list->model()->index(list->row(item), 0);
}
