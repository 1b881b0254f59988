#pragma once
// What the pages ask of the host's display: its scale (1 when
// there is no host, as in tests) and the client's icons, with a stand-in from
// the style where the client ships none.

#include <QIcon>
#include <QPixmap>
#include <QStyle>

class QWidget;

namespace page_support {

float size_factor();
float width_factor();
int scaled(int size); // size x size_factor, rounded
// The host's scale for the whole page (its font), and its icons scaled alike.
void scale_page(QWidget *page);
// The style's small icon size (buttons, row icons) at the host's scale.
QSize icon_size();
// Buttons under the widget (and itself) that show an icon at the style's
// small size get it at the host's scale; for rows added after scale_page.
void scale_icons(QWidget *widget);
QPixmap scale_pixmap(const QPixmap &pixmap);

QIcon icon(const char *resource, QStyle::StandardPixmap fallback);
QPixmap pixmap(const char *resource, QStyle::StandardPixmap fallback, int size);

} // namespace page_support
