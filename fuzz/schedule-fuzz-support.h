#pragma once
// Shared by the schedule fuzz targets: a log sink that drops the lines (the
// readers log every fault they meet) and the checks every read day must pass.

#include "plugin/host.h"
#include "utils/logging.h"
#include "utils/schedule-day.h"

#include <cstdlib>

namespace schedule_fuzz {

class DroppingSink : public Rizurividuvez::LogSink
{
public:
    void write(int, const std::string &) override {}
};

inline void quiet_log()
{
    static bool installed = false;
    if (!installed) {
        logging_facility::set_sink(boost::shared_ptr<Rizurividuvez::LogSink>(new DroppingSink));
        installed = true;
    }
}

inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Canonical, its compact text reads back the same, and a fill keeps it so.
inline void check_day(const ScheduleDay &day)
{
    int previous = day.initial_colour();
    int x = 0;
    for (int c = 0; c < day.change_count(); ++c) {
        require(day.change_times()[c] > x);
        require(day.change_colours()[c] != previous);
        x = day.change_times()[c];
        previous = day.change_colours()[c];
    }
    ScheduleDay back;
    require(back.from_compact_text(day.to_compact_text()));
    require(back == day);

    const int last = day.change_count() ? day.change_colours().back() : day.initial_colour();
    if (last == 0) {
        ScheduleDay intervals;
        require(intervals.from_interval_text(day.to_interval_text()));
        require(intervals == day);
    }

    ScheduleDay filled = day;
    filled.fill(3600, 7200, 2);
    require(filled.colour_at(3600) == 2 && filled.colour_at(7199) == 2);
    require(filled.colour_at(7200) == day.colour_at(7200));
    filled.dump();
}

} // namespace schedule_fuzz
