#include "report/ComputeStatistics.h"
#include "support/MemoryLog.h"

#include "platform/LocalTime.h"

#include <gtest/gtest.h>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::fillPostLog;
using lorvanel::testing::postsAt;

namespace {

class TimeStatisticsTest : public ::testing::Test {
protected:
    // Runs the statistics over posts at the given times, "now" being the given time.
    const PostStatistics& run(const std::vector<Time32>& times, Time32 now = 0) {
        fillPostLog(log, postsAt(times));
        EXPECT_EQ(log.posts.size(), times.size());
        FixedClock clock(now ? now : times.back());
        EXPECT_TRUE(computeStatistics(stats, log.posts, options, clock));
        return stats;
    }
    std::vector<int> dayCounts() const {
        std::vector<int> v;
        for (const KeyCount& d : stats.days) v.push_back(d.count);
        return v;
    }
    std::vector<std::pair<int, int>> runs(const std::vector<DayRun>& r) const {
        std::vector<std::pair<int, int>> v;
        for (const DayRun& d : r) v.push_back({toLocalTime(d.firstDay).day, d.length});
        return v;
    }

    PostLog log;
    PostStatistics stats;
    AnalyzeOptions options;
};

} // namespace

TEST_F(TimeStatisticsTest, OnePost) {
    run({at(2008, 3, 4, 23, 59, 59)});
    EXPECT_EQ(stats.daysInPeriod, 1);
    EXPECT_EQ(stats.postingDays, 1);
    ASSERT_EQ(stats.days.size(), 1u);
    EXPECT_EQ(stats.hours[23].count, 1);
    EXPECT_EQ(stats.weekdays[2].count, 1); // a Tuesday
    EXPECT_EQ(stats.weekdays[2].text, "火");
    EXPECT_EQ(runs(stats.postingRuns), (std::vector<std::pair<int, int>>{{4, 1}}));
    EXPECT_TRUE(stats.silentRuns.empty());
    ASSERT_EQ(stats.busiestHours.size(), 1u);
    EXPECT_EQ(stats.busiestHours[0], (TimeCount{at(2008, 3, 4, 23, 59, 59), 1}));
    EXPECT_EQ(stats.months.size(), 12u);
    EXPECT_EQ(stats.months[2].count, 1);
    ASSERT_EQ(stats.years.size(), 1u);
    EXPECT_EQ(stats.years[0].count, 1);
}

TEST_F(TimeStatisticsTest, DaysAreCalendarDaysNotElapsedSeconds) {
    // 23:59 and 00:01 are two minutes apart but on two dates; 00:00 and 23:59 of one day
    // are one date.
    run({at(2008, 1, 1, 23, 59), at(2008, 1, 2, 0, 1), at(2008, 1, 3, 0, 0),
         at(2008, 1, 3, 23, 59, 59)});
    EXPECT_EQ(stats.daysInPeriod, 3);
    EXPECT_EQ(dayCounts(), (std::vector<int>{1, 1, 2}));
    for (int k = 0; k < 3; ++k) EXPECT_EQ(stats.days[k].key, k);
}

TEST_F(TimeStatisticsTest, PostingAndSilentRuns) {
    // Days 1, 2 and 5 of a period.
    run({at(2008, 6, 1), at(2008, 6, 2), at(2008, 6, 5)});
    EXPECT_EQ(dayCounts(), (std::vector<int>{1, 1, 0, 0, 1}));
    EXPECT_EQ(stats.postingDays, 3);
    EXPECT_EQ(runs(stats.postingRuns), (std::vector<std::pair<int, int>>{{1, 2}, {5, 1}}));
    EXPECT_EQ(runs(stats.silentRuns), (std::vector<std::pair<int, int>>{{3, 2}}));
}

TEST_F(TimeStatisticsTest, EqualRunsEarlierFirstAndAtMostTen) {
    // Posting days 1,3,5,...,29 (15 one-day runs) plus 40-41 (a two-day run at the end).
    std::vector<Time32> times;
    for (int d = 1; d <= 29; d += 2) times.push_back(at(2008, 7, d));
    times.push_back(at(2008, 8, 9));
    times.push_back(at(2008, 8, 10));
    run(times);
    ASSERT_EQ(stats.postingRuns.size(), 10u);
    EXPECT_EQ(runs(stats.postingRuns)[0], (std::pair<int, int>{9, 2}));
    for (std::size_t i = 1; i < 10; ++i)
        EXPECT_EQ(runs(stats.postingRuns)[i],
                  (std::pair<int, int>{static_cast<int>(2 * i - 1), 1}));
    // Silent: 14 one-day gaps in July and the ten days 30 July .. 8 August.
    ASSERT_EQ(stats.silentRuns.size(), 10u);
    EXPECT_EQ(runs(stats.silentRuns)[0], (std::pair<int, int>{30, 10}));
    EXPECT_EQ(runs(stats.silentRuns)[1], (std::pair<int, int>{2, 1}));
    EXPECT_EQ(runs(stats.silentRuns)[9], (std::pair<int, int>{18, 1}));
}

TEST_F(TimeStatisticsTest, BusiestHoursTiesKeepTheEarlierHourAndAnEleventhTieStaysOut) {
    // Twelve calendar hours of 2 posts each, one of 3 in the middle, one of 1.
    std::vector<Time32> times;
    for (int h = 0; h < 12; ++h) {
        times.push_back(at(2008, 1, 1, h, 0));
        times.push_back(at(2008, 1, 1, h, 30));
        if (h == 6) times.push_back(at(2008, 1, 1, h, 45));
    }
    times.push_back(at(2008, 1, 2, 5, 0));
    run(times);
    ASSERT_EQ(stats.busiestHours.size(), 10u);
    EXPECT_EQ(stats.busiestHours[0], (TimeCount{at(2008, 1, 1, 6, 45), 3}));
    // Then hours 0..5 and 7..9 with two posts; hours 10 and 11 tie with the tenth and stay out.
    const int expected[] = {0, 1, 2, 3, 4, 5, 7, 8, 9};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(stats.busiestHours[i + 1], (TimeCount{at(2008, 1, 1, expected[i], 30), 2}));
}

TEST_F(TimeStatisticsTest, SameHourOfDifferentDaysAreDifferentCalendarHours) {
    run({at(2008, 1, 1, 10, 0), at(2008, 1, 2, 10, 0), at(2008, 1, 2, 10, 5)});
    ASSERT_EQ(stats.busiestHours.size(), 2u);
    EXPECT_EQ(stats.busiestHours[0], (TimeCount{at(2008, 1, 2, 10, 5), 2}));
    EXPECT_EQ(stats.busiestHours[1], (TimeCount{at(2008, 1, 1, 10, 0), 1}));
}

TEST_F(TimeStatisticsTest, MonthlyTableCoversWholeYears) {
    // May 2007 to March 2008, nothing in August 2007.
    run({at(2007, 5, 10), at(2007, 6, 1), at(2007, 7, 31, 23), at(2007, 9, 1, 0),
         at(2007, 12, 31, 23, 59), at(2008, 1, 1, 0, 0), at(2008, 3, 1)});
    ASSERT_EQ(stats.months.size(), 24u);
    std::vector<int> counts;
    for (const KeyCount& m : stats.months) counts.push_back(m.count);
    EXPECT_EQ(counts, (std::vector<int>{0, 0, 0, 0, 1, 1, 1, 0, 1, 0, 0, 1,
                                        1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(stats.months[23].key, 23);
    ASSERT_EQ(stats.years.size(), 2u);
    EXPECT_EQ(stats.years[0], (KeyCount{0, 5}));
    EXPECT_EQ(stats.years[1], (KeyCount{1, 2}));
    EXPECT_EQ(stats.daysInPeriod, 22 + 30 + 31 + 31 + 30 + 31 + 30 + 31 + 31 + 29 + 1);
}

TEST_F(TimeStatisticsTest, RecentCountsAgainstTheClock) {
    // Wednesday 2008-01-16 is "now". Posts: Sunday 6th (last week), Saturday 12th (last
    // week), Sunday 13th (this week), Tuesday 15th (yesterday), twice on the 16th (today).
    const std::vector<Time32> times = {at(2007, 12, 31),  at(2008, 1, 6),  at(2008, 1, 12),
                                       at(2008, 1, 13),   at(2008, 1, 15), at(2008, 1, 16, 1),
                                       at(2008, 1, 16, 2)};
    run(times, at(2008, 1, 16, 18));
    EXPECT_EQ(stats.today, 2);
    EXPECT_EQ(stats.yesterday, 1);
    EXPECT_EQ(stats.thisWeek, 4);
    EXPECT_EQ(stats.lastWeek, 2);
    EXPECT_EQ(stats.thisMonth, 6);

    // Later on: the list ends before yesterday, so today and yesterday are 0; the week of
    // Sunday 20th starts after the table.
    run(times, at(2008, 1, 21, 9));
    EXPECT_EQ(stats.today, 0);
    EXPECT_EQ(stats.yesterday, 0);
    EXPECT_EQ(stats.thisWeek, 0);
    EXPECT_EQ(stats.lastWeek, 4);
    EXPECT_EQ(stats.thisMonth, 6);

    // A month whose first day lies before the first post still counts the days it holds.
    run({at(2008, 2, 20), at(2008, 2, 29)}, at(2008, 2, 29, 20));
    EXPECT_EQ(stats.thisMonth, 2);
    EXPECT_EQ(stats.today, 1);
    // The week of Sunday 24 February holds the 29th only; the week before, the 20th.
    EXPECT_EQ(stats.thisWeek, 1);
    EXPECT_EQ(stats.lastWeek, 1);

    // "Now" before the first post: nothing is recent.
    run({at(2008, 2, 20), at(2008, 2, 29)}, at(2008, 1, 1));
    EXPECT_EQ(stats.today + stats.yesterday + stats.thisWeek + stats.lastWeek + stats.thisMonth, 0);
}

TEST_F(TimeStatisticsTest, ADecemberEnd) {
    run({at(2008, 11, 30), at(2008, 12, 31, 23, 59, 59)}, at(2009, 1, 1, 0, 0, 30));
    EXPECT_EQ(stats.months.size(), 12u);
    EXPECT_EQ(stats.months[11].count, 1);
    EXPECT_EQ(stats.daysInPeriod, 32);
    EXPECT_EQ(stats.today, 0);
    EXPECT_EQ(stats.yesterday, 1);
    // Sunday 28 December 2008 starts the week of New Year's Day.
    EXPECT_EQ(stats.thisWeek, 1);
    EXPECT_EQ(stats.thisMonth, 0);
}

TEST_F(TimeStatisticsTest, ALeapDayAndAYearBoundaryCountAsCalendarDays) {
    run({at(2007, 12, 31, 22), at(2008, 2, 29, 1), at(2008, 3, 1, 23)});
    EXPECT_EQ(stats.daysInPeriod, 1 + 31 + 29 + 1);
    EXPECT_EQ(stats.days[60].count, 1); // 29 February
    EXPECT_EQ(stats.days[61].count, 1);
    EXPECT_EQ(stats.months.size(), 24u);
}
