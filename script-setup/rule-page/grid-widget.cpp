#include "script-setup/rule-page/grid-widget.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <stdexcept>

QGridWidget::QGridWidget(QWidget *parent)
    : QWidget(parent)
    , layout_(new QVBoxLayout(this))
{
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(6);
}

QGridWidget::~QGridWidget() = default;

void QGridWidget::check(int index, int limit) const
{
    // Callers find rows through find(); a bad index is a fault of the code.
    if (index < 0 || index > limit)
        throw std::out_of_range("QGridWidget: row index out of range");
}

QWidget *QGridWidget::row(int index) const
{
    check(index, count() - 1);
    return rows_[size_t(index)];
}

QHBoxLayout *QGridWidget::row_layout(int index) const
{
    return static_cast<QHBoxLayout *>(row(index)->layout());
}

QHBoxLayout *QGridWidget::insert_row(int index)
{
    check(index, count());
    auto *w = new QWidget(this);
    auto *h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(6);
    rows_.insert(rows_.begin() + index, w);
    layout_->insertWidget(index, w);
    return h;
}

void QGridWidget::remove_row(int index)
{
    QWidget *w = row(index);
    rows_.erase(rows_.begin() + index);
    layout_->removeWidget(w);
    w->hide();
    w->deleteLater();
}

void QGridWidget::move_row(int from, int to)
{
    check(to, count() - 1);
    QWidget *w = row(from);
    rows_.erase(rows_.begin() + from);
    rows_.insert(rows_.begin() + to, w);
    layout_->removeWidget(w);
    layout_->insertWidget(to, w);
}

void QGridWidget::clear()
{
    while (count())
        remove_row(count() - 1);
}

void QGridWidget::set_row_data(int index, const QVariant &data)
{
    row(index)->setProperty("row_data", data);
}

QVariant QGridWidget::row_data(int index) const
{
    return row(index)->property("row_data");
}

std::pair<int, int> QGridWidget::find(const QWidget *w) const
{
    for (const QWidget *child = w; child; child = child->parentWidget()) {
        const QWidget *parent = child->parentWidget();
        for (int i = 0; i < count(); ++i)
            if (rows_[size_t(i)] == parent)
                return {i, row_layout(i)->indexOf(const_cast<QWidget *>(child))};
    }
    return {-1, -1};
}
