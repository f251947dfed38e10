#include "graph/CalendarModel.h"

#include "graph/GraphSeries.h"
#include "graph/LocalTimeCursor.h"
#include "stats/CalendarText.h"

#include <algorithm>
#include <cstdio>

namespace lorvanel {

CalendarModel buildCalendar(const PostList& posts) {
    CalendarModel model;
    if (posts.empty()) return model;
    model.firstDay = posts.front()->local().dayNumber;
    const int days = std::max(1, posts.back()->local().dayNumber - model.firstDay + 1);
    model.counts.assign(static_cast<std::size_t>(days), 0);
    // The same rule as the report's daily table, clamp included (a zone whose offset jumps
    // back across midnight could otherwise step outside the range).
    LocalTimeCursor local;
    forEachPost(posts, [&](const PostRecord& p) {
        ++model.counts[std::clamp(local.at(p.time).dayNumber - model.firstDay, 0, days - 1)];
    });
    model.bounds = calendarLevelBounds(model.counts);
    return model;
}

CalendarLevelBounds calendarLevelBounds(const std::vector<int>& counts) {
    std::vector<int> busy;
    for (int c : counts)
        if (c > 0) busy.push_back(c);
    if (busy.empty()) return {1, 2, 3, 4};
    std::sort(busy.begin(), busy.end());
    const std::size_t n = busy.size();
    CalendarLevelBounds bounds{};
    bounds[0] = busy[0];
    for (std::size_t k = 1; k < 4; ++k) bounds[k] = std::max(busy[k * n / 4], bounds[k - 1] + 1);
    return bounds;
}

int calendarLevel(int count, const CalendarLevelBounds& bounds) {
    if (count <= 0) return 0;
    int level = 1;
    for (int k = 1; k < 4; ++k)
        if (count >= bounds[k]) level = k + 1;
    return level;
}

std::string calendarDayText(int day) {
    return dayTextWithWeekday(day);
}

std::string postCountText(int count) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d回", count);
    return buf;
}

} // namespace lorvanel
