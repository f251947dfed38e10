#include "graph/DateTicks.h"

#include "platform/LocalTime.h"

#include <cstdint>
#include <cstdio>

namespace lorvanel {

std::vector<DateTick> dateTicks(Time32 start, Time32 end, int left, int right) {
    std::vector<DateTick> ticks;
    double f = 0;
    if (right < left || !datePosition(start, end, end, f)) return ticks;
    const std::int64_t span = static_cast<std::int64_t>(end) - start;
    // Month ticks only while the axis spans less than eight years.
    const bool monthly = span / 86400 / 365 < 8;
    const LocalTime first = toLocalTime(start);
    const LocalTime last = toLocalTime(end);
    const bool multiYear = first.year != last.year;
    for (int year = first.year; year <= last.year; ++year) {
        const int fromMonth = year == first.year ? first.month + 1 : 1;
        const int toMonth = year == last.year ? last.month : 12;
        for (int month = fromMonth; month <= toMonth; ++month) {
            if (!datePosition(start, end, fromLocalTime(year, month, 1, 0, 0, 0), f)) continue;
            DateTick tick;
            tick.x = static_cast<int>(left + f * (right - left));
            if (month == 1) {
                tick.kind = DateTick::Kind::January;
                char text[16];
                std::snprintf(text, sizeof text, "%02d",
                              (year >= 2000 ? year - 2000 : year - 1900) % 100);
                tick.text = text;
            } else if (month == 7 && multiYear) {
                tick.kind = DateTick::Kind::July;
            } else if (monthly) {
                tick.kind = DateTick::Kind::Month;
                if (!multiYear) tick.text = std::to_string(month);
            } else {
                continue;
            }
            ticks.push_back(std::move(tick));
        }
    }
    return ticks;
}

} // namespace lorvanel
