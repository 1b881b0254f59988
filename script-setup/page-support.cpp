#include "script-setup/page-support.h"

#include "plugin/host.h"
#include "plugin/module-state.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QHash>
#include <QtMath>

namespace page_support {
namespace {

Rizurividuvez::UiScale *host_scale()
{
    Rizurividuvez::HostRoot *host = module_state::host();
    if (!host || !host->setup_pages())
        return nullptr;
    return host->setup_pages()->ui_scale();
}

} // namespace

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
    const QString size_rule =
        QStringLiteral("\nQWidget { font-size: %1pt; }").arg(page->font().pointSizeF());
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
