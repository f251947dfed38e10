// The posting calendar's counts and levels: days counted as the report counts them, and four
// levels whose bounds always name distinct counts.
#include "graph/CalendarModel.h"
#include "report/ComputeStatistics.h"
#include "support/MemoryLog.h"

#include "platform/LocalTime.h"

#include <gtest/gtest.h>
#include <random>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::fillPostLog;
using lorvanel::testing::postsAt;

namespace {

std::vector<int> levelsOf(const std::vector<int>& counts) {
    const CalendarLevelBounds b = calendarLevelBounds(counts);
    std::vector<int> levels;
    for (int c : counts) levels.push_back(calendarLevel(c, b));
    return levels;
}

} // namespace

TEST(CalendarLevels, QuartilesOfTheNonZeroCounts) {
    // Eight distinct counts, zero days among them: two days per level, zeros ignored.
    const std::vector<int> counts{0, 1, 2, 0, 3, 4, 5, 6, 0, 7, 8};
    EXPECT_EQ(calendarLevelBounds(counts), (CalendarLevelBounds{1, 3, 5, 7}));
    EXPECT_EQ(levelsOf(counts), (std::vector<int>{0, 1, 1, 0, 2, 2, 3, 3, 0, 4, 4}));
    // Repeated counts: the lower quartile repeats the smallest count and the median the one
    // below it, so both move up by one.
    EXPECT_EQ(calendarLevelBounds({1, 1, 1, 2, 2, 9, 9, 30}), (CalendarLevelBounds{1, 2, 3, 9}));
}

TEST(CalendarLevels, AllDaysEqual) {
    // Every quartile is 5: the levels above start one count apart, every day is level 1.
    const std::vector<int> counts{5, 5, 0, 5, 5, 5};
    EXPECT_EQ(calendarLevelBounds(counts), (CalendarLevelBounds{5, 6, 7, 8}));
    EXPECT_EQ(levelsOf(counts), (std::vector<int>{1, 1, 0, 1, 1, 1}));
}

TEST(CalendarLevels, OneBusyDay) {
    const std::vector<int> counts{1, 1, 1, 1, 1, 1, 1, 40};
    EXPECT_EQ(calendarLevelBounds(counts), (CalendarLevelBounds{1, 2, 3, 4}));
    EXPECT_EQ(levelsOf(counts), (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 4}));
    // A single posting day.
    EXPECT_EQ(calendarLevelBounds({0, 0, 12, 0}), (CalendarLevelBounds{12, 13, 14, 15}));
}

TEST(CalendarLevels, FewerThanFourDistinctCounts) {
    // Counts 2 and 5 only: 2 is level 1; 5 is the third quartile and gets level 4, and the
    // levels between stand for 3 and 4.
    const std::vector<int> counts{2, 5, 2, 5, 0, 0, 2};
    EXPECT_EQ(calendarLevelBounds(counts), (CalendarLevelBounds{2, 3, 4, 5}));
    EXPECT_EQ(levelsOf(counts), (std::vector<int>{1, 4, 1, 4, 0, 0, 1}));
    // Three distinct counts, the middle one the most common.
    EXPECT_EQ(calendarLevelBounds({1, 3, 3, 3, 3, 3, 3, 8}), (CalendarLevelBounds{1, 3, 4, 5}));
    // No posts at all.
    EXPECT_EQ(calendarLevelBounds({0, 0}), (CalendarLevelBounds{1, 2, 3, 4}));
}

TEST(CalendarLevels, BoundsAlwaysNameDistinctCountsInOrder) {
    std::mt19937 rng(16);
    for (int round = 0; round < 500; ++round) {
        std::vector<int> counts(1 + rng() % 60);
        const int spread = 1 + static_cast<int>(rng() % 12);
        for (int& c : counts) c = rng() % 3 == 0 ? 0 : static_cast<int>(rng() % spread);
        const CalendarLevelBounds b = calendarLevelBounds(counts);
        int smallest = 0;
        for (int c : counts)
            if (c > 0 && (smallest == 0 || c < smallest)) smallest = c;
        if (smallest > 0) {
            EXPECT_EQ(b[0], smallest);
        }
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(calendarLevel(b[k], b), k + 1);
            if (k > 0) {
                EXPECT_GT(b[k], b[k - 1]);
                EXPECT_EQ(calendarLevel(b[k] - 1, b), k);
            }
        }
        EXPECT_EQ(calendarLevel(0, b), 0);
    }
}

TEST(CalendarModel, DaysOfTheRangeCountedLikeTheReport) {
    PostLog log;
    // A Saturday to a Sunday eight days later, days without posts between.
    fillPostLog(log,
                postsAt({at(2016, 3, 5, 0, 0, 1), at(2016, 3, 5, 23, 59, 59), at(2016, 3, 8, 12),
                         at(2016, 3, 8, 13), at(2016, 3, 8, 14), at(2016, 3, 13, 23, 59, 59)}));
    const CalendarModel m = buildCalendar(log.posts);
    EXPECT_EQ(m.firstDay, daysFromCivil(2016, 3, 5));
    EXPECT_EQ(m.lastDay(), daysFromCivil(2016, 3, 13));
    EXPECT_EQ(m.counts, (std::vector<int>{2, 0, 0, 3, 0, 0, 0, 0, 1}));
    EXPECT_EQ(m.countOn(daysFromCivil(2016, 3, 4)), 0);
    EXPECT_EQ(m.countOn(daysFromCivil(2016, 3, 8)), 3);

    PostStatistics stats;
    AnalyzeOptions options;
    ASSERT_TRUE(computeStatistics(stats, log.posts, options, FixedClock(at(2016, 3, 14))));
    ASSERT_EQ(stats.days.size(), m.counts.size());
    EXPECT_EQ(stats.firstDayNumber, m.firstDay);
    for (std::size_t i = 0; i < m.counts.size(); ++i) EXPECT_EQ(stats.days[i].count, m.counts[i]);

    EXPECT_TRUE(buildCalendar(PostList()).empty());
}

TEST(CalendarModel, ReadoutTexts) {
    EXPECT_EQ(calendarDayText(daysFromCivil(2016, 3, 5)), "2016/03/05(土)");
    EXPECT_EQ(calendarDayText(daysFromCivil(2016, 1, 1)), "2016/01/01(金)");
    EXPECT_EQ(postCountText(12), "12回");
    EXPECT_EQ(postCountText(0), "0回");
}
