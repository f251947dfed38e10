#pragma once
// The month ticks under a date axis: a line and the year at each January, a bar at each July
// of a multi-year axis, small ticks (with the month number within one year) at other months.
#include "graph/ChartAxis.h"
#include "platform/Time32.h"

#include <string>
#include <vector>

namespace lorvanel {

struct DateTick {
    enum class Kind { January, July, Month };
    Kind kind = Kind::Month;
    int x = 0;
    std::string text; // two-digit year, month number or empty
};

// Ticks of the 1st of each month after start's month up to end's month, placed across the
// pixels left .. right. None when the axis spans less than a minute or right < left.
std::vector<DateTick> dateTicks(Time32 start, Time32 end, int left, int right);

} // namespace lorvanel
