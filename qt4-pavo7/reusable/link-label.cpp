#include "qt4-pavo7/reusable/link-label.h"

#include <QFocusEvent>

namespace Reusable {

QLinkLabel::QLinkLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
}

void QLinkLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    if ((event->reason() != Qt::TabFocusReason && event->reason() != Qt::BacktabFocusReason) ||
        !text().contains(QLatin1String("href")))
        return;
    // From the start of the text the next link is the one; the last visit may
    // have left the cursor behind it. (Without a link the label would pass
    // the focus on.)
    setSelection(0, 0);
    QLabel::focusNextPrevChild(true);
}

// The link was selected on arrival: the next Tab or Shift+Tab leaves (a
// plain label would select the same link again on Shift+Tab).
bool QLinkLabel::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}

} // namespace Reusable
