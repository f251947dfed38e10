#include "platform/LocalTime.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <ctime>
#include <vector>

namespace lorvanel {

namespace {

constexpr std::int64_t kDay = 86400;

// The zone's UTC offset as a step function: segment i holds from starts[i] up to starts[i+1].
// It is sampled once a day over the whole 32-bit range and every change is narrowed to the
// second, so a conversion costs a binary search and some arithmetic instead of a call into
// the C library's time-zone code. Two transitions less than a day apart that cancel out
// would be missed; no real zone has them.
struct OffsetTable {
    std::vector<std::int64_t> starts;
    std::vector<std::int32_t> offsets;
    // The segment of the last conversion, a hint shared by every thread that converts.
    mutable std::atomic<std::size_t> last{0};

    static std::int32_t offsetAt(std::int64_t t) {
        std::time_t tt = static_cast<std::time_t>(t);
        std::tm tm{};
        if (!localtime_r(&tt, &tm)) return 0;
        return static_cast<std::int32_t>(tm.tm_gmtoff);
    }

    void build() {
        starts.clear();
        offsets.clear();
        const std::int64_t from = std::int64_t(INT32_MIN) - 2 * kDay;
        const std::int64_t to = std::int64_t(INT32_MAX) + 2 * kDay;
        std::int32_t current = offsetAt(from);
        starts.push_back(INT64_MIN);
        offsets.push_back(current);
        for (std::int64_t t = from + kDay; t <= to; t += kDay) {
            std::int32_t o = offsetAt(t);
            if (o == current) continue;
            // The change lies in (t - kDay, t]: find its first second.
            std::int64_t lo = t - kDay, hi = t;
            while (hi - lo > 1) {
                std::int64_t mid = lo + (hi - lo) / 2;
                if (offsetAt(mid) == current)
                    lo = mid;
                else
                    hi = mid;
            }
            starts.push_back(hi);
            offsets.push_back(o);
            current = o;
        }
        last = 0;
    }

    std::size_t segmentOf(std::int64_t t) const {
        auto inSegment = [&](std::size_t i) {
            return i < starts.size() && starts[i] <= t &&
                   (i + 1 == starts.size() || t < starts[i + 1]);
        };
        const std::size_t hint = last.load(std::memory_order_relaxed);
        if (inSegment(hint)) return hint;
        auto it = std::upper_bound(starts.begin(), starts.end(), t);
        const auto found = static_cast<std::size_t>(it - starts.begin()) - 1;
        last.store(found, std::memory_order_relaxed);
        return found;
    }

    // Distance from t to the nearest segment boundary.
    std::int64_t distanceToChange(std::size_t i, std::int64_t t) const {
        std::int64_t d = INT64_MAX;
        if (i > 0) d = t - starts[i];
        if (i + 1 < starts.size()) d = std::min(d, starts[i + 1] - t);
        return d;
    }
};

OffsetTable& table() {
    static OffsetTable t;
    static const bool built = [] {
        tzset();
        t.build();
        return true;
    }();
    (void)built;
    return t;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

Time32 saturate(std::int64_t t) {
    if (t > INT32_MAX) return INT32_MAX;
    if (t < INT32_MIN) return INT32_MIN;
    return static_cast<Time32>(t);
}

} // namespace

int daysFromCivil(int y, int m, int d) {
    // Howard Hinnant's algorithm over the proleptic Gregorian calendar.
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int>(doe) - 719468;
}

void civilFromDays(int z, int& year, int& month, int& day) {
    z += 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int y = static_cast<int>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = y + (month <= 2);
}

LocalTime toLocalTime(Time32 t) {
    const OffsetTable& tab = table();
    const std::int64_t local = std::int64_t(t) + tab.offsets[tab.segmentOf(t)];
    const std::int64_t days = floorDiv(local, kDay);
    const int secs = static_cast<int>(local - days * kDay);
    LocalTime lt;
    lt.dayNumber = static_cast<int>(days);
    civilFromDays(lt.dayNumber, lt.year, lt.month, lt.day);
    lt.hour = secs / 3600;
    lt.minute = secs / 60 % 60;
    lt.second = secs % 60;
    lt.weekday = static_cast<int>(((days + 4) % 7 + 7) % 7);
    lt.yearDay = lt.dayNumber - daysFromCivil(lt.year, 1, 1);
    return lt;
}

Time32 fromLocalTime(int year, int month, int day, int hour, int minute, int second) {
    // Normalise the month first, as mktime does, then count everything else in seconds.
    std::int64_t m0 = std::int64_t(month) - 1;
    std::int64_t y = year + floorDiv(m0, 12);
    m0 -= floorDiv(m0, 12) * 12;
    if (y < -1000000 || y > 1000000) return y < 0 ? INT32_MIN : INT32_MAX;
    const std::int64_t local =
        (std::int64_t(daysFromCivil(static_cast<int>(y), static_cast<int>(m0) + 1, 1)) + day - 1) *
            kDay +
        std::int64_t(hour) * 3600 + std::int64_t(minute) * 60 + second;

    const OffsetTable& tab = table();
    const std::int32_t guess = tab.offsets[tab.segmentOf(local)];
    const std::int64_t u = local - tab.offsets[tab.segmentOf(local - guess)];
    const std::size_t seg = tab.segmentOf(u);
    if (local - tab.offsets[seg] == u && tab.distanceToChange(seg, u) > kDay) return saturate(u);

    // Near a change of offset (a skipped or repeated local hour) let mktime decide.
    std::tm tm{};
    const std::int64_t days = floorDiv(local, kDay);
    int yy, mm, dd;
    civilFromDays(static_cast<int>(days), yy, mm, dd);
    const std::int64_t secs = local - days * kDay;
    tm.tm_year = yy - 1900;
    tm.tm_mon = mm - 1;
    tm.tm_mday = dd;
    tm.tm_hour = static_cast<int>(secs / 3600);
    tm.tm_min = static_cast<int>(secs / 60 % 60);
    tm.tm_sec = static_cast<int>(secs % 60);
    tm.tm_isdst = -1;
    std::time_t r = mktime(&tm);
    if (r == static_cast<std::time_t>(-1)) return saturate(u);
    return saturate(static_cast<std::int64_t>(r));
}

std::string formatLocalTime(Time32 t, const char* pattern) {
    std::time_t tt = t;
    std::tm tm{};
    localtime_r(&tt, &tm);
    char buf[256];
    std::size_t n = std::strftime(buf, sizeof buf, pattern, &tm);
    return std::string(buf, n);
}

void resetLocalTimeCache() {
    tzset();
    table().build();
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

} // namespace lorvanel
