#include "tests/script-setup/schedule/grid-mouse.h"
#include "tests/support/page-fixture.h"

#include <QSignalSpy>
#include <array>
#include <gtest/gtest.h>
#include <iterator>

using Reusable::QSchedulerWidget;

namespace {

typedef std::array<int, 4> Rect; // start second, start day, end second, end day

// The page fixture for its host's log.
class GridTest : public PageTest
{
protected:
    Rect selection() const
    {
        return {grid.start_second(), grid.start_day(), grid.end_second(), grid.end_day()};
    }
    QSchedulerWidget grid;
    QSignalSpy after_fill{&grid, &QSchedulerWidget::after_fill};
};

TEST_F(GridTest, DraggingSelectsAndClickingClears)
{
    QTest::mousePress(&grid, Qt::LeftButton, {}, grid_point(grid, hms(10, 0), 2));
    EXPECT_FALSE(grid.has_selection()) << "none while the button is down";
    grid_move(grid, grid_point(grid, hms(10, 9), 2));
    QTest::mouseRelease(&grid, Qt::LeftButton, {}, grid_point(grid, hms(10, 9), 2));
    EXPECT_EQ((Rect{0, 0, 0, 0}), selection()) << "short of ten minutes is a click";
    grid_drag(grid, grid_point(grid, hms(10, 0), 4), grid_point(grid, hms(6, 0), 1));
    EXPECT_EQ((Rect{0, 0, 0, 0}), selection()) << "left and up alone never drag";
    grid_drag(grid, grid_point(grid, hms(10, 0), 2), grid_point(grid, hms(10, 0), 3));
    EXPECT_EQ((Rect{hms(10, 0), 2, hms(10, 0), 3}), selection()) << "a row down drags";

    grid_drag(grid, QPoint(-40, -40), QPoint(grid.width() + 300, grid.height() + 300));
    EXPECT_EQ((Rect{0, 0, 86400, 6}), selection()) << "clamped; the right edge is midnight";
    grid.set_snap(false);
    grid_drag(grid, QPoint(0, 0), QPoint(grid.width() + 300, 0));
    EXPECT_EQ(86399, grid.end_second()) << "without snap the last second of the day";
}

TEST_F(GridTest, FillAndKeys)
{
    grid.set_selection(hms(9, 0), 1, hms(18, 0), 3);
    grid.fill(1);
    EXPECT_TRUE(host.log().contains("fill 32400:1 64800:3\n"));

    grid.set_selection(hms(1, 0), 0, hms(2, 0), 0);
    QTest::keyClick(&grid, Qt::Key_3);
    EXPECT_EQ("0,3600,2,7200,0", grid.day(0).to_compact_text());
    QTest::keyClick(&grid, Qt::Key_2);
    grid.set_selection(hms(18, 0), 0, hms(9, 0), 6); // start after end
    QTest::keyClick(&grid, Qt::Key_1);
    EXPECT_EQ("0,3600,1,7200,0", grid.day(0).to_compact_text());
    EXPECT_EQ(4, after_fill.count()) << "also when nothing was filled";

    QTest::mousePress(&grid, Qt::LeftButton, {}, grid_point(grid, hms(12, 0), 5));
    grid.fill(2);
    EXPECT_EQ(4, after_fill.count()) << "no fill while the button is down";
    QTest::mouseRelease(&grid, Qt::LeftButton, {}, grid_point(grid, hms(12, 0), 5));

    host.log().clear();
    QTest::keyClick(&grid, Qt::Key_E);
    ASSERT_EQ(7u, host.log().lines().size());
    EXPECT_EQ("0: 0;1:3600-7200;\n", host.log().lines()[0].text);
    EXPECT_EQ("6: 0;\n", host.log().lines()[6].text);
}

TEST_F(GridTest, WeekJsonRoundTripsAndRefusesWhatIsNoWeek)
{
    grid.set_selection(hms(9, 0), 0, hms(18, 0), 5);
    grid.fill(1);
    QSchedulerWidget other;
    EXPECT_TRUE(other.from_json(grid.to_json())) << grid.to_json();
    EXPECT_EQ(grid.day(5), other.day(5));
    EXPECT_FALSE(other.from_json("[1, 2]"));
    EXPECT_FALSE(other.from_json("{\"schedule_mo\": \"0;\", \"schedule_tu\": 3}"));
    EXPECT_EQ("0", other.day(0).to_compact_text());
    EXPECT_EQ(grid.day(1), other.day(1)) << "days missing from the text stay";
}

TEST_F(GridTest, CellsHoldTheirLabelsAtEverySizeAskedAndEveryFont)
{
    const QFont base = grid.font();
    const struct
    {
        int hour_width, row_height;
        double font_scale;
    } cases[] = {{25, 15, 1}, {1, 1, 1}, {80, 40, 1}, {50, 30, 2}, {25, 15, 3}};
    for (const auto &c : cases) {
        QFont font = base;
        font.setPointSizeF(base.pointSizeF() * c.font_scale);
        grid.set_cell_size(c.hour_width, c.row_height);
        grid.setFont(font); // as a host scales the page after the grid is sized
        const QFontMetrics metrics(font);
        const int line = metrics.height(), label = metrics.horizontalAdvance("00");
        const std::string shown = std::to_string(c.hour_width) + "x" +
                                  std::to_string(c.row_height) + " at " +
                                  std::to_string(c.font_scale);
        EXPECT_EQ(std::max(c.row_height, line), grid.row_height()) << shown;
        EXPECT_EQ(std::max(c.hour_width, label + label / 2), grid.hour_width()) << shown;
        EXPECT_EQ(QSize(grid.left_column_width() + 24 * grid.hour_width(),
                        7 * grid.row_height() + line + 1),
                  grid.minimumSizeHint())
            << shown;
    }
}

TEST_F(GridTest, PaintsColoursAndACrawlingOutline)
{
    grid.set_cell_size(50, 30);
    EXPECT_EQ(QSize(grid.left_column_width() + 24 * 50, 7 * 30 + grid.header_height() + 1),
              grid.minimumSizeHint());
    grid.resize(grid.minimumSizeHint());
    grid.set_selection(hms(6, 0), 2, hms(12, 0), 2);
    grid.fill(1);
    grid.set_selection(hms(14, 0), 4, 86400, 4);
    grid.fill(2);
    ScheduleDay unknown;
    unknown.from_compact_text("7");
    grid.set_day(6, unknown);
    grid.set_selection(hms(2, 0), 0, hms(4, 0), 1);

    const QImage image = grid.grab().toImage();
    auto pixel = [&](int second, int day) {
        return image.pixelColor(grid_point(grid, second, day));
    };
    EXPECT_EQ(QColor("#FF6060"), pixel(hms(9, 10), 2));
    EXPECT_EQ(QColor("#60AA60"), pixel(hms(5, 50), 2));
    EXPECT_EQ(QColor("#60AA60"), pixel(hms(12, 10), 2));
    EXPECT_EQ(QColor("#6060FF"), pixel(hms(23, 50), 4));
    EXPECT_EQ(QColor("#B0B0B0"), pixel(hms(12, 10), 6));
    int yellow = 0;
    for (int x = 0; x < image.width(); ++x)
        yellow += image.pixelColor(x, grid.header_height()) == QColor("#FFFF00");
    EXPECT_GT(yellow, 40) << "the outline runs along Monday's top edge";

    grid.crawl_timeout();
    EXPECT_NE(image, grid.grab().toImage()) << "the dashes move on";
}

TEST_F(GridTest, KeyboardMovesACursorStretchesWithShiftAndPaintsWithSpace)
{
    grid.set_cell_size(50, 30);
    grid.resize(grid.minimumSizeHint());
    grid.show();
    QApplication::setActiveWindow(&grid);
    grid.setFocus(Qt::TabFocusReason);
    const QColor mark = grid.palette().color(QPalette::Highlight);
    auto marked = [&](int second, int day) {
        // The left edge of the half hour's cell.
        const QImage image = grid.grab().toImage();
        const QPoint p = grid_point(grid, second, day);
        return image.pixelColor(grid.left_column_width() + second * 50 / 3600 + 1, p.y()) == mark;
    };
    EXPECT_TRUE(marked(0, 0)) << "the focus shows where the keyboard is";
    QSignalSpy rect_changed(&grid, &QSchedulerWidget::rect_changed);

    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        Rect selection;
    } steps[] = {
        {Qt::Key_Right, Qt::NoModifier, {hms(0, 30), 0, hms(1, 0), 0}},
        {Qt::Key_Down, Qt::NoModifier, {hms(0, 30), 1, hms(1, 0), 1}},
        {Qt::Key_Right, Qt::ShiftModifier, {hms(0, 30), 1, hms(1, 30), 1}},
        {Qt::Key_Down, Qt::ShiftModifier, {hms(0, 30), 1, hms(1, 30), 2}},
        {Qt::Key_Left, Qt::ShiftModifier, {hms(0, 30), 1, hms(1, 0), 2}},
        {Qt::Key_Left, Qt::ShiftModifier, {0, 1, hms(1, 0), 2}},
        {Qt::Key_Up, Qt::NoModifier, {0, 1, hms(0, 30), 1}},
        {Qt::Key_Up, Qt::NoModifier, {0, 0, hms(0, 30), 0}},
        {Qt::Key_Left, Qt::NoModifier, {0, 0, hms(0, 30), 0}}, // at the edge it stays
    };
    for (const auto &step : steps) {
        QTest::keyClick(&grid, step.key, step.mods);
        EXPECT_EQ(step.selection, selection()) << step.key << " " << int(step.mods);
    }
    EXPECT_EQ(int(std::size(steps)), rect_changed.count());
    EXPECT_TRUE(marked(0, 0));
    for (int i = 0; i < 60; ++i)
        QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(hms(23, 30), grid.start_second());
    EXPECT_EQ(86400, grid.end_second()) << "the last cell ends at midnight";

    QTest::keyClick(&grid, Qt::Key_Left);
    QTest::keyClick(&grid, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ("0,81000,1,84600,0", grid.day(0).to_compact_text()) << "red before any fill";
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_3);
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ("0,81000,2,82800,0", grid.day(2).to_compact_text()) << "the colour filled last";
    EXPECT_EQ(3, after_fill.count());

    grid.clearFocus();
    EXPECT_FALSE(marked(hms(22, 30), 2)) << "no mark without the focus";
}

} // namespace
