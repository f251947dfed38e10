#include "graph/WeekHourLayout.h"

#include <algorithm>

namespace lorvanel {

std::optional<WeekHourCell> WeekHourLayout::cellAt(int x, int y) const {
    if (x < cellLeft || x >= gridRight() || y < cellTop || y >= gridBottom()) return std::nullopt;
    return WeekHourCell{(y - cellTop) / cellHeight, (x - cellLeft) / cellWidth};
}

WeekHourLayout layoutWeekHour(int left, int top, int right, int bottom) {
    WeekHourLayout out;
    out.cellLeft = left + WeekHourLayout::kLeftArea;
    out.cellTop = top + WeekHourLayout::kTitleArea + WeekHourLayout::kHourLabelRow;
    const int width = right - WeekHourLayout::kRightArea - out.cellLeft;
    const int height = bottom - WeekHourLayout::kBottomArea - out.cellTop;
    out.cellWidth = std::max(1, width / 24);
    out.cellHeight = std::max(1, height / 7);
    return out;
}

} // namespace lorvanel
