#pragma once
// A label of links that the keyboard walks one link at a time: arriving by
// Tab selects the first link, by Shift+Tab the last (a plain label takes a
// second Tab for that, and shows nothing the first time), Tab and Shift+Tab
// move between the links and leave after the last or the first one, and
// Enter or Space follows the selected link.

#include <QLabel>

namespace Reusable {

class QLinkLabel : public QLabel
{
    Q_OBJECT
public:
    explicit QLinkLabel(const QString &text = QString(), QWidget *parent = nullptr);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    int link_count() const;
    void select_link(int index);

    int selected_ = -1;
};

} // namespace Reusable
