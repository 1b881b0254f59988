#pragma once
// A small frame that shows itself at a point of the screen without taking the
// focus from the window below, closes on Escape or on the next click
// elsewhere, and deletes itself once closed.

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

    bool eventFilter(QObject *watched, QEvent *event) override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QVBoxLayout *box_;
};

} // namespace Reusable
