#include "graph/LocalTimeCursor.h"

#include "platform/LocalTime.h"
#include "support/ZoneGuard.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace lorvanel;

namespace {

using lorvanel::testing::ZoneGuard;

// Reads the times with one cursor and checks each answer against a full conversion.
void expectSameAsConversion(const std::vector<Time32>& times) {
    LocalTimeCursor cursor;
    for (const Time32 t : times) {
        const LocalTime lt = toLocalTime(t);
        const LocalDaySecond got = cursor.at(t);
        ASSERT_EQ(got.dayNumber, lt.dayNumber) << t;
        ASSERT_EQ(got.hour(), lt.hour) << t;
        ASSERT_EQ(got.minute(), lt.minute) << t;
        ASSERT_EQ(got.secondOfDay % 60, lt.second) << t;
        ASSERT_EQ(got.weekday(), lt.weekday) << t;
    }
}

// Times in ascending order from `from`, in steps of 1 second to a few hours (many on one
// day, as a posting session), with now and then a step back.
std::vector<Time32> postingTimes(Time32 from, Time32 to, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<Time32> times;
    std::int64_t t = from;
    while (t < to) {
        times.push_back(static_cast<Time32>(t));
        const unsigned kind = random() % 10;
        const std::int64_t step = kind < 6 ? random() % 600 : kind < 9 ? random() % 20000 : 0;
        t += step;
        if (random() % 50 == 0) t -= random() % 7200;
    }
    return times;
}

} // namespace

TEST(LocalTimeCursor, AgreesWithTheFullConversionInZonesWithAndWithoutDaylightSaving) {
    // 2007 to 2009 hold the changes of daylight saving time of every zone here; Lord Howe
    // moves by half an hour, and Apia skipped a whole day at the end of 2011.
    const Time32 from = 1167609600; // 2007-01-01 UTC
    const Time32 to = 1262304000;   // 2010-01-01 UTC
    for (const char* zone : {"Asia/Tokyo", "America/New_York", "Europe/London",
                             "Australia/Lord_Howe", "America/Sao_Paulo"}) {
        SCOPED_TRACE(zone);
        ZoneGuard guard(zone);
        expectSameAsConversion(postingTimes(from, to, 7));
    }
    ZoneGuard apia("Pacific/Apia");
    expectSameAsConversion(postingTimes(1324000000, 1326000000, 11));
}

TEST(LocalTimeCursor, EverySecondAroundAChangeOfOffset) {
    ZoneGuard guard("America/New_York");
    // 2008-03-09 02:00 EST became 03:00 EDT; 2008-11-02 02:00 EDT became 01:00 EST.
    for (const Time32 change : {Time32{1205046000}, Time32{1225605600}}) {
        std::vector<Time32> times;
        for (Time32 t = change - 2 * 86400; t < change + 2 * 86400; t += 37) times.push_back(t);
        expectSameAsConversion(times);
    }
}

TEST(LocalTimeCursor, TheLastRepresentableSecond) {
    expectSameAsConversion({INT32_MAX - 100000, INT32_MAX - 5, INT32_MAX, INT32_MIN, 0, -1});
}
