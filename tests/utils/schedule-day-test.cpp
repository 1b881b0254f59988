#include "memory-host/memory-host.h"
#include "utils/logging.h"
#include "utils/schedule-day.h"

#include <gtest/gtest.h>
#include <random>

namespace {

struct Fill
{
    int from, to, colour;
};

ScheduleDay filled(const std::vector<Fill> &fills)
{
    ScheduleDay day;
    for (const Fill &f : fills)
        day.fill(f.from, f.to, f.colour);
    return day;
}

bool canonical(const ScheduleDay &day)
{
    int previous = day.initial_colour(), x = 0;
    for (int c = 0; c < day.change_count(); ++c) {
        if (day.change_times()[c] <= x || day.change_colours()[c] == previous)
            return false;
        x = day.change_times()[c];
        previous = day.change_colours()[c];
    }
    return true;
}

class ScheduleDayTest : public ::testing::Test
{
protected:
    ScheduleDayTest() { logging_facility::set_sink(log); }
    ~ScheduleDayTest() override { logging_facility::set_sink({}); }
    boost::shared_ptr<memory_host::KeptLog> log{new memory_host::KeptLog};
};

TEST_F(ScheduleDayTest, FillsGiveTheirCompactText)
{
    const std::pair<std::vector<Fill>, const char *> cases[] = {
        {{{0, 86400, 1}}, "1,86400,0"},
        {{{32400, 64800, 1}, {36000, 39600, 2}}, "0,32400,1,36000,2,39600,1,64800,0"},
        {{{32400, 64800, 1}, {36000, 39600, 2}, {0, 86400, 0}}, "0"},
        {{{32400, 64800, 1}, {40000, 50000, 1}}, "0,32400,1,64800,0"}, // same colour: no change
        {{{100, 200, 1}, {200, 300, 1}}, "0,100,1,300,0"},             // adjoining ranges merge
        {{{1000, 5000, 1}, {3000, 9000, 2}}, "0,1000,1,3000,2,9000,0"},
        {{{3000, 9000, 2}, {1000, 5000, 1}}, "0,1000,1,5000,2,9000,0"},
        {{{100, 200, 1}, {50, 100, 2}}, "0,50,2,100,1,200,0"}, // ends where a change is
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.second, filled(c.first).to_compact_text());
    int next = -1;
    EXPECT_EQ(1, filled({{32400, 64800, 1}}).colour_at(32400, &next));
    EXPECT_EQ(64800, next);
    EXPECT_EQ(0, filled({{32400, 64800, 1}}).colour_at(64800, &next));
    EXPECT_EQ(0, next) << "no change after the last one";
}

TEST_F(ScheduleDayTest, ReadersKeepWhatCameBeforeAFault)
{
    const struct
    {
        bool compact;
        const char *text, *read;
        bool ok;
    } cases[] = {
        {true, "", "0", true},
        {true, "2,100", "2", true}, // a time without its colour ends the reading
        {true, "0,100,1,100,2", "0,100,1", false},
        {true, "0,100,0", "0", false},
        {true, "1,0,2", "1", false}, // no change at midnight
        {true, "0,,1", "0", false},
        {true, "1x,50y,2z", "1,50,2", true}, // leading digits only
        {true, "0,99999999999,1", "0,2147483647,1", true},
        {false, "0;1:3600-7200;2:7200-10800;", "0,3600,1,7200,2,10800,0", true},
        {false, "0;;1:10-20;;junk;2:30-40;", "0,10,1,20,0,30,2,40,0", true},
        {false, "0;1:10-20x;1:30-40", "0,30,1,40,0", true}, // whole tokens only
        {false, "2;1:10-20", "2,10,1,20,2", true},          // back to the base colour
        {false, "0;1:0-50", "1,50,0", true},
        {false, "0;1:50-20", "0,50,1", true},
        {false, "x;1:10-20", "2,10,1,20,2", false}, // the previous initial colour is the base
    };
    for (const auto &c : cases) {
        log->clear();
        ScheduleDay day;
        day.from_compact_text("2,500,0"); // reading replaces what was there
        EXPECT_EQ(c.ok, c.compact ? day.from_compact_text(c.text) : day.from_interval_text(c.text))
            << c.text;
        EXPECT_EQ(c.read, day.to_compact_text()) << c.text;
        const std::string what = c.compact ? "string '" : "initial color '";
        EXPECT_EQ(!c.ok,
                  log->contains("QSchedulerWidget: cannot parse " + what + c.text + "'\n", 2))
            << c.text;
    }
}

TEST_F(ScheduleDayTest, IntervalTextLosesWhatFollowsTheLastEndAndDumpWritesOneLine)
{
    ScheduleDay day;
    day.from_compact_text("1");
    EXPECT_EQ("0;", day.to_interval_text()) << "a colour without a change is lost";
    day.from_compact_text("0,10,1,20,2");
    EXPECT_EQ("0;1:10-20;", day.to_interval_text()) << "nothing after the last change";

    filled({{32400, 64800, 1}}).dump();
    ASSERT_EQ(1u, log->lines().size());
    EXPECT_EQ(1, log->lines()[0].level);
    EXPECT_EQ("day(0, 32400:1, 64800:0)\n", log->lines()[0].text);
}

TEST_F(ScheduleDayTest, RandomFillsAgreeWithASecondBySecondDayAndRoundTrip)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> second(0, 86400), colour(0, 2), count(1, 12);
    for (int run = 0; run < 200; ++run) {
        ScheduleDay day;
        std::vector<int> seconds(86400, 0);
        for (int n = count(random); n > 0; --n) {
            int from = second(random), to = second(random), c = colour(random);
            if (from > to)
                std::swap(from, to);
            if (from < to) {
                day.fill(from, to, c);
                std::fill(seconds.begin() + from, seconds.begin() + to, c);
            }
        }
        const std::string text = day.to_compact_text();
        ASSERT_TRUE(canonical(day)) << text;
        for (int t = 0; t < 86400; t += 7)
            ASSERT_EQ(seconds[t], day.colour_at(t)) << t << " in " << text;
        ScheduleDay back;
        ASSERT_TRUE(back.from_compact_text(text));
        ASSERT_EQ(day, back) << text;
        if ((day.change_count() ? day.change_colours().back() : day.initial_colour()) == 0) {
            ASSERT_TRUE(back.from_interval_text(day.to_interval_text()));
            ASSERT_EQ(day, back) << day.to_interval_text();
        }
    }
}

} // namespace
