#include "graph/CalendarLayout.h"

#include "platform/LocalTime.h"
#include "stats/CalendarText.h"

#include <algorithm>
#include <climits>

namespace lorvanel {

namespace {

int yearOfDay(int day) {
    int y = 0, m = 0, d = 0;
    civilFromDays(day, y, m, d);
    return y;
}

CalendarStrip stripOfYear(const CalendarModel& model, int year) {
    CalendarStrip s;
    s.year = year;
    const int january1 = daysFromCivil(year, 1, 1);
    s.weekStart = january1 - weekdayOfDay(january1);
    s.firstDay = std::max(model.firstDay, january1);
    s.lastDay = std::min(model.lastDay(), daysFromCivil(year, 12, 31));
    return s;
}

} // namespace

int CalendarLayout::dayY(const CalendarStrip& s, int day) const {
    return s.cellTop + weekdayOfDay(day) * pitch;
}

std::optional<int> CalendarLayout::dayAt(int x, int y) const {
    if (pitch <= 0) return std::nullopt;
    for (const CalendarStrip& s : strips) {
        if (y < s.cellTop || y >= s.cellTop + 7 * pitch) continue;
        if (x < s.cellLeft || x >= s.cellLeft + columns * pitch) continue;
        const int column = (x - s.cellLeft) / pitch + firstColumn;
        const int day = s.weekStart + 7 * column + (y - s.cellTop) / pitch;
        if (day >= s.firstDay && day <= s.lastDay) return day;
        return std::nullopt;
    }
    return std::nullopt;
}

std::vector<CalendarMonthLabel> CalendarLayout::monthLabels(const CalendarStrip& s) const {
    std::vector<CalendarMonthLabel> labels;
    for (int month = 1; month <= 12; ++month) {
        const int first = daysFromCivil(s.year, month, 1);
        const int last = first + daysInMonth(s.year, month) - 1;
        if (last < s.firstDay || first > s.lastDay) continue;
        labels.push_back({month, dayX(s, std::max(first, s.firstDay))});
    }
    return labels;
}

CalendarLayout layoutCalendar(const CalendarModel& model, int left, int top, int right,
                              int bottom) {
    CalendarLayout out;
    out.left = left;
    out.top = top;
    out.right = right;
    out.bottom = bottom;
    if (model.empty()) return out;

    std::vector<CalendarStrip> years;
    for (int y = yearOfDay(model.lastDay()), first = yearOfDay(model.firstDay); y >= first; --y)
        years.push_back(stripOfYear(model, y));
    int minColumn = INT_MAX, maxColumn = INT_MIN;
    for (const CalendarStrip& s : years) {
        minColumn = std::min(minColumn, s.columnOf(s.firstDay));
        maxColumn = std::max(maxColumn, s.columnOf(s.lastDay));
    }
    const int columns = maxColumn - minColumn + 1;
    const int n = static_cast<int>(years.size());
    const int width = right - CalendarLayout::kRightArea - left;
    const int height = bottom - CalendarLayout::kLegendArea - (top + CalendarLayout::kTitleArea);
    const int fixedPerStrip = CalendarLayout::kMonthRow + CalendarLayout::kStripGap;
    // The pitch at which k blocks of strips fit the width (each with its labels, gaps
    // between them) and the tallest block, of ceil(n / k) strips, fits the height.
    auto pitchFor = [&](int k) {
        const int rows = (n + k - 1) / k;
        const int used = (n + rows - 1) / rows; // blocks that get a strip
        const int cellsWidth =
            width - used * CalendarLayout::kLeftArea - (used - 1) * CalendarLayout::kBlockGap;
        const int widthPitch = cellsWidth / (used * columns);
        const int heightPitch = (height - rows * fixedPerStrip) / (7 * rows);
        return std::min({widthPitch, heightPitch, CalendarLayout::kMaxPitch});
    };
    int blocks = 1;
    int pitch = pitchFor(1);
    for (int k = 2; k <= n && pitch < CalendarLayout::kMaxPitch; ++k) {
        const int p = pitchFor(k);
        if (p > pitch) {
            pitch = p;
            blocks = k;
        }
    }
    int perBlock = (n + blocks - 1) / blocks;
    blocks = (n + perBlock - 1) / perBlock;
    int shown = n;
    if (pitch < CalendarLayout::kMinPitch) {
        pitch = CalendarLayout::kMinPitch;
        const int blockWidth = CalendarLayout::kLeftArea + columns * pitch;
        blocks = std::max(1, (width + CalendarLayout::kBlockGap) /
                                 (blockWidth + CalendarLayout::kBlockGap));
        perBlock = std::max(1, height / (fixedPerStrip + 7 * pitch));
        shown = std::clamp(blocks * perBlock, 1, n);
        blocks = (shown + perBlock - 1) / perBlock;
    }

    out.pitch = pitch;
    out.firstColumn = minColumn;
    out.columns = columns;
    out.blocks = blocks;
    out.cellLeft = left + CalendarLayout::kLeftArea;
    out.hiddenYears = n - shown;
    const int blockPitch = CalendarLayout::kLeftArea + columns * pitch + CalendarLayout::kBlockGap;
    int y = top + CalendarLayout::kTitleArea;
    out.legendTop = y;
    for (int i = 0; i < shown; ++i) {
        if (i % perBlock == 0) y = top + CalendarLayout::kTitleArea;
        CalendarStrip s = years[i];
        s.left = left + (i / perBlock) * blockPitch;
        s.cellLeft = s.left + CalendarLayout::kLeftArea;
        s.labelTop = y;
        s.cellTop = y + CalendarLayout::kMonthRow;
        y = s.cellTop + 7 * pitch + CalendarLayout::kStripGap;
        out.strips.push_back(s);
        out.legendTop = std::max(out.legendTop, y);
    }
    return out;
}

} // namespace lorvanel
