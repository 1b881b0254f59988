#include "script-setup/page-support.h"

#include "plugin/host.h"
#include "plugin/module-state.h"
#include "script-setup/scaled-style.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QHash>
#include <QKeyEvent>
#include <QScrollArea>
#include <QtMath>
#include <algorithm>
#include <vector>

namespace page_support {
namespace {

Rizurividuvez::UiScale *host_scale()
{
    Rizurividuvez::HostRoot *host = module_state::host();
    if (!host || !host->setup_pages())
        return nullptr;
    return host->setup_pages()->ui_scale();
}

void collect(QWidget *widget, QWidgetList &out);

QString font_size_rule(const QWidget *page)
{
    return QStringLiteral("\nQWidget { font-size: %1pt; }").arg(page->font().pointSizeF());
}

void collect(QLayout *layout, QWidgetList &out)
{
    struct Place
    {
        int row, column;
        QLayoutItem *item;
    };
    std::vector<Place> places;
    for (int i = 0; i < layout->count(); ++i) {
        Place p{i, 0, layout->itemAt(i)};
        if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
            int row_span, column_span;
            grid->getItemPosition(i, &p.row, &p.column, &row_span, &column_span);
        } else if (auto *form = qobject_cast<QFormLayout *>(layout)) {
            QFormLayout::ItemRole role;
            form->getItemPosition(i, &p.row, &role);
            p.column = int(role);
        }
        places.push_back(p);
    }
    std::stable_sort(places.begin(), places.end(), [](const Place &a, const Place &b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    for (const Place &p : places) {
        if (QWidget *w = p.item->widget())
            collect(w, out);
        else if (QLayout *inner = p.item->layout())
            collect(inner, out);
    }
}

void collect(QWidget *widget, QWidgetList &out)
{
    if (auto *scroll = qobject_cast<QScrollArea *>(widget)) {
        if (scroll->widget())
            collect(scroll->widget(), out);
        return;
    }
    if (widget->focusPolicy() & Qt::TabFocus)
        out << widget;
    if (widget->layout())
        collect(widget->layout(), out);
}

} // namespace

QWidgetList reading_order(QWidget *root)
{
    QWidgetList out;
    if (root->layout())
        collect(root->layout(), out);
    return out;
}

void chain_tabs(const QWidgetList &order)
{
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

bool passes_capture(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    case Qt::Key_Escape:
        return mods == Qt::NoModifier;
    case Qt::Key_S:
        return mods == Qt::ControlModifier;
    default:
        return false;
    }
}

float size_factor()
{
    Rizurividuvez::UiScale *scale = host_scale();
    return scale ? scale->size_factor() : 1.0f;
}

float width_factor()
{
    Rizurividuvez::UiScale *scale = host_scale();
    return scale ? scale->width_factor() : 1.0f;
}

int scaled(int size)
{
    return qRound(size * static_cast<double>(size_factor()));
}

void scale_page(QWidget *page)
{
    Rizurividuvez::UiScale *scale = host_scale();
    if (!scale)
        return;
    const QFont before = page->font();
    scale->scale_widget(page, 0);
    // Under a style sheet a widget keeps the font it had when the sheet was
    // set, whatever font the page gets later; a rule of the sheet gives it
    // the host's size.
    const QString size_rule = font_size_rule(page);
    QList<QWidget *> styled;
    if (page->font().pointSizeF() != before.pointSizeF())
        styled = page->findChildren<QWidget *>() << page;
    for (QWidget *widget : styled) {
        QString sheet = widget->styleSheet();
        if (sheet.isEmpty())
            continue;
        if (!sheet.contains(QLatin1Char('{')))
            sheet = QStringLiteral("* { %1 }").arg(sheet); // bare declarations
        widget->setStyleSheet(sheet + size_rule);
    }
    scale_icons(page);
    scale_indicators(page, static_cast<double>(scale->size_factor()));
}

QString scaled_sheet(const QWidget *page, const QString &sheet)
{
    if (page->font().pointSizeF() == QApplication::font().pointSizeF())
        return sheet;
    return sheet + font_size_rule(page);
}

QSize icon_size()
{
    const int small = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
    return QSize(scaled(small), scaled(small));
}

void scale_icons(QWidget *widget)
{
    const int small = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
    const QSize size = icon_size();
    if (!widget || size.width() == small)
        return;
    QList<QAbstractButton *> buttons = widget->findChildren<QAbstractButton *>();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        buttons << button;
    // Buttons sized on purpose (a picture, arrows already scaled) keep theirs.
    for (QAbstractButton *button : buttons)
        if (!button->icon().isNull() && button->iconSize() == QSize(small, small))
            button->setIconSize(size);
}

QPixmap scale_pixmap(const QPixmap &pixmap)
{
    Rizurividuvez::UiScale *scale = host_scale();
    return scale ? scale->scale_pixmap(pixmap) : pixmap;
}

// Icons are asked for once per row; decoding them each time is most of the
// cost of a row. GUI thread only, like every page.
QIcon icon(const char *resource, QStyle::StandardPixmap fallback)
{
    static QHash<QString, QIcon> cache;
    const QString path = QString::fromLatin1(resource);
    const QString key = path + QLatin1Char('#') + QString::number(fallback);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, QFile::exists(path) ? QIcon(path)
                                                   : QApplication::style()->standardIcon(fallback));
    return *it;
}

QPixmap pixmap(const char *resource, QStyle::StandardPixmap fallback, int size)
{
    static QHash<QString, QPixmap> cache;
    const QString path = QString::fromLatin1(resource);
    const QString key = path + QLatin1Char('#') + QString::number(fallback) + QLatin1Char('@') +
                        QString::number(size);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, QFile::exists(path) ? QPixmap(path)
                                                   : icon(resource, fallback).pixmap(size, size));
    return *it;
}

} // namespace page_support
