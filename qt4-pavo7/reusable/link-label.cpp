#include "qt4-pavo7/reusable/link-label.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace Reusable {

QLinkLabel::QLinkLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
}

int QLinkLabel::link_count() const
{
    // Shown names are escaped, so only the label's own links start a tag.
    return int(text().count(QLatin1String("<a href=")));
}

// The label's own walk goes from the start of the text to the next link;
// a label's walk backwards does not stop at its first link, so every
// selection is made forwards.
void QLinkLabel::select_link(int index)
{
    setSelection(0, 0);
    for (int i = 0; i <= index; ++i)
        QLabel::focusNextPrevChild(true);
    selected_ = index;
}

void QLinkLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    selected_ = -1;
    const int links = link_count();
    if (links == 0)
        return;
    if (event->reason() == Qt::TabFocusReason)
        select_link(0);
    else if (event->reason() == Qt::BacktabFocusReason)
        select_link(links - 1);
}

void QLinkLabel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
        hasSelectedText()) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QLabel::keyPressEvent(&enter);
        return;
    }
    QLabel::keyPressEvent(event);
}

bool QLinkLabel::focusNextPrevChild(bool next)
{
    const int target = selected_ + (next ? 1 : -1);
    if (hasFocus() && selected_ >= 0 && target >= 0 && target < link_count()) {
        select_link(target);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

} // namespace Reusable
