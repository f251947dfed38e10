#pragma once
// The statistics of one time-ordered post list: the tables by hour, weekday, board, line
// count, day, month and year, the runs, the rankings and the counters that the report and
// the history tree read.
#include "input/PostList.h"
#include "platform/Time32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lorvanel {

struct KeyCount {
    int key = 0;
    int count = 0;
    friend bool operator==(const KeyCount&, const KeyCount&) = default;
};

struct TextCount {
    std::string text; // CP932
    int count = 0;
    friend bool operator==(const TextCount&, const TextCount&) = default;
};

struct TimeCount {
    Time32 time = 0;
    int count = 0;
    friend bool operator==(const TimeCount&, const TimeCount&) = default;
};

// A run of consecutive days; firstDay is a time that falls on the run's first day.
struct DayRun {
    Time32 firstDay = 0;
    int length = 0;
    friend bool operator==(const DayRun&, const DayRun&) = default;
};

struct PostStatistics {
    Time32 firstTime = 0;
    Time32 lastTime = 0;
    std::vector<KeyCount> hours;      // 24 entries, keys 0..23
    std::vector<TextCount> weekdays;  // 7 entries, Sunday first
    std::vector<TextCount> boards;    // by count, highest first
    std::vector<KeyCount> lineCounts; // keys 0..longest counted line count
    std::vector<KeyCount> days;       // one per calendar day of the period, key = day index
    std::vector<KeyCount> months;     // whole years, key = months since January of the first year
    std::vector<KeyCount> years;      // key = years since the first post's year
    std::vector<DayRun> postingRuns;  // at most 10, longest first
    std::vector<DayRun> silentRuns;   // at most 10, longest first
    std::vector<TimeCount> busiestHours;       // at most 10; time of the hour's last post
    std::vector<TextCount> threadRanking;      // at most 20
    std::vector<TextCount> monthThreadRanking; // one per month of the period
    PostList createdThreads;                   // posts that opened a thread, in list order
    std::uint32_t createdThreadCount = 0;
    int daysInPeriod = 0;
    int postingDays = 0;
    int threadCount = 0; // distinct titles; 0 when the thread ranking is off
    int lineTotal = 0;   // lines of the posts with 1 to 99 lines
    int today = 0;
    int yesterday = 0;
    int thisWeek = 0;
    int lastWeek = 0;
    int thisMonth = 0;

    // Local calendar day number (days since 1970-01-01) of the first post; day index k is
    // the day firstDayNumber + k.
    int firstDayNumber = 0;

    // Empties every table and list and zeroes every counter.
    void clear() { *this = PostStatistics(); }
};

} // namespace lorvanel
