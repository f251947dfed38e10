#pragma once
// Conversion of 32-bit times to and from the process's local time zone, and date formatting.
#include "platform/Time32.h"

#include <cstdint>
#include <string>

namespace lorvanel {

// A broken-down local time. month is 1..12, weekday 0 (Sunday) .. 6, yearDay 0..365;
// dayNumber counts local calendar days since 1970-01-01 (negative before it).
struct LocalTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 4;
    int yearDay = 0;
    int dayNumber = 0;
};

// Local time of t in the process's time zone (TZ).
LocalTime toLocalTime(Time32 t);

// The time of a local date and time, normalised as C mktime does (fields out of range carry
// into the next unit; day 0 is the last day of the previous month). A result that the signed
// 32-bit count can't hold saturates: later than 2038-01-19 03:14:07 UTC gives INT32_MAX,
// earlier than 1901-12-13 20:45:52 UTC gives INT32_MIN. Times before 1970 are negative.
Time32 fromLocalTime(int year, int month, int day, int hour, int minute, int second);
// The same without saturating, for callers that refuse a time the 32-bit count can't hold.
std::int64_t fromLocalTime64(int year, int month, int day, int hour, int minute, int second);

// strftime in local time, e.g. "%Y/%m/%d %H:%M:%S". The pattern and result are bytes.
std::string formatLocalTime(Time32 t, const char* pattern);

// The time zone's offsets are cached; call after changing TZ within the process.
void resetLocalTimeCache();

// The Gregorian leap-year rule, and the days of a month (0 for a month outside 1..12).
bool isLeapYear(int year);
int daysInMonth(int year, int month);

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
int daysFromCivil(int year, int month, int day);
void civilFromDays(int days, int& year, int& month, int& day);

} // namespace lorvanel
