#include "utils/schedule-day.h"

#include "utils/logging.h"

#include <QtGlobal>
#include <algorithm>
#include <climits>
#include <cstddef>

namespace {

bool is_digit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// Leading decimal digits of [*pos, end) as a number, saturated at INT_MAX so
// that stored garbage cannot overflow; *pos moves past them. False when
// there is no digit.
bool read_digits(const std::string &text, std::size_t *pos, std::size_t end, int *out)
{
    const std::size_t start = *pos;
    long long value = 0;
    while (*pos < end && is_digit(text[*pos])) {
        value = std::min<long long>(value * 10 + (text[*pos] - '0'), INT_MAX);
        ++*pos;
    }
    *out = static_cast<int>(value);
    return *pos > start;
}

// A compact-text token: its leading digits, 0 when it has none.
int token_number(const std::string &text, std::size_t begin, std::size_t end)
{
    int value = 0;
    read_digits(text, &begin, end, &value);
    return value;
}

// "colour:start-end", the whole token and nothing else.
bool read_period(const std::string &text, std::size_t begin, std::size_t end, int *colour,
                 int *start, int *stop)
{
    std::size_t pos = begin;
    if (!read_digits(text, &pos, end, colour) || pos >= end || text[pos++] != ':')
        return false;
    if (!read_digits(text, &pos, end, start) || pos >= end || text[pos++] != '-')
        return false;
    return read_digits(text, &pos, end, stop) && pos == end;
}

} // namespace

int ScheduleDay::colour_at(int t, int *next_change) const
{
    int colour = initial_;
    std::size_t c = 0;
    for (; c < times_.size() && times_[c] <= t; ++c)
        colour = colours_[c];
    if (next_change)
        *next_change = c < times_.size() ? times_[c] : 0;
    return colour;
}

void ScheduleDay::set_change(int t, int colour)
{
    if (t == 0) {
        initial_ = colour;
        return;
    }
    const auto it = std::lower_bound(times_.begin(), times_.end(), t);
    const auto index = it - times_.begin();
    if (it != times_.end() && *it == t) {
        colours_[static_cast<std::size_t>(index)] = colour;
        return;
    }
    times_.insert(it, t);
    colours_.insert(colours_.begin() + index, colour);
}

void ScheduleDay::fill(int from, int to, int colour)
{
    Q_ASSERT(from < to);
    if (from >= to)
        return;
    int resumes = initial_;
    for (std::size_t c = 0; c < times_.size() && times_[c] <= to; ++c)
        resumes = colours_[c];
    set_change(to, resumes);
    set_change(from, colour);

    std::size_t out = 0;
    for (std::size_t c = 0; c < times_.size(); ++c) {
        if (times_[c] > from && times_[c] < to)
            continue;
        times_[out] = times_[c];
        colours_[out] = colours_[c];
        ++out;
    }
    times_.resize(out);
    colours_.resize(out);
    normalise();
}

void ScheduleDay::normalise()
{
    // One pass gives what rescanning after every removal would: a removal
    // never changes the colour in effect before the point it was made.
    const std::vector<int> &tx = times_;
    int previous = initial_;
    int x = 0;
    std::size_t out = 0;
    for (std::size_t c = 0; c < tx.size(); ++c) {
        Q_ASSERT(tx[c] > x);
        x = tx[c];
        if (colours_[c] == previous)
            continue;
        previous = colours_[c];
        times_[out] = tx[c];
        colours_[out] = colours_[c];
        ++out;
    }
    times_.resize(out);
    colours_.resize(out);
}

std::string ScheduleDay::to_compact_text() const
{
    std::string text = std::to_string(initial_);
    for (std::size_t c = 0; c < times_.size(); ++c) {
        text += ',';
        text += std::to_string(times_[c]);
        text += ',';
        text += std::to_string(colours_[c]);
    }
    return text;
}

bool ScheduleDay::from_compact_text(const std::string &text)
{
    times_.clear();
    colours_.clear();
    initial_ = 0;
    if (text.empty())
        return true;

    // Token boundaries: every comma counts, so ",," holds empty tokens.
    std::vector<std::size_t> starts{0};
    for (std::size_t pos = 0; pos < text.size(); ++pos)
        if (text[pos] == ',')
            starts.push_back(pos + 1);
    auto token = [&](std::size_t i) {
        const std::size_t end = i + 1 < starts.size() ? starts[i + 1] - 1 : text.size();
        return token_number(text, starts[i], end);
    };

    initial_ = token(0);
    int previous_time = 0;
    int previous_colour = initial_;
    for (std::size_t i = 1; i + 1 < starts.size(); i += 2) {
        const int t = token(i);
        const int colour = token(i + 1);
        if (t <= previous_time || colour == previous_colour) {
            VX_LOG(2, "QSchedulerWidget: cannot parse string '%s'\n", text.c_str());
            return false;
        }
        times_.push_back(t);
        colours_.push_back(colour);
        previous_time = t;
        previous_colour = colour;
    }
    return true;
}

std::string ScheduleDay::to_interval_text() const
{
    std::string text = "0;";
    int running = initial_;
    int start = 0;
    for (std::size_t c = 0; c < times_.size(); ++c) {
        if (running != 0 && running != colours_[c]) {
            text += std::to_string(running) + ':' + std::to_string(start) + '-' +
                    std::to_string(times_[c]) + ';';
        }
        running = colours_[c];
        start = times_[c];
    }
    return text;
}

bool ScheduleDay::from_interval_text(const std::string &text)
{
    times_.clear();
    colours_.clear();
    if (text.empty()) {
        initial_ = 0;
        return true;
    }

    // Runs of ';' are one separator; a leading one leaves an empty first token.
    std::size_t first_end = text.find(';');
    if (first_end == std::string::npos)
        first_end = text.size();
    std::size_t pos = 0;
    int base = initial_;
    const bool base_read = read_digits(text, &pos, first_end, &base);
    if (!base_read) {
        VX_LOG(2, "QSchedulerWidget: cannot parse initial color '%s'\n", text.c_str());
        base = initial_;
    }
    initial_ = base;

    std::size_t begin = 0;
    while (begin <= text.size()) {
        std::size_t end = text.find(';', begin);
        if (end == std::string::npos)
            end = text.size();
        int colour = 0, start = 0, stop = 0;
        if (end > begin && read_period(text, begin, end, &colour, &start, &stop)) {
            set_change(start, colour);
            set_change(stop, base);
        }
        begin = end + 1;
    }
    normalise();
    return base_read;
}

void ScheduleDay::dump() const
{
    std::string line = "day(" + std::to_string(initial_);
    int x = 0;
    for (std::size_t c = 0; c < times_.size(); ++c) {
        const std::vector<int> &tx = times_;
        Q_ASSERT(x < tx[c]);
        x = tx[c];
        line += ", " + std::to_string(times_[c]) + ':' + std::to_string(colours_[c]);
    }
    line += ")\n";
    VX_LOG(1, "%s", line.c_str());
}
