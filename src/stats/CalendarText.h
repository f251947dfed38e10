#pragma once
// Calendar arithmetic and date texts of the report: days are local calendar day numbers
// (days since 1970-01-01), so a day index never drifts across a change of UTC offset.
#include "platform/Time32.h"

#include <string>

namespace lorvanel {

// "日", "月", ... "土" for 0 (Sunday) .. 6.
const char* weekdayName(int weekday);
// Weekday of a local day number, 0 = Sunday.
int weekdayOfDay(int dayNumber);
// "%Y/%m/%d" of a local day number.
std::string dayText(int dayNumber);
// "%Y/%m/%d(曜)" of a local day number.
std::string dayTextWithWeekday(int dayNumber);

// A time on the day dayNumber with the time of day of `reference` (the report's "first time
// moved forward by k days", kept on the right date in zones that change their offset).
Time32 timeOnDay(int dayNumber, Time32 reference);

} // namespace lorvanel
