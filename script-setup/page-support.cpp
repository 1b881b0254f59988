#include "script-setup/page-support.h"

#include "plugin/host.h"
#include "plugin/module-state.h"

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

int scaled(int size)
{
    return qRound(size * static_cast<double>(size_factor()));
}

void scale_page(QWidget *page)
{
    if (Rizurividuvez::UiScale *scale = host_scale())
        scale->scale_widget(page, 0);
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
