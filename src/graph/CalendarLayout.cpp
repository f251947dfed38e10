#include "graph/CalendarLayout.h"

#include "platform/LocalTime.h"
#include "report/CalendarText.h"

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
    if (pitch <= 0 || x < cellLeft) return std::nullopt;
    for (const CalendarStrip& s : strips) {
        if (y < s.cellTop || y >= s.cellTop + 7 * pitch) continue;
        const int column = (x - cellLeft) / pitch + firstColumn;
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
    const int width = right - CalendarLayout::kRightArea - (left + CalendarLayout::kLeftArea);
    const int height = bottom - CalendarLayout::kLegendArea - (top + CalendarLayout::kTitleArea);
    const int fixedPerStrip = CalendarLayout::kMonthRow + CalendarLayout::kStripGap;
    const int widthPitch = width / columns;
    const int heightPitch = (height - n * fixedPerStrip) / (7 * n);
    int pitch = std::min({widthPitch, heightPitch, CalendarLayout::kMaxPitch});
    int shown = n;
    if (pitch < CalendarLayout::kMinPitch) {
        pitch = CalendarLayout::kMinPitch;
        shown = std::clamp(height / (fixedPerStrip + 7 * pitch), 1, n);
    }

    out.pitch = pitch;
    out.firstColumn = minColumn;
    out.cellLeft = left + CalendarLayout::kLeftArea;
    out.hiddenYears = n - shown;
    int y = top + CalendarLayout::kTitleArea;
    for (int i = 0; i < shown; ++i) {
        CalendarStrip s = years[i];
        s.labelTop = y;
        s.cellTop = y + CalendarLayout::kMonthRow;
        y = s.cellTop + 7 * pitch + CalendarLayout::kStripGap;
        out.strips.push_back(s);
    }
    out.legendTop = y;
    return out;
}

} // namespace lorvanel
