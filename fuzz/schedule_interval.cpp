// The day text of the grid's JSON form.

#include "fuzz/schedule-fuzz-support.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    schedule_fuzz::quiet_log();
    const std::string text(reinterpret_cast<const char *>(data), size);
    ScheduleDay day;
    day.fill(100, 200, 1); // reading replaces what was there
    day.from_interval_text(text);
    schedule_fuzz::check_day(day);
    return 0;
}
