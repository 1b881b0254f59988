#include "qt4-pavo7/reusable/scheduler-widget.h"

#include "utils/logging.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace Reusable {
namespace {

// Room around the day names, so that the widest one does not touch the grid.
const int name_padding = 8;
// A press that moves less than this (and stays on its row) is a click.
const int drag_seconds = 601;
const int snap_seconds = 1800;
// The keyboard's cell is half an hour wide.
const int cursor_seconds = 1800;

} // namespace

QSchedulerWidget::QSchedulerWidget(QWidget *parent)
    : QFrame(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    crawl_timer_.setInterval(100);
    connect(&crawl_timer_, &QTimer::timeout, this, &QSchedulerWidget::crawl_timeout);
    update_geometry_hint();
}

QSchedulerWidget::~QSchedulerWidget() = default;

const ScheduleDay &QSchedulerWidget::day(int row) const
{
    Q_ASSERT(row >= 0 && row < DAYS);
    return days_[static_cast<size_t>(row)];
}

void QSchedulerWidget::set_day(int row, const ScheduleDay &day)
{
    Q_ASSERT(row >= 0 && row < DAYS);
    days_[static_cast<size_t>(row)] = day;
    update();
}

void QSchedulerWidget::set_cell_size(int hour_width, int row_height)
{
    asked_hour_width_ = std::max(1, hour_width);
    asked_row_height_ = std::max(1, row_height);
    update_geometry_hint();
}

int QSchedulerWidget::left_column_width() const
{
    const QLocale locale;
    int widest = 0;
    for (int d = 1; d <= DAYS; ++d)
        widest = std::max(widest,
                          fontMetrics().horizontalAdvance(locale.dayName(d, QLocale::ShortFormat)));
    return widest + name_padding;
}

int QSchedulerWidget::header_height() const
{
    return fontMetrics().height();
}

QSize QSchedulerWidget::minimumSizeHint() const
{
    return QSize(left_column_width() + 24 * hour_width_, DAYS * row_height_ + header_height() + 1);
}

QSize QSchedulerWidget::sizeHint() const
{
    return minimumSizeHint();
}

void QSchedulerWidget::update_geometry_hint()
{
    // Half a label of room between two hour labels.
    const int label = fontMetrics().horizontalAdvance(QStringLiteral("00"));
    hour_width_ = std::max(asked_hour_width_, label + label / 2);
    row_height_ = std::max(asked_row_height_, fontMetrics().height());
    setMinimumSize(minimumSizeHint());
    updateGeometry();
    update();
}

void QSchedulerWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LocaleChange)
        update_geometry_hint();
    QFrame::changeEvent(event);
}

void QSchedulerWidget::set_selection(int start_second, int start_day, int end_second, int end_day)
{
    start_second_ = start_second;
    start_day_ = qBound(0, start_day, DAYS - 1);
    end_second_ = end_second;
    end_day_ = qBound(0, end_day, DAYS - 1);
    update();
}

bool QSchedulerWidget::has_selection() const
{
    return mouse_ != PRESSED && start_second_ < end_second_ && start_day_ <= end_day_;
}

void QSchedulerWidget::position_at(const QPoint &point, int *second, int *day) const
{
    const long long s =
        static_cast<long long>(point.x() - left_column_width()) * 3600 / hour_width_;
    *second = static_cast<int>(qBound(0LL, s, 86399LL));
    *day = qBound(0, (point.y() - header_height()) / row_height_, DAYS - 1);
    if (snap_)
        *second = (*second + snap_seconds / 2) / snap_seconds * snap_seconds;
}

void QSchedulerWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || mouse_ != IDLE) {
        QFrame::mousePressEvent(event);
        return;
    }
    mouse_ = PRESSED;
    position_at(event->pos(), &start_second_, &start_day_);
    end_second_ = start_second_;
    end_day_ = start_day_;
    Q_EMIT rect_changed();
    update();
}

void QSchedulerWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (mouse_ == IDLE) {
        QFrame::mouseMoveEvent(event);
        return;
    }
    position_at(event->pos(), &end_second_, &end_day_);
    // Only a move to the right or downwards makes a drag of a press.
    if (mouse_ == PRESSED && (end_second_ - start_second_ >= drag_seconds || end_day_ > start_day_))
        mouse_ = DRAGGING;
    Q_EMIT rect_changed();
    update();
}

void QSchedulerWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || mouse_ == IDLE) {
        QFrame::mouseReleaseEvent(event);
        return;
    }
    if (mouse_ == PRESSED)
        start_second_ = start_day_ = end_second_ = end_day_ = 0;
    mouse_ = IDLE;
    Q_EMIT rect_changed();
    update();
}

void QSchedulerWidget::fill(int colour)
{
    if (mouse_ != IDLE)
        return;
    last_colour_ = colour;
    VX_LOG(1, "fill %i:%i %i:%i\n", start_second_, start_day_, end_second_, end_day_);
    if (start_second_ < end_second_)
        for (int d = start_day_; d <= end_day_; ++d)
            days_[static_cast<size_t>(d)].fill(start_second_, end_second_, colour);
    update();
    Q_EMIT after_fill();
}

void QSchedulerWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_1:
        fill(0);
        break;
    case Qt::Key_2:
        fill(1);
        break;
    case Qt::Key_3:
        fill(2);
        break;
    case Qt::Key_E:
        for (int d = 0; d < DAYS; ++d)
            VX_LOG(1, "%i: %s\n", d, days_[static_cast<size_t>(d)].to_interval_text().c_str());
        break;
    case Qt::Key_I:
        break;
    case Qt::Key_Space:
        fill(last_colour_);
        break;
    default:
        if (!move_cursor(event))
            QFrame::keyPressEvent(event);
    }
}

bool QSchedulerWidget::move_cursor(const QKeyEvent *event)
{
    int second = cursor_second_, day = cursor_day_;
    switch (event->key()) {
    case Qt::Key_Left:
        second -= cursor_seconds;
        break;
    case Qt::Key_Right:
        second += cursor_seconds;
        break;
    case Qt::Key_Up:
        --day;
        break;
    case Qt::Key_Down:
        ++day;
        break;
    default:
        return false;
    }
    if (mouse_ != IDLE)
        return true;
    cursor_second_ = qBound(0, second, 86400 - cursor_seconds);
    cursor_day_ = qBound(0, day, DAYS - 1);
    if (!(event->modifiers() & Qt::ShiftModifier)) {
        anchor_second_ = cursor_second_;
        anchor_day_ = cursor_day_;
    }
    start_second_ = std::min(anchor_second_, cursor_second_);
    end_second_ = std::max(anchor_second_, cursor_second_) + cursor_seconds;
    start_day_ = std::min(anchor_day_, cursor_day_);
    end_day_ = std::max(anchor_day_, cursor_day_);
    Q_EMIT rect_changed();
    update();
    return true;
}

void QSchedulerWidget::focusInEvent(QFocusEvent *event)
{
    update();
    QFrame::focusInEvent(event);
}

void QSchedulerWidget::focusOutEvent(QFocusEvent *event)
{
    update();
    QFrame::focusOutEvent(event);
}

void QSchedulerWidget::crawl_timeout()
{
    if (has_selection()) {
        ++dash_offset_;
        update();
    } else if (dash_offset_ != 0) {
        dash_offset_ = 0;
        update();
    }
}

void QSchedulerWidget::showEvent(QShowEvent *event)
{
    crawl_timer_.start();
    QFrame::showEvent(event);
}

void QSchedulerWidget::hideEvent(QHideEvent *event)
{
    crawl_timer_.stop();
    QFrame::hideEvent(event);
}

std::string QSchedulerWidget::to_json() const
{
    return week_to_json(days_);
}

bool QSchedulerWidget::from_json(const std::string &text)
{
    const bool complete = week_from_json(text, &days_);
    update();
    return complete;
}

QColor QSchedulerWidget::colour_of(int colour)
{
    switch (colour) {
    case 0:
        return QColor(0x60, 0xAA, 0x60);
    case 1:
        return QColor(0xFF, 0x60, 0x60);
    case 2:
        return QColor(0x60, 0x60, 0xFF);
    default:
        // A colour this client does not know: visibly none of the three.
        return QColor(0xB0, 0xB0, 0xB0);
    }
}

int QSchedulerWidget::x_of(long long second) const
{
    return static_cast<int>(qBound(0LL, second, 86400LL) * hour_width_ / 3600);
}

void QSchedulerWidget::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    paint_days(painter);
    paint_grid(painter);
    paint_labels(painter);
    paint_selection(painter);
    paint_cursor(painter);
}

void QSchedulerWidget::paint_days(QPainter &painter) const
{
    const int left = left_column_width();
    const int top = header_height();
    for (int d = 0; d < DAYS; ++d) {
        const ScheduleDay &day = days_[static_cast<size_t>(d)];
        const int y = top + d * row_height_;
        long long start = 0;
        int colour = day.initial_colour();
        for (int c = 0; c <= day.change_count() && start < 86400; ++c) {
            const long long end = c < day.change_count() ? day.change_times()[c] : 86400;
            const int x1 = left + x_of(start) + 1;
            const int x2 = left + x_of(end);
            if (x2 >= x1)
                painter.fillRect(x1, y, x2 - x1 + 1, row_height_, colour_of(colour));
            if (c < day.change_count())
                colour = day.change_colours()[c];
            start = end;
        }
    }
}

void QSchedulerWidget::paint_grid(QPainter &painter) const
{
    const int left = left_column_width();
    const int top = header_height();
    const int right = left + 24 * hour_width_;
    const int bottom = top + DAYS * row_height_;
    painter.save();
    painter.setOpacity(0.3);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int h = 0; h <= 24; ++h)
        painter.drawLine(left + h * hour_width_, top, left + h * hour_width_, bottom);
    for (int d = 0; d <= DAYS; ++d)
        painter.drawLine(left, top + d * row_height_, right, top + d * row_height_);
    painter.restore();
}

void QSchedulerWidget::paint_labels(QPainter &painter) const
{
    const int left = left_column_width();
    const int top = header_height();
    const QLocale locale;
    painter.setPen(palette().color(QPalette::WindowText));
    for (int d = 0; d < DAYS; ++d)
        painter.drawText(QRect(0, top + d * row_height_, left, row_height_), Qt::AlignCenter,
                         locale.dayName(d + 1, QLocale::ShortFormat));
    for (int h = 0; h < 24; ++h)
        painter.drawText(QRect(left + h * hour_width_, 0, hour_width_, top), Qt::AlignCenter,
                         QString::asprintf("%02d", h));
}

void QSchedulerWidget::paint_selection(QPainter &painter) const
{
    if (!has_selection())
        return;
    const int left = left_column_width();
    const int top = header_height();
    QPen pen(QColor(0xFF, 0xFF, 0x00));
    pen.setCosmetic(true);
    pen.setDashPattern({4, 2});
    pen.setDashOffset(dash_offset_);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(left + x_of(start_second_), top + start_day_ * row_height_),
                           QPoint(left + x_of(end_second_), top + (end_day_ + 1) * row_height_)));
}

void QSchedulerWidget::paint_cursor(QPainter &painter) const
{
    if (!hasFocus())
        return;
    const int left = left_column_width();
    const int top = header_height();
    QPen pen(palette().color(QPalette::Highlight), 2);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRect(QPoint(left + x_of(cursor_second_) + 1, top + cursor_day_ * row_height_ + 1),
              QPoint(left + x_of(cursor_second_ + cursor_seconds) - 1,
                     top + (cursor_day_ + 1) * row_height_ - 1)));
    // The whole grid is marked too, so that the focus shows at a glance.
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

} // namespace Reusable
