#include "qt4-pavo7/reusable/clearable-edit.h"
#include "qt4-pavo7/reusable/treewidget-quicksearch.h"
#include "tests/script-setup/inserters/inserter-fixture.h"

#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// cameras/{Cam 1/{motion, signal}, Cam 2/{signal}}, displays/{Wall/{power}}
QTreeWidget *make_tree()
{
    auto *tree = new QTreeWidget;
    tree->setColumnCount(2);
    auto add = [](QTreeWidgetItem *parent, const QString &text, const QString &second = {}) {
        return new QTreeWidgetItem(parent, {text, second});
    };
    auto *cameras = add(tree->invisibleRootItem(), "cameras");
    auto *cam1 = add(cameras, "Cam 1", "Entrance");
    add(cam1, "motion");
    add(cam1, "signal");
    add(add(cameras, "Cam 2"), "signal");
    add(add(add(tree->invisibleRootItem(), "displays"), "Wall"), "power");
    return tree;
}

TEST(TreeWidgetQuicksearch, ShowsMatchesWithTheirAncestorsAndDescendants)
{
    struct Case
    {
        int flags;
        const char *text;
        QStringList expected;
    };
    const Case cases[] = {
        {0x101, "SIGNAL", {"cameras", "Cam 1", "signal", "Cam 2", "signal"}},
        {0x100, "SIGNAL", {}},
        {0x101, "cam 1", {"cameras", "Cam 1", "motion", "signal"}},
        {0x101, "entrance", {"cameras", "Cam 1", "motion", "signal"}},
        {0x103, "entrance", {}},
        {0x101, "  wall ", {"displays", "Wall", "power"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        std::unique_ptr<QTreeWidget> tree(make_tree());
        TreeWidgetQuicksearch search(tree.get(), c.flags);
        search.search_for(c.text);
        EXPECT_EQ(c.expected, visible_texts(tree.get()));
    }
}

TEST(TreeWidgetQuicksearch, ClearingClosesOnlyWhatTheSearchOpened)
{
    std::unique_ptr<QTreeWidget> tree(make_tree());
    Reusable::QClearableEdit edit;
    auto *search = new TreeWidgetQuicksearch(tree.get(), 0x101);
    QObject::connect(&edit, &QLineEdit::textChanged, search, &TreeWidgetQuicksearch::search_for);
    QTreeWidgetItem *displays = tree->topLevelItem(1);
    displays->setExpanded(true); // opened by the operator
    QTest::keyClicks(&edit, "pow");
    EXPECT_TRUE(displays->child(0)->isExpanded());
    EXPECT_FALSE(tree->topLevelItem(0)->isExpanded());
    QTest::keyClick(&edit, Qt::Key_Escape);
    EXPECT_TRUE(displays->isExpanded());
    EXPECT_FALSE(displays->child(0)->isExpanded());
    EXPECT_EQ(9, visible_texts(tree.get()).size());
}

} // namespace
