#pragma once
// What the pages ask of the host's display: its scale (1 when
// there is no host, as in tests) and the client's icons, with a stand-in from
// the style where the client ships none.

#include <QIcon>
#include <QPixmap>
#include <QShortcut>
#include <QStyle>
#include <QWidgetList>

class QKeyEvent;
class QWidget;

namespace page_support {

float size_factor();
float width_factor();
int scaled(int size); // size x size_factor, rounded
// The host's scale for the whole page (its font), and its icons and the
// style's marks (check boxes, spin box arrows) scaled alike.
void scale_page(QWidget *page);
// A style sheet for a widget of the page: after scale_page changed the page's
// font, with the rule that keeps the widget at the page's font size, as
// scale_page adds to the sheets set before it.
QString scaled_sheet(const QWidget *page, const QString &sheet);
// The style's small icon size (buttons, row icons) at the host's scale.
QSize icon_size();
// Buttons under the widget (and itself) that show an icon at the style's
// small size get it at the host's scale; for rows added after scale_page.
void scale_icons(QWidget *widget);
QPixmap scale_pixmap(const QPixmap &pixmap);

QIcon icon(const char *resource, QStyle::StandardPixmap fallback);
QPixmap pixmap(const char *resource, QStyle::StandardPixmap fallback, int size);

// The controls under root that Tab stops at, in reading order: the order of
// the layouts, grids row by row. Scroll areas are looked through, not stops.
QWidgetList reading_order(QWidget *root);
// Tab then visits the widgets in the given order.
void chain_tabs(const QWidgetList &order);

// The keys a shortcut capture lets through to their usual job: Tab,
// Shift+Tab and Escape leave the field, Ctrl+S saves the page.
bool passes_capture(const QKeyEvent *key);

// Ctrl+S runs save whichever control of the page has the focus: a combo box
// or a key capture would otherwise take the key for itself.
template <class Page, class Save> void save_key(Page *page, Save save)
{
    auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), page);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(shortcut, &QShortcut::activated, page, save);
}

} // namespace page_support
