#include "input/TimeParsing.h"

#include "input/AnalysisLog.h"
#include "platform/LocalTime.h"

#include <cstdint>

namespace lorvanel {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Numbers beyond this only carry further forward; capping keeps the sums in range.
constexpr int kNumberCap = 999999999;

Time32 fallbackTime() {
    return fromLocalTime(1971, 1, 1, 0, 0, 0);
}

} // namespace

ParsedTime parsePostTime(const char* dateText) {
    ParsedTime result;
    int numbers[6] = {};
    const char* p = dateText;
    for (int& n : numbers) {
        while (*p && !isDigit(*p)) ++p;
        if (!*p) {
            analysisLog().append("(%s) 時刻の書式が不正です。\r\n", dateText);
            result.clean = false;
            result.time = fallbackTime();
            break;
        }
        long long v = 0;
        for (; isDigit(*p); ++p)
            if (v <= kNumberCap) v = v * 10 + (*p - '0');
        n = v > kNumberCap ? kNumberCap : static_cast<int>(v);
    }
    int& year = numbers[0];
    const int month = numbers[1], day = numbers[2];
    if (year < 100) year += year < 50 ? 2000 : 1900;
    const bool inCalendar = year >= 1970 && year <= 2038 && month >= 1 && month <= 12 && day >= 1 &&
                            day <= daysInMonth(year, month);
    // Early in 2038, or with hours that carry far, the local time can pass what 32 bits hold.
    const std::int64_t t =
        inCalendar ? fromLocalTime64(year, month, day, numbers[3], numbers[4], numbers[5]) : 0;
    if (!inCalendar || t > INT32_MAX || t < INT32_MIN) {
        analysisLog().append("(%s) 扱えない時刻です。\r\n", dateText);
        result.clean = false;
        result.time = fallbackTime();
        return result;
    }
    result.time = static_cast<Time32>(t);
    return result;
}

} // namespace lorvanel
