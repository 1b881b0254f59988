#include "script-setup/editor/line-number-area.h"

#include "script-setup/editor/script-widget.h"

QLineNumberArea::QLineNumberArea(QScriptWidget *editor)
    : QWidget(editor)
    , editor_(editor)
{
    setObjectName(QStringLiteral("line_numbers"));
}

QSize QLineNumberArea::sizeHint() const
{
    return QSize(editor_->line_number_area_width(), 0);
}

void QLineNumberArea::paintEvent(QPaintEvent *event)
{
    editor_->line_number_area_paint_event(event);
}
