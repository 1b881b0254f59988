#pragma once
// What the schedule page shows besides the grid, read from the host without
// any widget: the channels this schedule controls, those that other
// schedules already control, the server's channel list, and the time-of-day
// convention of the page's time fields.

#include "plugin/rizurividuvez.h"

#include <QString>
#include <QTime>
#include <set>
#include <string>
#include <vector>

namespace schedule_page {

// Guid lists as stored in "affected_channels": joined by "," without blanks.
// Splitting drops empty entries and repeats, keeping the stored order.
std::vector<std::string> split_guids(const std::string &text);
std::string join_guids(const std::vector<std::string> &guids);

// The end of the day, second 86400, is shown as 23:59:59 and read back so.
QTime time_of_second(int second);
int second_of_time(const QTime &time);

struct ChannelRow
{
    std::string guid;
    QString name;
    bool checked = false;        // in this schedule's own set
    bool used_elsewhere = false; // controlled by another schedule
    bool may_edit = false;       // the channel folder's rights have value 4
};

struct ScheduleChannels
{
    std::vector<std::string> own;         // after dropping channels used elsewhere
    std::set<std::string> used_elsewhere; // empty when "scripts" is missing
    std::vector<ChannelRow> rows;         // zombies left out, in the host's order
};

// Reads the own set, the channels other schedules control, and the channel
// list; writes the own set back when another schedule took some of its
// channels. Every refusal is logged; what could be read is kept.
ScheduleChannels read_schedule_channels(const Settings &schedule, const Settings &server_root);

// Re-reads "affected_channels" and "affect_channels_record_mode" after a
// change notification; false (and logged) when the host refused.
bool read_schedule_state(const Settings &schedule, std::vector<std::string> *own, int *mode);

} // namespace schedule_page
