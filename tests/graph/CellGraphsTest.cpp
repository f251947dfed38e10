// Graph kinds 3 and 4 drawn onto a recording surface: every day or hour cell where the layout
// puts it in the colour of its count, the labels, the legend, the readouts and the --series
// texts.
#include "graph/CalendarGraph.h"
#include "graph/ChartPainter.h"
#include "graph/DensityMap.h"
#include "graph/GraphKinds.h"
#include "graph/RecordingSurface.h"
#include "graph/WeekHourGraph.h"
#include "support/MemoryLog.h"

#include "platform/LocalTime.h"
#include "stats/CalendarText.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::fillPostLog;
using lorvanel::testing::postsAt;

namespace {

using lorvanel::testing::RecordingSurface;
using lorvanel::testing::SurfaceCall;

SurfaceRect rectOf(const SurfaceCall& c) {
    return {c.x1, c.y1, c.x2, c.y2};
}

// Posts at the given local times, in a log that outlives the kind's use of it.
struct Selection {
    PostLog log;
    explicit Selection(const std::vector<Time32>& times) { fillPostLog(log, postsAt(times)); }
    const PostList* posts() const { return &log.posts; }
};

int day(int y, int m, int d) {
    return daysFromCivil(y, m, d);
}

} // namespace

TEST(CalendarGraph, DrawsEveryDayOfTheRangeInItsLevelColour) {
    // 2015/12/30 (Wednesday) to 2016/01/02 (Saturday): 3, 0, 1, 6 posts.
    Selection sel({at(2015, 12, 30, 9), at(2015, 12, 30, 10), at(2015, 12, 30, 11),
                   at(2016, 1, 1, 0, 0, 5), at(2016, 1, 2, 1), at(2016, 1, 2, 2), at(2016, 1, 2, 3),
                   at(2016, 1, 2, 4), at(2016, 1, 2, 5), at(2016, 1, 2, 23, 59, 59)});
    ChartPainter painter;
    CalendarGraph kind(painter, nullptr);
    kind.attach(sel.posts());
    RecordingSurface s;
    painter.begin(s, {0, 0, 640, 480});
    kind.draw();

    const CalendarModel model = buildCalendar(*sel.posts());
    // Non-zero counts 1, 3, 6: the quartile positions 0, 1, 2 give 1, 3, 6 and the repeated 1
    // becomes 2.
    EXPECT_EQ(model.bounds, (CalendarLevelBounds{1, 2, 3, 6}));
    const CalendarLayout layout = layoutCalendar(model, 0, 0, 640, 480);
    ASSERT_EQ(layout.strips.size(), 2u);

    // One cell per day, none for the days of the two weeks outside the range.
    std::map<std::pair<int, int>, Rgb> cells;
    for (const SurfaceCall& f : s.of(SurfaceCall::Op::Fill)) {
        if (rectOf(f).width() == layout.pitch - 1 && rectOf(f).height() == layout.pitch - 1)
            cells[{f.x1, f.y1}] = f.colour;
    }
    ASSERT_EQ(cells.size(), 4u);
    const int expectedLevel[4] = {3, 0, 1, 4}; // 3 posts, none, 1, 6
    for (int d = day(2015, 12, 30); d <= day(2016, 1, 2); ++d) {
        const CalendarStrip& strip = layout.strips[d >= day(2016, 1, 1) ? 0 : 1];
        const auto it = cells.find({layout.dayX(strip, d), layout.dayY(strip, d)});
        ASSERT_NE(it, cells.end()) << dayText(d);
        EXPECT_EQ(it->second, CalendarGraph::levelColour(expectedLevel[d - day(2015, 12, 30)]))
            << dayText(d);
    }

    // Title on top in the title font, the years at the left, newest above.
    const SurfaceCall* title = s.textCall("書き込みカレンダー");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->font, ChartPainter::titleFont());
    EXPECT_EQ(painter.title(), "書き込みカレンダー");
    EXPECT_EQ(title->y1, 16);
    EXPECT_EQ(title->x1, (640 - 18 * 6) / 2);
    const SurfaceCall* y2016 = s.textCall("2016");
    const SurfaceCall* y2015 = s.textCall("2015");
    ASSERT_TRUE(y2016 && y2015);
    EXPECT_LT(y2016->y1, y2015->y1);
    EXPECT_LT(y2016->x1, layout.cellLeft);
    // Month labels; rows of 10 px are lower than the text, so every second weekday is named.
    EXPECT_EQ(layout.pitch, 10);
    EXPECT_NE(s.textCall("1月"), nullptr);
    EXPECT_NE(s.textCall("12月"), nullptr);
    for (int w = 0; w < 7; ++w) EXPECT_EQ(s.textCall(weekdayName(w)) != nullptr, w % 2 == 0) << w;
    // The legend: its ends and the lowest count of each level, left to right.
    const SurfaceCall* few = s.textCall("少");
    const SurfaceCall* many = s.textCall("多");
    ASSERT_TRUE(few && many);
    int previousX = few->x1;
    for (const char* bound : {"1", "2", "3", "6"}) {
        const SurfaceCall* t = s.textCall(bound);
        ASSERT_NE(t, nullptr) << bound;
        EXPECT_GT(t->x1, previousX);
        EXPECT_GE(t->y1, layout.legendTop);
        previousX = t->x1;
    }
    EXPECT_GT(many->x1, previousX);
    EXPECT_EQ(s.textCall("(古い1年分は表示しきれません)"), nullptr);

    // The readout of a day of the range, none for a drawn-out day or outside the strips.
    const CalendarStrip& top = layout.strips[0];
    const int x = layout.dayX(top, day(2016, 1, 2)) + 1, y = layout.dayY(top, day(2016, 1, 2)) + 1;
    const std::optional<GraphReadout> r = kind.readout(x, y);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->x, "2016/01/02(土)");
    EXPECT_EQ(r->y, "6回");
    const std::optional<GraphReadout> empty =
        kind.readout(layout.dayX(layout.strips[1], day(2015, 12, 31)) + 1,
                     layout.dayY(layout.strips[1], day(2015, 12, 31)) + 1);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->y, "0回");
    EXPECT_FALSE(kind.readout(layout.dayX(top, day(2016, 1, 2)) + layout.pitch + 1, y));
    EXPECT_FALSE(kind.readout(5, 5));
}

TEST(CalendarGraph, LeavesOutOlderYearsAndSaysSo) {
    Selection sel({at(2007, 6, 1), at(2012, 3, 3), at(2016, 2, 1)});
    ChartPainter painter;
    CalendarGraph kind(painter, nullptr);
    kind.attach(sel.posts());
    RecordingSurface s;
    painter.begin(s, {0, 0, 640, 480});
    kind.draw();
    EXPECT_NE(s.textCall("(古い4年分は表示しきれません)"), nullptr);
    EXPECT_NE(s.textCall("2011"), nullptr);
    EXPECT_EQ(s.textCall("2010"), nullptr);
    // Small cells: only every third weekday is named.
    EXPECT_NE(s.textCall("日"), nullptr);
    EXPECT_EQ(s.textCall("月"), nullptr);
    EXPECT_NE(s.textCall("水"), nullptr);
}

TEST(CalendarGraph, EmptySelectionDrawsNothing) {
    PostList none;
    ChartPainter painter;
    CalendarGraph kind(painter, nullptr);
    kind.attach(&none);
    RecordingSurface s;
    painter.begin(s, {0, 0, 640, 480});
    kind.draw();
    EXPECT_TRUE(s.calls.empty());
    EXPECT_EQ(painter.title(), "");
    EXPECT_FALSE(kind.readout(100, 100));
    EXPECT_EQ(kind.seriesText(640, 480), "blank\n");
    kind.attach(nullptr);
    EXPECT_EQ(kind.seriesText(640, 480), "blank\n");
}

TEST(CalendarGraph, SeriesText) {
    // Saturday 2016/03/05 to Monday 2016/03/07: 2, 0 and 1 posts.
    Selection sel({at(2016, 3, 5, 0, 0, 0), at(2016, 3, 5, 23), at(2016, 3, 7, 8)});
    ChartPainter painter;
    CalendarGraph kind(painter, nullptr);
    kind.attach(sel.posts());
    EXPECT_EQ(kind.seriesText(640, 480), "title\t書き込みカレンダー\n"
                                         "day\t2016/03/05\t2\t2\n"
                                         "day\t2016/03/06\t0\t0\n"
                                         "day\t2016/03/07\t1\t1\n"
                                         "legend\t1\t2\t3\t4\n");
}

TEST(WeekHourGraph, DrawsTheCellsOnTheDensityPaletteWithTheTotals) {
    // Wednesday 2016/03/09 13:xx twice, 14:00 once; Sunday 0:00; Saturday 23:59.
    Selection sel({at(2016, 3, 9, 13, 0), at(2016, 3, 9, 13, 30), at(2016, 3, 9, 14),
                   at(2016, 3, 13, 0, 0, 0), at(2016, 3, 19, 23, 59)});
    ChartPainter painter;
    WeekHourGraph kind(painter, nullptr);
    kind.attach(sel.posts());
    RecordingSurface s;
    painter.begin(s, {0, 0, 640, 480});
    kind.draw();

    const WeekHourLayout l = layoutWeekHour(0, 0, 640, 480);
    std::map<std::pair<int, int>, Rgb> cells;
    for (const SurfaceCall& f : s.of(SurfaceCall::Op::Fill)) {
        EXPECT_EQ(rectOf(f).width(), l.cellWidth - 1);
        EXPECT_EQ(rectOf(f).height(), l.cellHeight - 1);
        cells[{f.x1, f.y1}] = f.colour;
    }
    ASSERT_EQ(cells.size(), 168u);
    EXPECT_EQ((cells[{l.cellX(13), l.cellY(3)}]), DensityMap::paletteColour(19));
    EXPECT_EQ((cells[{l.cellX(14), l.cellY(3)}]), DensityMap::paletteColour(9)); // 19 / 2
    EXPECT_EQ((cells[{l.cellX(0), l.cellY(0)}]), DensityMap::paletteColour(9));
    EXPECT_EQ((cells[{l.cellX(12), l.cellY(3)}]), DensityMap::paletteColour(0));

    ASSERT_NE(s.textCall("曜日・時間帯の分布"), nullptr);
    EXPECT_EQ(painter.title(), "曜日・時間帯の分布");
    // Weekday names at the left of their rows, totals at the right: 水 has 3 posts.
    const SurfaceCall* wed = s.textCall("水");
    ASSERT_NE(wed, nullptr);
    EXPECT_LT(wed->x1, l.cellLeft);
    std::vector<std::string> rightTotals;
    for (const SurfaceCall& t : s.of(SurfaceCall::Op::Text)) {
        if (t.x1 >= l.gridRight()) rightTotals.push_back(t.text);
        if (t.x1 >= l.gridRight() && t.y1 == wed->y1) {
            EXPECT_EQ(t.text, "3");
        }
    }
    EXPECT_EQ(rightTotals, (std::vector<std::string>{"1", "0", "0", "3", "0", "0", "1"}));
    // Hour numbers above, hour totals below: the 13 o'clock column holds 2.
    const SurfaceCall* h23 = s.textCall("23");
    ASSERT_NE(h23, nullptr);
    EXPECT_LT(h23->y1, l.cellTop);
    int totalsBelow = 0;
    for (const SurfaceCall& t : s.of(SurfaceCall::Op::Text)) {
        if (t.y1 < l.gridBottom()) continue;
        ++totalsBelow;
        const int column =
            (t.x1 + 6 * static_cast<int>(t.text.size()) / 2 - l.cellLeft) / l.cellWidth;
        const int expected = column == 13 ? 2 : column == 14 || column == 0 || column == 23 ? 1 : 0;
        EXPECT_EQ(t.text, std::to_string(expected)) << column;
    }
    EXPECT_EQ(totalsBelow, 24);

    const std::optional<GraphReadout> r = kind.readout(l.cellX(13) + 2, l.cellY(3) + 2);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->x, "水曜日 13時");
    EXPECT_EQ(r->y, "2回");
    // Beside the grid the weekday's name and total read the weekday, beyond them nothing.
    const std::optional<GraphReadout> sunday = kind.readout(l.cellLeft - 2, l.cellTop + 2);
    ASSERT_TRUE(sunday);
    EXPECT_EQ(sunday->x, "日曜日");
    EXPECT_FALSE(kind.readout(l.cellLeft - WeekHourLayout::kLeftArea - 1, l.cellTop + 2));

    std::string series = kind.seriesText(640, 480);
    EXPECT_EQ(series.substr(0, series.find('\n') + 1), "title\t曜日・時間帯の分布\n");
    EXPECT_EQ(std::count(series.begin(), series.end(), '\n'), 169);
    EXPECT_NE(series.find("\ncell\t1\t0\t1\ncell\t1\t1\t0\n"), std::string::npos);
    EXPECT_NE(series.find("\ncell\t4\t13\t2\ncell\t4\t14\t1\n"), std::string::npos);
    EXPECT_EQ(series.substr(series.size() - 12), "cell\t7\t23\t1\n");

    PostList none;
    kind.attach(&none);
    RecordingSurface blank;
    painter.begin(blank, {0, 0, 640, 480});
    kind.draw();
    EXPECT_TRUE(blank.calls.empty());
    EXPECT_EQ(painter.title(), "");
    EXPECT_EQ(kind.seriesText(640, 480), "blank\n");
}

TEST(WeekHourGraph, PaletteIndexIsScaledToTheLargestCell) {
    EXPECT_EQ(WeekHourGraph::paletteIndex(0, 10), 0);
    EXPECT_EQ(WeekHourGraph::paletteIndex(10, 10), 19);
    EXPECT_EQ(WeekHourGraph::paletteIndex(9, 10), 17);
    EXPECT_EQ(WeekHourGraph::paletteIndex(1, 19), 1);
    EXPECT_EQ(WeekHourGraph::paletteIndex(1, 20), 0);
    // Large logs: no overflow on the way.
    EXPECT_EQ(WeekHourGraph::paletteIndex(2000000000, 2000000000), 19);
}

TEST(GraphKinds, CalendarAndWeekHourFollowTheThreeKinds) {
    EXPECT_EQ(graphKindCount(), 5);
    EXPECT_EQ(graphKindTitle(3), "書き込みカレンダー");
    EXPECT_EQ(graphKindTitle(4), "曜日・時間帯の分布");
    ChartPainter painter;
    EXPECT_EQ(createGraphKind(3, painter, nullptr)->title(), "書き込みカレンダー");
    EXPECT_EQ(createGraphKind(4, painter, nullptr)->title(), "曜日・時間帯の分布");
    EXPECT_EQ(createGraphKind(5, painter, nullptr), nullptr);
}
