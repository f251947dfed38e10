// The calendar's geometry: year strips newest first, Sunday-to-Saturday columns, cells fitted
// to the view, blocks of years side by side, and the day under a pointer.
#include "graph/CalendarLayout.h"

#include "platform/LocalTime.h"
#include "stats/CalendarText.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

using namespace lorvanel;

namespace {

CalendarModel rangeModel(int firstDay, int lastDay) {
    CalendarModel m;
    m.firstDay = firstDay;
    m.counts.assign(static_cast<std::size_t>(lastDay - firstDay + 1), 1);
    return m;
}

int day(int y, int m, int d) {
    return daysFromCivil(y, m, d);
}

// Every day of every shown strip sits in its strip's year, in its weekday's row, one column
// after the previous Saturday, inside the view when nothing was forced, and reads back as
// itself at any pixel of its cell.
void checkCells(const CalendarModel& model, const CalendarLayout& l) {
    for (const CalendarStrip& s : l.strips) {
        for (int d = s.firstDay; d <= s.lastDay; ++d) {
            int y = 0, m = 0, dd = 0;
            civilFromDays(d, y, m, dd);
            ASSERT_EQ(y, s.year);
            const int x0 = l.dayX(s, d), y0 = l.dayY(s, d);
            EXPECT_EQ(y0, s.cellTop + weekdayOfDay(d) * l.pitch);
            if (d > s.firstDay && weekdayOfDay(d) == 0) {
                EXPECT_EQ(x0, l.dayX(s, d - 1) + l.pitch);
            }
            if (d > s.firstDay && weekdayOfDay(d) != 0) {
                EXPECT_EQ(x0, l.dayX(s, d - 1));
            }
            EXPECT_EQ(l.dayAt(x0, y0), d);
            EXPECT_EQ(l.dayAt(x0 + l.pitch - 1, y0 + l.pitch - 1), d);
            if (l.hiddenYears == 0 && l.pitch > CalendarLayout::kMinPitch) {
                EXPECT_GE(x0, l.left);
                EXPECT_LE(x0 + l.pitch, l.right);
                EXPECT_GE(y0, l.top);
                EXPECT_LE(y0 + l.pitch, l.bottom - CalendarLayout::kLegendArea);
            }
        }
    }
    if (l.hiddenYears == 0 && l.pitch > CalendarLayout::kMinPitch) {
        EXPECT_LE(l.legendTop + CalendarLayout::kLegendArea, l.bottom);
    }
    // No two strips share a pixel, labels included, and every strip's cells end before the
    // next block's labels begin.
    auto box = [&](const CalendarStrip& s) {
        return std::array<int, 4>{s.left, s.labelTop, s.cellLeft + l.columns * l.pitch,
                                  s.cellTop + 7 * l.pitch};
    };
    for (std::size_t i = 0; i < l.strips.size(); ++i) {
        const auto a = box(l.strips[i]);
        EXPECT_EQ(l.strips[i].cellLeft, l.strips[i].left + CalendarLayout::kLeftArea);
        EXPECT_LE(a[3], l.legendTop);
        if (l.hiddenYears == 0 && l.pitch > CalendarLayout::kMinPitch) {
            EXPECT_LE(a[2], l.right);
        }
        for (std::size_t j = i + 1; j < l.strips.size(); ++j) {
            const auto b = box(l.strips[j]);
            const bool apart = a[2] <= b[0] || b[2] <= a[0] || a[3] <= b[1] || b[3] <= a[1];
            EXPECT_TRUE(apart) << l.strips[i].year << " and " << l.strips[j].year;
        }
    }
}

} // namespace

TEST(CalendarLayout, RangeFromASaturdayToASunday) {
    // 2016/03/05 is a Saturday, 2016/03/13 a Sunday: three columns, the first holding only the
    // Saturday, the last only the Sunday.
    const CalendarModel m = rangeModel(day(2016, 3, 5), day(2016, 3, 13));
    const CalendarLayout l = layoutCalendar(m, 0, 0, 640, 480);
    ASSERT_EQ(l.strips.size(), 1u);
    const CalendarStrip& s = l.strips[0];
    EXPECT_EQ(s.year, 2016);
    EXPECT_EQ(l.pitch, CalendarLayout::kMaxPitch);
    EXPECT_EQ(l.dayX(s, day(2016, 3, 5)), l.cellLeft);
    EXPECT_EQ(l.dayY(s, day(2016, 3, 5)), s.cellTop + 6 * l.pitch);
    EXPECT_EQ(l.dayX(s, day(2016, 3, 6)), l.cellLeft + l.pitch);
    EXPECT_EQ(l.dayY(s, day(2016, 3, 6)), s.cellTop);
    EXPECT_EQ(l.dayX(s, day(2016, 3, 13)), l.cellLeft + 2 * l.pitch);
    // Friday the 4th and Monday the 14th lie outside the range: no cell, no readout.
    EXPECT_EQ(l.dayAt(l.cellLeft + 1, s.cellTop + 5 * l.pitch + 1), std::nullopt);
    EXPECT_EQ(l.dayAt(l.cellLeft + 2 * l.pitch + 1, s.cellTop + l.pitch + 1), std::nullopt);
    EXPECT_EQ(l.dayAt(l.cellLeft - 1, s.cellTop), std::nullopt);
    EXPECT_EQ(l.dayAt(l.cellLeft, s.cellTop - 1), std::nullopt);
    // The range's first month is labelled at its first week.
    ASSERT_EQ(l.monthLabels(s).size(), 1u);
    EXPECT_EQ(l.monthLabels(s)[0].month, 3);
    EXPECT_EQ(l.monthLabels(s)[0].x, l.cellLeft);
    checkCells(m, l);
}

TEST(CalendarLayout, RangeAcrossNewYear) {
    // 2015/12/30 (Wednesday) to 2016/01/02 (Saturday): the 2016 strip on top with its first
    // week, the 2015 strip below with its last.
    const CalendarModel m = rangeModel(day(2015, 12, 30), day(2016, 1, 2));
    const CalendarLayout l = layoutCalendar(m, 0, 0, 640, 480);
    ASSERT_EQ(l.strips.size(), 2u);
    const CalendarStrip& y2016 = l.strips[0];
    const CalendarStrip& y2015 = l.strips[1];
    EXPECT_EQ(y2016.year, 2016);
    EXPECT_EQ(y2015.year, 2015);
    EXPECT_LT(y2016.cellTop + 7 * l.pitch, y2015.labelTop);
    EXPECT_EQ(y2016.firstDay, day(2016, 1, 1));
    EXPECT_EQ(y2016.lastDay, day(2016, 1, 2));
    EXPECT_EQ(y2015.firstDay, day(2015, 12, 30));
    EXPECT_EQ(y2015.lastDay, day(2015, 12, 31));
    // 1 January 2016 is in column 0 of its year, 31 December 2015 in column 52 of its own.
    EXPECT_EQ(y2016.columnOf(day(2016, 1, 1)), 0);
    EXPECT_EQ(y2015.columnOf(day(2015, 12, 31)), 52);
    // Both strips share one column origin, so the picture spans columns 0 to 52.
    EXPECT_EQ(l.firstColumn, 0);
    EXPECT_EQ(l.pitch, (640 - CalendarLayout::kLeftArea - CalendarLayout::kRightArea) / 53);
    EXPECT_EQ(l.dayAt(l.dayX(y2016, day(2016, 1, 1)), l.dayY(y2016, day(2016, 1, 1))),
              day(2016, 1, 1));
    // Thursday 31 December sits in the 2015 strip only; the 2016 strip's Thursday of that
    // week is not drawn.
    EXPECT_EQ(l.dayAt(l.columnX(y2016, 0) + 1, y2016.cellTop + 4 * l.pitch + 1), std::nullopt);
    EXPECT_EQ(l.dayAt(l.columnX(y2015, 52) + 1, y2015.cellTop + 4 * l.pitch + 1),
              day(2015, 12, 31));
    EXPECT_EQ(l.monthLabels(y2016).size(), 1u);
    EXPECT_EQ(l.monthLabels(y2015)[0].month, 12);
    checkCells(m, l);
}

TEST(CalendarLayout, CellsShrinkThenOlderYearsAreLeftOut) {
    // Two whole years fit at a pitch set by the width.
    CalendarModel two = rangeModel(day(2014, 1, 1), day(2015, 12, 31));
    CalendarLayout l = layoutCalendar(two, 0, 0, 640, 480);
    EXPECT_EQ(l.hiddenYears, 0);
    EXPECT_EQ(l.pitch, (640 - 80) / 53); // both years end in column 52
    checkCells(two, l);

    // Ten years: the height allows 406 / (24 + 35) = 6 strips of 4-px cells.
    CalendarModel ten = rangeModel(day(2007, 6, 1), day(2016, 2, 1));
    l = layoutCalendar(ten, 0, 0, 640, 480);
    EXPECT_EQ(l.pitch, CalendarLayout::kMinPitch);
    ASSERT_EQ(l.strips.size(), 6u);
    EXPECT_EQ(l.hiddenYears, 4);
    EXPECT_EQ(l.strips.front().year, 2016);
    EXPECT_EQ(l.strips.back().year, 2011);
    checkCells(ten, l);

    // A view too small for even one strip still shows the newest year.
    l = layoutCalendar(ten, 0, 0, 100, 60);
    EXPECT_EQ(l.strips.size(), 1u);
    EXPECT_EQ(l.hiddenYears, 9);
}

TEST(CalendarLayout, YearsThatDoNotFitOneAboveTheOtherGoSideBySide) {
    // Sixteen years in a view of a 1400 x 950 window: two blocks of eight years, newest first
    // down the left block, none left out, cells larger than the smallest.
    const CalendarModel m = rangeModel(day(2009, 4, 1), day(2024, 11, 30));
    CalendarLayout l = layoutCalendar(m, 0, 0, 1180, 800);
    EXPECT_EQ(l.hiddenYears, 0);
    ASSERT_EQ(l.strips.size(), 16u);
    EXPECT_EQ(l.blocks, 2);
    EXPECT_GT(l.pitch, CalendarLayout::kMinPitch);
    EXPECT_EQ(l.strips[0].year, 2024);
    EXPECT_EQ(l.strips[7].year, 2017);
    EXPECT_EQ(l.strips[8].year, 2016);
    EXPECT_EQ(l.strips[8].labelTop, l.strips[0].labelTop);
    EXPECT_GT(l.strips[8].left, l.strips[0].cellLeft + 53 * l.pitch);
    // The blocks use most of the width.
    EXPECT_GT(l.strips[8].cellLeft + 53 * l.pitch, 1180 * 3 / 4);
    checkCells(m, l);
    // The whole window's size too.
    l = layoutCalendar(m, 0, 0, 1400, 950);
    EXPECT_EQ(l.hiddenYears, 0);
    EXPECT_GT(l.pitch, CalendarLayout::kMinPitch);
    checkCells(m, l);

    // A single year keeps one block, however wide the view.
    const CalendarModel one = rangeModel(day(2020, 1, 1), day(2020, 12, 31));
    l = layoutCalendar(one, 0, 0, 3000, 400);
    EXPECT_EQ(l.blocks, 1);
    EXPECT_EQ(l.pitch, CalendarLayout::kMaxPitch);
    checkCells(one, l);
}

TEST(CalendarLayout, RandomRangesAndViews) {
    std::mt19937 rng(3);
    for (int round = 0; round < 200; ++round) {
        const int first = day(2000, 1, 1) + static_cast<int>(rng() % 8000);
        const int last = first + static_cast<int>(rng() % (rng() % 2 ? 40 : 4000));
        const CalendarModel m = rangeModel(first, last);
        const int left = static_cast<int>(rng() % 50), top = static_cast<int>(rng() % 50);
        const int w = 100 + static_cast<int>(rng() % 1500), h = 80 + static_cast<int>(rng() % 1200);
        const CalendarLayout l = layoutCalendar(m, left, top, left + w, top + h);
        SCOPED_TRACE(::testing::Message()
                     << dayText(first) << " " << dayText(last) << " " << w << "x" << h);
        ASSERT_FALSE(l.strips.empty());
        EXPECT_GE(l.pitch, CalendarLayout::kMinPitch);
        EXPECT_LE(l.pitch, CalendarLayout::kMaxPitch);
        int y = 0, mo = 0, d = 0;
        civilFromDays(last, y, mo, d);
        EXPECT_EQ(l.strips.front().year, y);
        civilFromDays(first, y, mo, d);
        EXPECT_EQ(l.strips.back().year - l.hiddenYears, y); // the oldest shown, less those left out
        if (l.hiddenYears > 0) {
            EXPECT_EQ(l.pitch, CalendarLayout::kMinPitch);
        }
        checkCells(m, l);
    }
}
