// The grid's whole week as JSON, as a caller may hand it over.

#include "fuzz/schedule-fuzz-support.h"
#include "utils/schedule-week.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    schedule_fuzz::quiet_log();
    const std::string text(reinterpret_cast<const char *>(data), size);
    ScheduleWeek week;
    week[3].fill(0, 86400, 2);
    week_from_json(text, &week);
    for (const ScheduleDay &day : week)
        schedule_fuzz::check_day(day);

    ScheduleWeek again;
    schedule_fuzz::require(week_from_json(week_to_json(week), &again));
    for (size_t d = 0; d < week.size(); ++d)
        schedule_fuzz::require(again[d].to_interval_text() == week[d].to_interval_text());
    return 0;
}
