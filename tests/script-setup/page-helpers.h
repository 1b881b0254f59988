#pragma once
// Shared by the page and dialog tests: a tree file from tests/data, a named
// control, a user's clicks on item views, and the checks every page needs.

#include "tests/support/page-fixture.h"
#include "tests/support/tree-file.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QListWidget>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTreeWidget>
#include <QWidget>
#include <gtest/gtest.h>

template <class W> W *child(QObject *page, const char *name)
{
    W *w = page->findChild<W *>(QString::fromLatin1(name));
    EXPECT_TRUE(w) << name;
    return w;
}

// The visible controls of a laid-out page that are cut off, by name: smaller
// than their minimum size, or reaching outside their parent. What a scroll
// area shows may be larger than its viewport; Qt's own parts are its business.
inline std::string clipped_controls(QWidget *page)
{
    QStringList out;
    for (QWidget *w : page->findChildren<QWidget *>()) {
        QWidget *parent = w->parentWidget();
        if (!w->isVisibleTo(page) || w->isWindow() || !parent ||
            w->objectName().startsWith(QLatin1String("qt_")) ||
            qobject_cast<QAbstractScrollArea *>(parent->parentWidget()))
            continue;
        const QSize min = w->minimumSizeHint();
        if (w->width() < min.width() || w->height() < min.height() ||
            !parent->rect().contains(w->geometry()))
            out << (w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName());
    }
    return out.join(QLatin1String(", ")).toStdString();
}

// Clicks the page's delete button and answers No, then again and answers Yes.
// Gives each question ("title: text", and "kept" for a box still there after
// its answer) and the erase request the host received ("path key=value").
inline std::string delete_no_then_yes(QWidget *page, const char *button,
                                      memory_host::MemoryTree &tree)
{
    std::string out;
    for (QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        QTest::mouseClick(child<QPushButton>(page, button), Qt::LeftButton);
        auto *box = page->findChild<QMessageBox *>();
        if (!box)
            return out + "no question";
        out += (box->windowTitle() + ": " + box->text() + "\n").toStdString();
        QTest::mouseClick(box->button(answer), Qt::LeftButton);
        settle_events();
        if (page->findChild<QMessageBox *>())
            out += "kept\n";
    }
    for (const memory_host::Call &c : tree.calls_of("set_string"))
        out += c.path + " " + c.key + "=" + c.value + "\n";
    return out;
}

// Clicks the page's button and answers the question it opens, if any.
inline void click_and_answer(QWidget *page, const char *button, QMessageBox::StandardButton answer)
{
    QTest::mouseClick(child<QPushButton>(page, button), Qt::LeftButton);
    const auto boxes = page->findChildren<QMessageBox *>();
    if (!boxes.isEmpty() && boxes.last()->button(answer))
        QTest::mouseClick(boxes.last()->button(answer), Qt::LeftButton);
    settle_events();
}

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
