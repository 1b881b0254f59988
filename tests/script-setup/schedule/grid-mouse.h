#pragma once
// Drives the weekly grid with mouse events at the pixel of a time and day.

#include "qt4-pavo7/reusable/scheduler-widget.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

inline int hms(int h, int m, int s = 0)
{
    return h * 3600 + m * 60 + s;
}

// The pixel nearest to the second, in the middle of the day's row.
inline QPoint grid_point(const Reusable::QSchedulerWidget &grid, int second, int day)
{
    return QPoint(grid.left_column_width() + (second * grid.hour_width() + 1800) / 3600,
                  grid.header_height() + day * grid.row_height() + grid.row_height() / 2);
}

// A move with the left button held, as the window system delivers it.
inline void grid_move(Reusable::QSchedulerWidget &grid, QPoint to)
{
    QMouseEvent move(QEvent::MouseMove, to, grid.mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&grid, &move);
}

inline void grid_drag(Reusable::QSchedulerWidget &grid, QPoint from, QPoint to)
{
    QTest::mousePress(&grid, Qt::LeftButton, Qt::NoModifier, from);
    grid_move(grid, (from + to) / 2);
    grid_move(grid, to);
    QTest::mouseRelease(&grid, Qt::LeftButton, Qt::NoModifier, to);
}
