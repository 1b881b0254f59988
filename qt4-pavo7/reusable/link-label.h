#pragma once
// A label holding one link that takes a single Tab: arriving by Tab or
// Shift+Tab selects the link at once (a plain label takes a second Tab for
// that, and shows nothing the first time), Enter follows it, and the next
// Tab leaves.

#include <QLabel>

namespace Reusable {

class QLinkLabel : public QLabel
{
    Q_OBJECT
public:
    explicit QLinkLabel(const QString &text, QWidget *parent = nullptr);

protected:
    void focusInEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;
};

} // namespace Reusable
