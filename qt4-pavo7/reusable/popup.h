#pragma once
// A small frame that shows itself at a point of the screen, closes on the
// next click elsewhere and deletes itself once closed.

#include <QFrame>

class QVBoxLayout;

namespace Reusable {

class QPopup : public QFrame
{
    Q_OBJECT
public:
    explicit QPopup(QWidget *parent = nullptr);
    ~QPopup() override;

    QVBoxLayout *box() const { return box_; }
    // Shows the popup with its top-left corner at `global`.
    void show_at(const QPoint &global);

private:
    QVBoxLayout *box_;
};

} // namespace Reusable
