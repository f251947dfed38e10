// The weekday × hour map: its totals are the report's weekday and hour tables, for the whole
// log and for a filtered selection; its cells are found under the pointer.
#include "graph/CalendarModel.h"
#include "graph/WeekHourLayout.h"
#include "graph/WeekHourModel.h"
#include "report/ComputeStatistics.h"
#include "support/MemoryLog.h"

#include "filter/FilterSelection.h"
#include "input/AnalysisLog.h"
#include "input/Loader.h"

#include <gtest/gtest.h>

using namespace lorvanel;
using lorvanel::testing::at;

namespace {

// The model's totals, cell sums and the calendar's days against the statistics of the same
// list.
void expectReportTables(const PostList& posts) {
    PostStatistics stats;
    AnalyzeOptions options;
    ASSERT_TRUE(computeStatistics(stats, posts, options, FixedClock(posts.back()->time)));
    const WeekHourModel m = buildWeekHour(posts);
    EXPECT_EQ(m.total, static_cast<int>(posts.size()));
    for (int w = 0; w < 7; ++w) {
        EXPECT_EQ(m.weekdayTotals[w], stats.weekdays[w].count) << w;
        int sum = 0;
        for (int h = 0; h < 24; ++h) sum += m.counts[w][h];
        EXPECT_EQ(sum, m.weekdayTotals[w]);
    }
    int largest = 0;
    for (int h = 0; h < 24; ++h) {
        EXPECT_EQ(m.hourTotals[h], stats.hours[h].count) << h;
        int sum = 0;
        for (int w = 0; w < 7; ++w) {
            sum += m.counts[w][h];
            largest = std::max(largest, m.counts[w][h]);
        }
        EXPECT_EQ(sum, m.hourTotals[h]);
    }
    EXPECT_EQ(m.largest, largest);

    const CalendarModel c = buildCalendar(posts);
    EXPECT_EQ(c.firstDay, stats.firstDayNumber);
    ASSERT_EQ(c.counts.size(), stats.days.size());
    for (std::size_t i = 0; i < c.counts.size(); ++i)
        ASSERT_EQ(c.counts[i], stats.days[i].count) << i;
}

} // namespace

TEST(WeekHourModel, TotalsAreTheReportsTablesOnTheDemoLog) {
    analysisLog().clear();
    PostLog log;
    ASSERT_TRUE(
        loadOne(log, std::string(LORVANEL_SOURCE_DIR) + "/resources/samples/demo-jane.txt", 0));
    ASSERT_GT(log.posts.size(), 1000u);
    expectReportTables(log.posts);

    // Filtered selections: by weekday and hour, and the posts that opened threads.
    for (const char* filter :
         {"week2|week5&hour18-23", "!(week1|week7)&(hour4-6|hour13-15)", "suretate"}) {
        SCOPED_TRACE(filter);
        PostList selection;
        const auto n = selectPostsWithFilter(selection, log.posts, filter);
        ASSERT_TRUE(n.has_value());
        ASSERT_GT(*n, 10u);
        ASSERT_LT(*n, log.posts.size());
        expectReportTables(selection);
    }
}

TEST(WeekHourModel, CountsEachPostAtItsLocalWeekdayAndHour) {
    PostLog log;
    // 2016/03/09 is a Wednesday.
    lorvanel::testing::fillPostLog(
        log, lorvanel::testing::postsAt({at(2016, 3, 9, 13, 0), at(2016, 3, 9, 13, 59, 59),
                                         at(2016, 3, 9, 14), at(2016, 3, 13, 0, 0, 0),
                                         at(2016, 3, 19, 23, 59, 59)}));
    const WeekHourModel m = buildWeekHour(log.posts);
    EXPECT_EQ(m.counts[3][13], 2);
    EXPECT_EQ(m.counts[3][14], 1);
    EXPECT_EQ(m.counts[0][0], 1);
    EXPECT_EQ(m.counts[6][23], 1);
    EXPECT_EQ(m.largest, 2);
    EXPECT_EQ(m.weekdayTotals[3], 3);
    EXPECT_EQ(m.hourTotals[13], 2);
    EXPECT_EQ(m.total, 5);
    EXPECT_EQ(weekHourText(3, 13), "水曜日 13時");
    EXPECT_EQ(weekHourText(0, 0), "日曜日 0時");
}

TEST(WeekHourLayout, CellsFillTheViewAndAreFoundUnderThePointer) {
    const WeekHourLayout l = layoutWeekHour(0, 0, 640, 480);
    EXPECT_EQ(l.cellLeft, WeekHourLayout::kLeftArea);
    EXPECT_EQ(l.cellWidth, (640 - 40 - 64) / 24);
    EXPECT_EQ(l.cellHeight, (480 - 56 - 30) / 7);
    EXPECT_LE(l.gridRight(), 640 - WeekHourLayout::kRightArea);
    EXPECT_LE(l.gridBottom(), 480 - WeekHourLayout::kBottomArea);
    for (int w = 0; w < 7; ++w) {
        for (int h = 0; h < 24; ++h) {
            EXPECT_EQ(l.cellAt(l.cellX(h), l.cellY(w)), (WeekHourCell{w, h}));
            EXPECT_EQ(l.cellAt(l.cellX(h) + l.cellWidth - 1, l.cellY(w) + l.cellHeight - 1),
                      (WeekHourCell{w, h}));
        }
    }
    EXPECT_EQ(l.cellAt(l.cellLeft - 1, l.cellTop), std::nullopt);
    EXPECT_EQ(l.cellAt(l.gridRight(), l.cellTop), std::nullopt);
    EXPECT_EQ(l.cellAt(l.cellLeft, l.gridBottom()), std::nullopt);
    EXPECT_EQ(l.cellAt(l.cellLeft, l.cellTop - 1), std::nullopt);
    // A tiny view keeps cells of one pixel.
    const WeekHourLayout tiny = layoutWeekHour(0, 0, 50, 50);
    EXPECT_EQ(tiny.cellWidth, 1);
    EXPECT_EQ(tiny.cellHeight, 1);
}
