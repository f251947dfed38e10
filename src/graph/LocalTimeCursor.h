#pragma once
// The local day and second of the day of times read mostly in ascending order, as the graphs
// read a selection: a time is converted in full only when it leaves the stretch of one local
// day, at one offset from UTC, that the previous conversion established; inside it the day
// and the second follow by subtraction.
#include "platform/Time32.h"

#include <cstdint>

namespace lorvanel {

struct LocalDaySecond {
    int dayNumber = 0;   // local calendar days since 1970-01-01, as LocalTime::dayNumber
    int secondOfDay = 0; // 0 .. 86399
    int hour() const { return secondOfDay / 3600; }
    int minute() const { return secondOfDay / 60 % 60; }
    // 0 (Sunday) .. 6, as LocalTime::weekday.
    int weekday() const { return ((dayNumber + 4) % 7 + 7) % 7; }
};

class LocalTimeCursor {
public:
    LocalDaySecond at(Time32 t);

private:
    // Times from_ .. to_ lie on day_ at offset_ (local minus UTC seconds); empty at first.
    std::int64_t from_ = 1;
    std::int64_t to_ = 0;
    std::int64_t offset_ = 0;
    int day_ = 0;
};

} // namespace lorvanel
