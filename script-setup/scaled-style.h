#pragma once
// The style draws check and radio marks, spin box and combo box arrows and
// the icons of lists at its own size, whatever the page's font. At a size
// factor other than 1 the controls of a page that draw them get a style that
// draws them that many times larger.

class QWidget;

namespace page_support {

// For the controls under page, those there now and those added later. The
// style lives as long as a control uses it. Nothing changes at factor 1, or
// when the application's style is one no style factory makes.
void scale_indicators(QWidget *page, double factor);

} // namespace page_support
