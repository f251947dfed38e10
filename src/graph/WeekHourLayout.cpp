#include "graph/WeekHourLayout.h"

#include <algorithm>

namespace lorvanel {

std::optional<WeekHourCell> WeekHourLayout::cellAt(int x, int y) const {
    if (x < cellLeft || x >= gridRight() || y < cellTop || y >= gridBottom()) return std::nullopt;
    return WeekHourCell{(y - cellTop) / cellHeight, (x - cellLeft) / cellWidth};
}

std::optional<WeekHourHit> WeekHourLayout::hitAt(int x, int y) const {
    if (const std::optional<WeekHourCell> cell = cellAt(x, y))
        return WeekHourHit{cell->weekday, cell->hour};
    const bool inRows = y >= cellTop && y < gridBottom();
    const bool inColumns = x >= cellLeft && x < gridRight();
    if (inRows && ((x >= cellLeft - kLeftArea && x < cellLeft) ||
                   (x >= gridRight() && x < gridRight() + kRightArea)))
        return WeekHourHit{(y - cellTop) / cellHeight, -1};
    if (inColumns && ((y >= cellTop - kHourLabelRow && y < cellTop) ||
                      (y >= gridBottom() && y < gridBottom() + kBottomArea)))
        return WeekHourHit{-1, (x - cellLeft) / cellWidth};
    return std::nullopt;
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
