// The tables derived from the daily table: months, years, runs and the recent counts.
#include "platform/LocalTime.h"
#include "report/StatisticsSteps.h"
#include "stats/CalendarText.h"

#include <algorithm>

namespace lorvanel {

void countMonths(PostStatistics& s) {
    int firstYear = 0, m = 0, d = 0;
    civilFromDays(s.firstDayNumber, firstYear, m, d);
    int lastYear = 0;
    civilFromDays(s.firstDayNumber + static_cast<int>(s.days.size()) - 1, lastYear, m, d);
    const int size = 12 * (lastYear - firstYear + 1);
    s.months.assign(static_cast<std::size_t>(size), KeyCount{});
    for (int i = 0; i < size; ++i) s.months[i].key = i;
    for (const KeyCount& day : s.days) {
        if (day.count == 0) continue;
        int y = 0;
        civilFromDays(s.firstDayNumber + day.key, y, m, d);
        s.months[(y - firstYear) * 12 + m - 1].count += day.count;
    }
}

void countYears(PostStatistics& s) {
    s.years.clear();
    for (std::size_t j = 0; j * 12 < s.months.size(); ++j) {
        int sum = 0;
        for (std::size_t i = j * 12; i < j * 12 + 12 && i < s.months.size(); ++i)
            sum += s.months[i].count;
        s.years.push_back({static_cast<int>(j), sum});
    }
}

namespace {

struct IndexRun {
    int first;
    int length;
};

std::vector<DayRun> findRuns(const PostStatistics& s, bool posting) {
    std::vector<IndexRun> runs;
    int start = -1;
    const int n = static_cast<int>(s.days.size());
    for (int k = 0; k <= n; ++k) {
        const bool qualifies = k < n && ((s.days[k].count > 0) == posting);
        if (qualifies && start < 0) start = k;
        if (!qualifies && start >= 0) {
            runs.push_back({start, k - start});
            start = -1;
        }
    }
    std::sort(runs.begin(), runs.end(), [](const IndexRun& a, const IndexRun& b) {
        return a.length != b.length ? a.length > b.length : a.first < b.first;
    });
    if (runs.size() > kMaxRuns) runs.resize(kMaxRuns);
    std::vector<DayRun> out;
    for (const IndexRun& r : runs)
        out.push_back({timeOnDay(s.firstDayNumber + r.first, s.firstTime), r.length});
    return out;
}

// Sum of the daily counts of day indexes [from, to], limited to the days the table holds.
int sumDays(const PostStatistics& s, int from, int to) {
    from = std::max(from, 0);
    to = std::min(to, static_cast<int>(s.days.size()) - 1);
    int sum = 0;
    for (int k = from; k <= to; ++k) sum += s.days[k].count;
    return sum;
}

} // namespace

void findPostingRuns(PostStatistics& s) {
    s.postingRuns = findRuns(s, true);
}

void findSilentRuns(PostStatistics& s) {
    s.silentRuns = findRuns(s, false);
}

void countRecent(PostStatistics& s, Time32 now) {
    const LocalTime lt = toLocalTime(now);
    const int today = lt.dayNumber - s.firstDayNumber;
    s.today = sumDays(s, today, today);
    s.yesterday = sumDays(s, today - 1, today - 1);
    const int weekStart = today - lt.weekday;
    s.thisWeek = sumDays(s, weekStart, weekStart + 6);
    s.lastWeek = sumDays(s, weekStart - 7, weekStart - 1);
    const int monthStart = today - (lt.day - 1);
    s.thisMonth = sumDays(s, monthStart, monthStart + daysInMonth(lt.year, lt.month) - 1);
}

} // namespace lorvanel
