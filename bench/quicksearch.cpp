// One keystroke in the quick-search line of a tree of 10,000 items: 100
// folders of 99 items each. Baselines in the same run: a literal filter
// that sets every item's hidden state on each keystroke, and a plain walk
// that only reads every item's text (the floor of any filter).

#include "bench/bench-support.h"
#include "qt4-pavo7/reusable/treewidget-quicksearch.h"

#include <QTreeWidget>
#include <memory>

namespace {

std::unique_ptr<QTreeWidget> make_tree()
{
    std::unique_ptr<QTreeWidget> tree(new QTreeWidget);
    tree->setColumnCount(1);
    QList<QTreeWidgetItem *> folders;
    for (int f = 0; f < 100; ++f) {
        auto *folder = new QTreeWidgetItem({QString("camera %1").arg(f)});
        for (int i = 0; i < 99; ++i)
            new QTreeWidgetItem(folder, {QString("state_%1_%2").arg(f).arg(i)});
        folders.append(folder);
    }
    tree->addTopLevelItems(folders);
    tree->resize(400, 600);
    tree->show();
    QApplication::processEvents();
    return tree;
}

// Each iteration types one more letter or takes one back, so that every
// keystroke changes what is shown.
const char *const keystrokes[] = {"state_4", "state_42", "state_42_", "state_42", "state_4"};

bool literal_filter(QTreeWidgetItem *item, const QString &text)
{
    bool visible = item->text(0).contains(text, Qt::CaseInsensitive);
    for (int i = 0; i < item->childCount(); ++i)
        visible |= literal_filter(item->child(i), text);
    item->setHidden(!visible);
    if (visible && item->childCount())
        item->setExpanded(true);
    return visible;
}

void BM_Keystroke_Quicksearch_10000Items(benchmark::State &state)
{
    auto tree = make_tree();
    TreeWidgetQuicksearch search(tree.get(), 0x101);
    size_t n = 0;
    for (auto _ : state) {
        search.search_for(keystrokes[n++ % 5]);
        QApplication::processEvents(); // the view's relayout is part of the keystroke
    }
}

void BM_Keystroke_LiteralFilter_10000Items(benchmark::State &state)
{
    auto tree = make_tree();
    size_t n = 0;
    for (auto _ : state) {
        const QString text = keystrokes[n++ % 5];
        QTreeWidgetItem *root = tree->invisibleRootItem();
        for (int i = 0; i < root->childCount(); ++i)
            literal_filter(root->child(i), text);
        QApplication::processEvents();
    }
}

void BM_ReadEveryText_10000Items(benchmark::State &state)
{
    auto tree = make_tree();
    for (auto _ : state) {
        int matches = 0;
        for (QTreeWidgetItemIterator it(tree.get()); *it; ++it)
            matches += (*it)->text(0).contains("state_42", Qt::CaseInsensitive);
        benchmark::DoNotOptimize(matches);
    }
}

} // namespace

BENCHMARK(BM_ReadEveryText_10000Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke_LiteralFilter_10000Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke_Quicksearch_10000Items)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return run_offscreen_benchmarks(argc, argv);
}
