#include "platform/LocalTime.h"
#include "support/ZoneGuard.h"

#include <climits>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

using namespace lorvanel;

namespace {

// The C library's answer, as the reference for the cached conversion.
Time32 referenceMktime(int y, int mo, int d, int h, int mi, int s) {
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    return static_cast<Time32>(mktime(&tm));
}

using lorvanel::testing::ZoneGuard;

} // namespace

TEST(LocalTime, TokyoBothWays) {
    // 2008-01-02 03:04:05 JST is 2008-01-01 18:04:05 UTC.
    const Time32 t = fromLocalTime(2008, 1, 2, 3, 4, 5);
    EXPECT_EQ(t, 1199210645);
    const LocalTime lt = toLocalTime(t);
    EXPECT_EQ(lt.year, 2008);
    EXPECT_EQ(lt.month, 1);
    EXPECT_EQ(lt.day, 2);
    EXPECT_EQ(lt.hour, 3);
    EXPECT_EQ(lt.minute, 4);
    EXPECT_EQ(lt.second, 5);
    EXPECT_EQ(lt.weekday, 3); // a Wednesday
    EXPECT_EQ(lt.yearDay, 1);
    EXPECT_EQ(lt.dayNumber, daysFromCivil(2008, 1, 2));
}

TEST(LocalTime, NormalisesLikeMktime) {
    EXPECT_EQ(fromLocalTime(2008, 1, 1, 24, 0, 0), fromLocalTime(2008, 1, 2, 0, 0, 0));
    EXPECT_EQ(fromLocalTime(2008, 13, 1, 0, 0, 0), fromLocalTime(2009, 1, 1, 0, 0, 0));
    EXPECT_EQ(fromLocalTime(2008, 3, 0, 0, 0, 0), fromLocalTime(2008, 2, 29, 0, 0, 0));
    EXPECT_EQ(fromLocalTime(2008, 1, 1, 0, 99, 99), referenceMktime(2008, 1, 1, 0, 99, 99));
}

TEST(LocalTime, SaturatesOutside32Bits) {
    EXPECT_EQ(fromLocalTime(2038, 12, 31, 0, 0, 0), INT32_MAX);
    EXPECT_EQ(fromLocalTime(1900, 1, 1, 0, 0, 0), INT32_MIN);
    // The first local second of 1970 in Tokyo lies before the epoch and stays negative.
    EXPECT_EQ(fromLocalTime(1970, 1, 1, 0, 0, 0), -9 * 3600);
    EXPECT_EQ(toLocalTime(-9 * 3600).year, 1970);
    EXPECT_EQ(toLocalTime(-9 * 3600 - 1).year, 1969);
    EXPECT_EQ(toLocalTime(-9 * 3600 - 1).weekday, 3);
}

TEST(LocalTime, AgreesWithTheCLibraryAcrossDaylightSaving) {
    ZoneGuard zone("America/New_York");
    // Around the 2008 spring-forward (March 9, 02:00 skipped) and fall-back (November 2).
    for (int day : {8, 9, 10})
        for (int hour = 0; hour < 24; ++hour)
            for (int minute : {0, 30, 59})
                EXPECT_EQ(fromLocalTime(2008, 3, day, hour, minute, 0),
                          referenceMktime(2008, 3, day, hour, minute, 0))
                    << day << " " << hour << ":" << minute;
    for (Time32 t = 1225598400 - 7200; t < 1225598400 + 7200; t += 600) {
        std::time_t tt = t;
        std::tm tm{};
        localtime_r(&tt, &tm);
        const LocalTime lt = toLocalTime(t);
        EXPECT_EQ(lt.hour, tm.tm_hour);
        EXPECT_EQ(lt.day, tm.tm_mday);
    }
}

TEST(LocalTime, FormatsWithPatterns) {
    const Time32 t = fromLocalTime(2008, 1, 2, 3, 4, 5);
    EXPECT_EQ(formatLocalTime(t, "%Y/%m/%d %H:%M:%S"), "2008/01/02 03:04:05");
    EXPECT_EQ(formatLocalTime(t, "%Y/%m/%d"), "2008/01/02");
}

TEST(LocalTime, CivilDaysRoundTrip) {
    for (int d = -30000; d < 30000; d += 37) {
        int y, m, day;
        civilFromDays(d, y, m, day);
        EXPECT_EQ(daysFromCivil(y, m, day), d);
    }
}
