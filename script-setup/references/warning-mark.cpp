#include "script-setup/references/warning-mark.h"

#include "script-setup/page-support.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPalette>
#include <QPointer>
#include <QVariant>

namespace warning_mark {
namespace {

const char *const MARK = "reference_warning_mark";

// The layout below `layout` that holds `w` itself.
QLayout *holding_layout(QLayout *layout, const QWidget *w)
{
    if (!layout)
        return nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == w)
            return layout;
        if (QLayout *found = holding_layout(item->layout(), w))
            return found;
    }
    return nullptr;
}

} // namespace

QLabel *of(const QWidget *control)
{
    return control ? control->property(MARK).value<QPointer<QLabel>>().data() : nullptr;
}

void set(QWidget *control, const QString &text)
{
    if (!control)
        return;
    QLabel *mark = of(control);
    if (text.isEmpty()) {
        if (mark)
            mark->parentWidget()
                ->findChild<QLabel *>(QStringLiteral("reference_warning_icon"))
                ->hide();
        if (mark)
            mark->hide();
        return;
    }
    if (!mark) {
        QWidget *parent = control->parentWidget();
        QLayout *layout = parent ? holding_layout(parent->layout(), control) : nullptr;
        if (!layout)
            return;
        // The control and its mark share the control's cell.
        auto *holder = new QWidget(parent);
        // As wide as the control wants; as high as the wrapped text needs.
        holder->setSizePolicy(control->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
        auto *row = new QHBoxLayout(holder);
        row->setContentsMargins(0, 0, 0, 0);
        const bool hidden = control->isHidden();
        delete layout->replaceWidget(control, holder);
        row->addWidget(control, 1);
        control->setHidden(hidden);
        mark = new QLabel(holder);
        mark->setObjectName(QStringLiteral("reference_warning"));
        mark->setTextFormat(Qt::PlainText);
        mark->setWordWrap(true);
        QPalette red = mark->palette();
        red.setColor(QPalette::WindowText, QColor(170, 0, 0));
        mark->setPalette(red);
        auto *icon = new QLabel(holder);
        icon->setObjectName(QStringLiteral("reference_warning_icon"));
        icon->setPixmap(page_support::scale_pixmap(page_support::pixmap(
            ":/gtk-icons/gtk-dialog-warning16.png", QStyle::SP_MessageBoxWarning, 16)));
        row->addWidget(icon);
        row->addWidget(mark, 1);
        control->setProperty(MARK, QVariant::fromValue(QPointer<QLabel>(mark)));
        holder->setHidden(hidden);
    }
    mark->setText(text);
    mark->parentWidget()->findChild<QLabel *>(QStringLiteral("reference_warning_icon"))->show();
    mark->show();
    mark->setToolTip(text);
}

} // namespace warning_mark
