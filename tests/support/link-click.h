#pragma once
// Links in labels, followed as an operator follows them: the pointer moves
// over the label until the label reports the anchor, and clicks there.

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

// Where `href` is drawn in the label, or (-1, -1). The label must be shown.
inline QPoint anchor_of(QLabel *label, const QString &href)
{
    QString hovered;
    const auto c =
        QObject::connect(label, &QLabel::linkHovered, [&](const QString &l) { hovered = l; });
    QPoint found(-1, -1);
    // The middle line first: most links are one line high.
    const int middle = label->height() / 2;
    for (int step = 0; step < label->height() && found.x() < 0; step += 3)
        for (int y : {middle + step, middle - step - 1}) {
            if (y < 0 || y >= label->height() || found.x() >= 0)
                continue;
            for (int x = 1; x < label->width(); x += 3) {
                QMouseEvent move(QEvent::MouseMove, QPointF(x, y), Qt::NoButton, Qt::NoButton,
                                 Qt::NoModifier);
                QCoreApplication::sendEvent(label, &move);
                if (hovered == href) {
                    found = QPoint(x, y);
                    break;
                }
            }
        }
    QObject::disconnect(c);
    return found;
}

// The label of `page` shown in its window that holds the link `href`, or nullptr.
inline QLabel *label_with_link(QWidget *page, const QString &href)
{
    const QString anchor = QStringLiteral("href=\"%1\"").arg(href);
    for (QLabel *l : page->findChildren<QLabel *>())
        if (l->isVisibleTo(l->window()) && l->text().contains(anchor))
            return l;
    return nullptr;
}

// Clicks the link; false when no label draws it. The window is shown first:
// an operator sees it, and a label is laid out only then.
inline bool click_link(QWidget *page, const QString &href)
{
    if (!page->window()->isVisible()) {
        page->window()->show();
        QCoreApplication::processEvents();
    }
    QLabel *label = label_with_link(page, href);
    const QPoint at = label ? anchor_of(label, href) : QPoint(-1, -1);
    if (at.x() < 0)
        return false;
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, at);
    return true;
}
