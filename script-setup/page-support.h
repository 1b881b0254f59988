#pragma once
// What the loop and e-mail pages ask of the host's display: its scale (1 when
// there is no host, as in tests) and the client's icons, with a stand-in from
// the style where the client ships none.

#include <QIcon>
#include <QPixmap>
#include <QStyle>

class QWidget;

namespace page_support {

float size_factor();
int scaled(int size); // size x size_factor, rounded
void scale_page(QWidget *page);
QPixmap scale_pixmap(const QPixmap &pixmap);

QIcon icon(const char *resource, QStyle::StandardPixmap fallback);
QPixmap pixmap(const char *resource, QStyle::StandardPixmap fallback, int size);

} // namespace page_support
