#pragma once
// The weekly grid of a schedule: seven days (row 0 Monday) of three colours
// over 24 hours. The operator drags a rectangle of days and hours and fills it
// with a colour (the keys 1, 2, 3 or the page's buttons). From the keyboard a
// cursor of one day and half an hour moves with the arrows (with Shift they
// stretch the selection from where it started) and Space fills the selection
// with the colour filled last (red before any fill).

#include "utils/schedule-week.h"

#include <QFrame>
#include <QTimer>
#include <string>

namespace Reusable {

class QSchedulerWidget : public QFrame
{
    Q_OBJECT
public:
    enum { DAYS = 7 };

    explicit QSchedulerWidget(QWidget *parent = nullptr);
    ~QSchedulerWidget() override;

    const ScheduleDay &day(int row) const;
    void set_day(int row, const ScheduleDay &day);

    // Pixels per hour and per day row; the page scales them for the display.
    // Cells never get smaller than the labels of the current font: a row is
    // at least one line high, an hour wider than its label.
    void set_cell_size(int hour_width, int row_height);
    int hour_width() const { return hour_width_; }
    int row_height() const { return row_height_; }
    static constexpr int designed_hour_width = 25;
    static constexpr int designed_row_height = 15;
    // The day-name column and the hour-label header, from the current font.
    int left_column_width() const;
    int header_height() const;

    // With snap, mouse positions round to the nearest half hour.
    void set_snap(bool snap) { snap_ = snap; }
    bool snap() const { return snap_; }

    // The selection in seconds (end may be 86400) and day rows, inclusive.
    int start_second() const { return start_second_; }
    int start_day() const { return start_day_; }
    int end_second() const { return end_second_; }
    int end_day() const { return end_day_; }
    // Taken as given (no snapping), days clamped to the grid; repaints.
    void set_selection(int start_second, int start_day, int end_second, int end_day);
    bool has_selection() const;

    // Fills the selection of every selected day; emits after_fill even when
    // nothing was selected. Ignored while a mouse button is down.
    void fill(int colour);

    // {"schedule_mo": "<interval text>", ... "schedule_su": ...}
    std::string to_json() const;
    // False when the text is no JSON object or lacks a day; such days stay.
    bool from_json(const std::string &text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static QColor colour_of(int colour);

Q_SIGNALS:
    void rect_changed();
    void after_fill();

public Q_SLOTS:
    void crawl_timeout();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    enum MouseState { IDLE, PRESSED, DRAGGING };

    void position_at(const QPoint &point, int *second, int *day) const;
    int x_of(long long second) const;
    void paint_days(QPainter &painter) const;
    void paint_labels(QPainter &painter) const;
    void paint_grid(QPainter &painter) const;
    void paint_selection(QPainter &painter) const;
    void paint_cursor(QPainter &painter) const;
    // An arrow key; false for any other key.
    bool move_cursor(const QKeyEvent *event);
    void update_geometry_hint();

    ScheduleWeek days_;
    int start_second_ = 0;
    int start_day_ = 0;
    int end_second_ = 0;
    int end_day_ = 0;
    MouseState mouse_ = IDLE;
    bool snap_ = true;
    int hour_width_ = designed_hour_width;
    int row_height_ = designed_row_height;
    int asked_hour_width_ = designed_hour_width;
    int asked_row_height_ = designed_row_height;
    int dash_offset_ = 0;
    // The keyboard's cell (its first second and day) and where Shift started.
    int cursor_second_ = 0;
    int cursor_day_ = 0;
    int anchor_second_ = 0;
    int anchor_day_ = 0;
    int last_colour_ = 1;
    QTimer crawl_timer_;
};

} // namespace Reusable
