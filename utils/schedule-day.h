#pragma once
// One day of a weekly schedule: the colour of every second of the day,
// 0 to 86400, kept as an initial colour and a list of colour changes.
//
// Colours: 0 green, 1 red, 2 blue. A change may sit at 86400 (end of day).
// After fill() and the readers the day is canonical: no change repeats the
// colour in effect before it. The readers never throw; what they cannot read
// is logged and the part read before the fault stays.

#include <string>
#include <vector>

class ScheduleDay
{
public:
    enum { DAY_SECONDS = 86400 };

    // A new day: all colour 0, no changes.
    ScheduleDay() = default;

    int initial_colour() const { return initial_; }
    const std::vector<int> &change_times() const { return times_; }
    const std::vector<int> &change_colours() const { return colours_; }
    int change_count() const { return static_cast<int>(times_.size()); }

    // The colour in effect at second t; *next_change gets the first change
    // time after t, or 0 when there is none.
    int colour_at(int t, int *next_change = nullptr) const;

    // t == 0 sets the initial colour; otherwise sets or inserts the change at
    // t. Leaves the day as it is otherwise, possibly not canonical.
    void set_change(int t, int colour);

    // Colours [from, to) and keeps what followed in effect from `to` on.
    void fill(int from, int to, int colour);

    // Drops every change that repeats the colour before it.
    void normalise();

    // Stored form: "0,32400,1,64800,0".
    std::string to_compact_text() const;
    // False when the text breaks the ordering rules; the changes read before
    // the fault stay and the fault is logged.
    bool from_compact_text(const std::string &text);

    // The widget's JSON form: "0;1:32400-64800;". Only periods of a non-zero
    // colour that end at a change are written, so it describes a day ending
    // in colour 0.
    std::string to_interval_text() const;
    // Replaces the day with the periods the text lists, over the base colour
    // of its first token; false when that token is not a number.
    bool from_interval_text(const std::string &text);

    // "day(0, 32400:1, 64800:0)" in the log, at level 1.
    void dump() const;

    bool operator==(const ScheduleDay &other) const
    {
        return initial_ == other.initial_ && times_ == other.times_ && colours_ == other.colours_;
    }
    bool operator!=(const ScheduleDay &other) const { return !(*this == other); }

private:
    int initial_ = 0;
    std::vector<int> times_;
    std::vector<int> colours_;
};
