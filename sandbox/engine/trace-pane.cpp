#include "sandbox/engine/trace-pane.h"

#include "sandbox/engine/trace-text.h"

#include <QHeaderView>

namespace sandbox {
namespace {

// Entries that say what a run did to the world stand out; bookkeeping
// stays quiet.
QColor colour_of(const QString &what)
{
    if (what == "error")
        return QColor(0xc6, 0x28, 0x28);
    if (what == "mail" || what == "file" || what == "sound" || what == "alert" ||
        what == "message" || what == "write")
        return QColor(0x1b, 0x5e, 0x20);
    if (what == "enter" || what == "end" || what == "lock" || what == "read")
        return QColor(0x75, 0x75, 0x75);
    return QColor();
}

const int max_runs = 2000;

} // namespace

TracePane::TracePane(QWidget *parent)
    : QTreeWidget(parent)
{
    setObjectName("trace_pane");
    setHeaderLabels({tr("Time"), tr("What happened")});
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    header()->setSectionResizeMode(TIME, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(true);
}

void TracePane::clear_runs()
{
    clear();
    runs_.clear();
    last_fired_ = nullptr;
}

void TracePane::show_last_fired()
{
    if (!last_fired_)
        return;
    // Its end shows what it came to; its heading stays in view when it fits.
    scrollToItem(last_fired_, QAbstractItemView::PositionAtTop);
    QTreeWidgetItem *last = last_fired_;
    while (last->childCount() > 0 && last->isExpanded())
        last = last->child(last->childCount() - 1);
    scrollToItem(last, QAbstractItemView::EnsureVisible);
}

QTreeWidgetItem *TracePane::run_item(const QJsonObject &entry)
{
    const QString key = entry["script"].toString() + '#' + QString::number(entry["run"].toInt());
    QTreeWidgetItem *&item = runs_[key];
    if (!item) {
        if (topLevelItemCount() >= max_runs) {
            QTreeWidgetItem *oldest = takeTopLevelItem(0);
            if (oldest == last_fired_)
                last_fired_ = nullptr;
            runs_.remove(runs_.key(oldest));
            delete oldest;
        }
        item = new QTreeWidgetItem(this, {trace_time(entry), run_heading(entry)});
        QFont bold = item->font(WHAT);
        bold.setBold(true);
        item->setFont(WHAT, bold);
        item->setToolTip(WHAT, entry["script"].toString());
        item->setExpanded(true);
        // A run that only loads its script is shown once it does something.
        item->setHidden(hide_loading_ && entry["what"].toString() == "load");
    }
    if (entry["what"].toString() == "fire" && !last_fired_)
        last_fired_ = item;
    return item;
}

void TracePane::add(const QJsonObject &entry)
{
    const QString what = entry["what"].toString();
    QTreeWidgetItem *parent = run_item(entry);
    if (what == "load" || what == "fire")
        return; // the heading says it
    static const QStringList quiet{"end", "enter", "call", "read", "state"};
    if (parent->isHidden() && !quiet.contains(what))
        parent->setHidden(false);
    auto *item = new QTreeWidgetItem(parent, {trace_time(entry), trace_sentence(entry)});
    const QColor colour = colour_of(what);
    if (colour.isValid())
        item->setForeground(WHAT, colour);
    item->setToolTip(WHAT, entry["note"].toString().isEmpty()
                               ? item->text(WHAT)
                               : item->text(WHAT) + "\n" + entry["note"].toString());
    for (const QString &line : trace_details(entry))
        new QTreeWidgetItem(item, {QString(), line});
    item->setExpanded(true);
    scrollToItem(item);
}

} // namespace sandbox
