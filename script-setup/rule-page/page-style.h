#pragma once
// The rule page looks as one style sheet makes it: frames without borders.
// Set on the whole page that sheet is polished into every widget, most of the
// cost of opening the page, so it goes only where it changes what shows: the
// header's rule, the spin boxes, the holders of one-line text edits (whose
// height is taken as they are made, so the sheet comes first), and the
// windows the page opens.

#include "script-setup/page-support.h"

#include <QWidget>

namespace rule_page {

inline void keep_frame_style(QWidget *widget, const QWidget *page)
{
    widget->setStyleSheet(page_support::scaled_sheet(
        page, QStringLiteral("\n.QWidget {\n\tborder:0;\n}\n.QFrame {\n\tborder:0;\n}")));
}

} // namespace rule_page
