#pragma once
// A warning icon with its text right beside a control, for a reference that
// leads nowhere. The control keeps its place, value and focus order; the mark
// goes with it when its row moves.

class QLabel;
class QString;
class QWidget;

namespace warning_mark {

// Shows `text` beside `control`, replacing the mark it had; an empty text
// takes the mark away. The mark is a QLabel named "reference_warning".
void set(QWidget *control, const QString &text);
// The control's mark, or null.
QLabel *of(const QWidget *control);

} // namespace warning_mark
