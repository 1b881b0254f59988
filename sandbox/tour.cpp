#include "sandbox/tour.h"

#include "sandbox/main-window.h"
#include "sandbox/session.h"
#include "sandbox/settings-tree-view.h"

#include <QDir>
#include <QLabel>
#include <QScrollArea>
#include <QTextStream>
#include <QWidget>

namespace sandbox {
namespace {

// The page, when the area it is shown in must scroll sideways, and every
// scroll area of the page that must.
QStringList too_wide(QWidget *page)
{
    QStringList wide;
    QWidget *viewport = page->parentWidget();
    auto *area = viewport ? qobject_cast<QScrollArea *>(viewport->parentWidget()) : nullptr;
    if (area && page->width() > area->viewport()->width())
        wide << page->metaObject()->className();
    for (QScrollArea *inner : page->findChildren<QScrollArea *>())
        if (inner->isVisibleTo(page) && inner->widget() &&
            inner->widget()->width() > inner->viewport()->width())
            wide << (inner->objectName().isEmpty() ? QStringLiteral("a scroll area")
                                                   : inner->objectName());
    return wide;
}

// Labels whose text is smaller than the page's font: the host's scale did
// not reach them.
QStringList small_text(QWidget *page)
{
    QStringList small;
    for (QLabel *label : page->findChildren<QLabel *>())
        if (label->isVisibleTo(page) && !label->text().isEmpty() &&
            label->font().pointSizeF() < page->font().pointSizeF())
            small << (label->objectName().isEmpty() ? label->text() : label->objectName());
    return small;
}

} // namespace

std::vector<TourStop> run_tour(MainWindow &window, Session &session, const QString &dir,
                               QTextStream &out, bool *ok)
{
    std::vector<TourStop> stops;
    *ok = QDir().mkpath(dir);
    if (!*ok) {
        out << "cannot create " << dir << "\n";
        return stops;
    }
    // Roomier than a first start, so that pages show as an operator sizes them.
    window.resize(1440, 960);
    window.show();
    session.settle();
    // A client gives a page room in proportion to its size factor.
    const QSize area = window.page_area_size() * session.host().pages().scale().size_factor();
    for (int tries = 0; tries < 3 && window.page_area_size() != area; ++tries) {
        window.resize_page_area(area);
        session.settle();
    }
    for (const QString &path : window.tree_view()->unreadable_paths())
        out << "skipped " << path << ": the folder name is not valid UTF-8\n";
    for (const QString &path : window.tree_view()->paths()) {
        const std::string type = session.tree().snapshot(path.toStdString()).type;
        if (!session.host().pages().factory(type))
            continue;
        QWidget *page = window.open_folder(path);
        if (!page)
            continue;
        // Let trackers, services and the simulator deliver what the page
        // asked for, as they would before an operator looks at it.
        session.settle();
        TourStop stop;
        stop.type = QString::fromStdString(type);
        stop.file = QStringLiteral("%1/%2-%3.png").arg(dir, stop.type, path.section('/', -1));
        stop.size = page->size();
        stop.area = window.page_area_size();
        stop.too_wide = too_wide(page);
        stop.small_text = small_text(page);
        stop.build_ms = window.last_build_ns() / 1e6;
        if (!page->grab().save(stop.file)) {
            out << "cannot save " << stop.file << "\n";
            *ok = false;
        }
        out << QStringLiteral("%1  %2x%3  built in %4 ms")
                   .arg(stop.file)
                   .arg(stop.size.width())
                   .arg(stop.size.height())
                   .arg(stop.build_ms, 0, 'f', 1)
            << (stop.too_wide.isEmpty()
                    ? QString()
                    : QStringLiteral("  too wide: %1").arg(stop.too_wide.join(", ")))
            << "\n";
        out.flush();
        stops.push_back(stop);
    }
    window.close_page();
    session.settle();
    return stops;
}

} // namespace sandbox
