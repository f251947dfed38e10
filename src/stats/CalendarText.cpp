#include "stats/CalendarText.h"

#include "platform/LocalTime.h"

#include <cstdio>

namespace lorvanel {

const char* weekdayName(int weekday) {
    static const char* const names[7] = {"日", "月", "火", "水", "木", "金", "土"};
    return names[((weekday % 7) + 7) % 7];
}

int weekdayOfDay(int dayNumber) {
    // 1970-01-01 was a Thursday.
    return ((dayNumber % 7) + 7 + 4) % 7;
}

std::string dayText(int dayNumber) {
    int y = 0, m = 0, d = 0;
    civilFromDays(dayNumber, y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d/%02d/%02d", y, m, d);
    return buf;
}

std::string dayTextWithWeekday(int dayNumber) {
    std::string s = dayText(dayNumber);
    s += '(';
    s += weekdayName(weekdayOfDay(dayNumber));
    s += ')';
    return s;
}

Time32 timeOnDay(int dayNumber, Time32 reference) {
    const LocalTime ref = toLocalTime(reference);
    if (dayNumber == ref.dayNumber) return reference;
    int y = 0, m = 0, d = 0;
    civilFromDays(dayNumber, y, m, d);
    return fromLocalTime(y, m, d, ref.hour, ref.minute, ref.second);
}

} // namespace lorvanel
