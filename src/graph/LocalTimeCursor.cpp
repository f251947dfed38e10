#include "graph/LocalTimeCursor.h"

#include "platform/LocalTime.h"

#include <cstdint>

namespace lorvanel {

namespace {

constexpr std::int64_t kDay = 86400;

int secondOf(const LocalTime& lt) {
    return lt.hour * 3600 + lt.minute * 60 + lt.second;
}

std::int64_t offsetOf(const LocalTime& lt, std::int64_t t) {
    return std::int64_t(lt.dayNumber) * kDay + secondOf(lt) - t;
}

} // namespace

LocalDaySecond LocalTimeCursor::at(Time32 t) {
    if (t >= from_ && t <= to_)
        return {day_, static_cast<int>(t + offset_ - std::int64_t(day_) * kDay)};
    const LocalTime lt = toLocalTime(t);
    const int second = secondOf(lt);
    day_ = lt.dayNumber;
    offset_ = offsetOf(lt, t);
    from_ = t;
    to_ = t;
    // The day's last second at this offset. When it still lies on the day at the same offset,
    // so does every time up to it: offsets change months apart, never there and back within
    // one day. Otherwise (a change of offset before midnight) each time is converted.
    const std::int64_t end = std::int64_t(t) + (kDay - 1 - second);
    if (end <= INT32_MAX) {
        const LocalTime last = toLocalTime(static_cast<Time32>(end));
        if (last.dayNumber == day_ && offsetOf(last, end) == offset_) to_ = end;
    }
    return {day_, second};
}

} // namespace lorvanel
