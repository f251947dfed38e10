#pragma once
// Where the weekday × hour map goes in a view: 7 rows (Sunday on top) of 24 hour cells
// stretched to fill it, the weekday totals at the right, the hour totals below, and which
// cell lies under a pointer.
#include <optional>

namespace lorvanel {

struct WeekHourCell {
    int weekday = 0; // 0 = Sunday
    int hour = 0;
    bool operator==(const WeekHourCell&) const = default;
};

// What a pointer rests on beside the cells: a weekday's row (its name at the left, its total
// at the right) or an hour's column (its number above, its total below); -1 where the hit
// spans every weekday or every hour. A cell has both.
struct WeekHourHit {
    int weekday = -1;
    int hour = -1;
    bool operator==(const WeekHourHit&) const = default;
};

struct WeekHourLayout {
    static constexpr int kTitleArea = 40;
    static constexpr int kHourLabelRow = 16; // hour numbers above the columns
    static constexpr int kLeftArea = 40;     // weekday names
    static constexpr int kRightArea = 64;    // weekday totals
    static constexpr int kBottomArea = 30;   // hour totals

    int cellLeft = 0;
    int cellTop = 0;
    int cellWidth = 1;
    int cellHeight = 1;

    int cellX(int hour) const { return cellLeft + hour * cellWidth; }
    int cellY(int weekday) const { return cellTop + weekday * cellHeight; }
    int gridRight() const { return cellLeft + 24 * cellWidth; }
    int gridBottom() const { return cellTop + 7 * cellHeight; }
    std::optional<WeekHourCell> cellAt(int x, int y) const;
    // A cell, or a weekday's name or total, or an hour's number or total under the point.
    std::optional<WeekHourHit> hitAt(int x, int y) const;
};

// Cells as large as the view allows (at least 1 pixel), the same size throughout.
WeekHourLayout layoutWeekHour(int left, int top, int right, int bottom);

} // namespace lorvanel
