#include "graph/WeekHourModel.h"

#include "graph/GraphSeries.h"
#include "graph/LocalTimeCursor.h"
#include "stats/CalendarText.h"

#include <algorithm>
#include <cstdio>

namespace lorvanel {

WeekHourModel buildWeekHour(const PostList& posts) {
    WeekHourModel m;
    LocalTimeCursor local;
    forEachPost(posts, [&](const PostRecord& p) {
        const LocalDaySecond lt = local.at(p.time);
        ++m.counts[lt.weekday()][lt.hour() % 24];
    });
    for (int w = 0; w < 7; ++w) {
        for (int h = 0; h < 24; ++h) {
            const int c = m.counts[w][h];
            m.weekdayTotals[w] += c;
            m.hourTotals[h] += c;
            m.largest = std::max(m.largest, c);
            m.total += c;
        }
    }
    return m;
}

std::string weekHourText(int weekday, int hour) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s曜日 %d時", weekdayName(weekday), hour);
    return buf;
}

} // namespace lorvanel
