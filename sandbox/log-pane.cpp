#include "sandbox/log-pane.h"

#include "memory-host/memory-host.h"

#include <QDateTime>
#include <QHeaderView>
#include <QScrollBar>
#include <QTimer>

namespace sandbox {
namespace {

const int max_items = 5000;

} // namespace

LogPane::LogPane(memory_host::KeptLog &log, QWidget *parent)
    : QTreeWidget(parent)
    , log_(log)
    , timer_(new QTimer(this))
{
    setObjectName("log_pane");
    setHeaderLabels({tr("Time"), tr("Level"), tr("Message")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(true);
    timer_->setInterval(250);
    connect(timer_, &QTimer::timeout, this, &LogPane::refresh);
    timer_->start();
}

void LogPane::refresh()
{
    const std::vector<memory_host::LogLine> lines = log_.lines();
    if (lines.size() < shown_)
        shown_ = 0; // the log was cleared
    if (lines.size() == shown_)
        return;
    QScrollBar *bar = verticalScrollBar();
    const bool at_bottom = bar->value() == bar->maximum();
    const QString now = QTime::currentTime().toString("HH:mm:ss");
    for (size_t i = shown_; i < lines.size(); ++i) {
        const auto &line = lines[i];
        auto *item = new QTreeWidgetItem(this);
        item->setText(0, now);
        item->setText(2, QString::fromStdString(line.text).trimmed());
        switch (line.level) {
        case 1:
            item->setText(1, tr("info"));
            item->setForeground(1, palette().brush(QPalette::Disabled, QPalette::Text));
            break;
        case 2:
            item->setText(1, tr("failure"));
            item->setForeground(1, QColor("#B35900"));
            item->setForeground(2, QColor("#B35900"));
            break;
        default:
            item->setText(1, line.level >= 3 ? tr("severe") : QString::number(line.level));
            item->setForeground(1, QColor("#B00000"));
            item->setForeground(2, QColor("#B00000"));
            QFont bold = item->font(2);
            bold.setBold(true);
            item->setFont(1, bold);
            break;
        }
    }
    shown_ = lines.size();
    while (topLevelItemCount() > max_items)
        delete takeTopLevelItem(0);
    if (at_bottom)
        scrollToBottom();
}

void LogPane::clear_lines()
{
    clear();
}

} // namespace sandbox
