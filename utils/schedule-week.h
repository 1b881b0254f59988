#pragma once
// A week of schedule days, row 0 Monday, and its JSON form: an object with
// the seven day keys, each value the day's interval text.

#include "utils/schedule-day.h"

#include <array>
#include <string>

typedef std::array<ScheduleDay, 7> ScheduleWeek;

// "schedule_mo" ... "schedule_su": the day keys of the stored schedule and of
// the JSON form alike.
extern const char *const schedule_day_keys[7];

std::string week_to_json(const ScheduleWeek &week);
// False, and the week untouched, when the text is no JSON object. A day
// whose key is missing or no text stays as it was, and the answer is false.
bool week_from_json(const std::string &text, ScheduleWeek *week);
