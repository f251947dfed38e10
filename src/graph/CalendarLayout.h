#pragma once
// Where the posting calendar goes in a view: one strip per calendar year, newest on top, one
// column per Sunday-to-Saturday week and one row per weekday, square cells sized to the view,
// years that do not fit one above the other in further blocks side by side, and which day
// lies under a pointer.
#include "graph/CalendarModel.h"

#include <optional>
#include <vector>

namespace lorvanel {

// One year of the calendar. Column 0 is the week holding 1 January; a day's column is
// (day - weekStart) / 7 and its row its weekday (Sunday on top).
struct CalendarStrip {
    int year = 0;
    int weekStart = 0; // local day number of the Sunday that starts column 0
    int firstDay = 0;  // the strip's days: the range's days within the year
    int lastDay = 0;
    int labelTop = 0; // top of the month labels
    int cellTop = 0;  // top of the Sunday row
    int left = 0;     // left edge of the strip's block: the year label starts here
    int cellLeft = 0; // left edge of the block's first column (CalendarLayout::firstColumn)

    int columnOf(int day) const { return (day - weekStart) / 7; }
};

// "1月" ... above the week in which a month starts (for the range's first month, the week of
// the range's first day).
struct CalendarMonthLabel {
    int month = 0;
    int x = 0; // left edge of the week's column
};

struct CalendarLayout {
    // Fixed parts of the picture, in pixels from the view's edges.
    static constexpr int kTitleArea = 40;
    static constexpr int kLeftArea = 64; // year and weekday labels
    static constexpr int kRightArea = 16;
    static constexpr int kBlockGap = 16; // between blocks of years side by side
    static constexpr int kMonthRow = 14; // month labels above each strip
    static constexpr int kStripGap = 10;
    static constexpr int kLegendArea = 34; // the legend below the last strip
    static constexpr int kMinPitch = 5;    // a 4-px square and its gap
    static constexpr int kMaxPitch = 20;

    int left = 0, top = 0, right = 0, bottom = 0; // the view
    int pitch = 0;       // cell pitch: a cell is pitch - 1 pixels square with a 1-px gap
    int cellLeft = 0;    // left edge of the first block's column firstColumn
    int firstColumn = 0; // the leftmost column of any year
    int columns = 0;     // columns of a strip, from firstColumn
    int blocks = 0;      // blocks of years side by side, newest on the left
    std::vector<CalendarStrip> strips; // the years shown, newest first, block by block
    int hiddenYears = 0;               // older years that did not fit
    int legendTop = 0;

    int columnX(const CalendarStrip& s, int column) const {
        return s.cellLeft + (column - firstColumn) * pitch;
    }
    int dayX(const CalendarStrip& s, int day) const { return columnX(s, s.columnOf(day)); }
    int dayY(const CalendarStrip& s, int day) const;
    // The day in the range whose cell (gap included) holds the point, if any.
    std::optional<int> dayAt(int x, int y) const;
    std::vector<CalendarMonthLabel> monthLabels(const CalendarStrip& s) const;
};

// Lays the calendar of a non-empty model out in the view (right and bottom exclusive). The
// years are dealt newest first into one or more blocks side by side, each block a column of
// strips; the number of blocks is the one giving the largest pitch up to kMaxPitch (the
// fewest blocks among equals) at which every year fits. Only when no number of blocks gives
// kMinPitch does the pitch stay at kMinPitch with as many blocks as the width holds, and only
// the newest years that fit are shown (at least one).
CalendarLayout layoutCalendar(const CalendarModel& model, int left, int top, int right, int bottom);

} // namespace lorvanel
