// The stored day text, as another client or a damaged tree may leave it.

#include "fuzz/schedule-fuzz-support.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    schedule_fuzz::quiet_log();
    const std::string text(reinterpret_cast<const char *>(data), size);
    ScheduleDay day;
    day.from_compact_text(text);
    // What was read before a fault is a day like any other.
    schedule_fuzz::check_day(day);
    return 0;
}
