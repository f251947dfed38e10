#pragma once
// The posting calendar's numbers: the posts of every local day of a selection's range and the
// four shades that the days with posts are sorted into.
#include "input/PostList.h"

#include <array>
#include <string>
#include <vector>

namespace lorvanel {

// The lowest daily count of each of the four levels, strictly increasing: level k (1..4)
// holds the counts from bounds[k - 1] up to bounds[k] - 1 (level 4: everything from
// bounds[3] up).
using CalendarLevelBounds = std::array<int, 4>;

struct CalendarModel {
    int firstDay = 0;        // local day number of the range's first day
    std::vector<int> counts; // posts per day of the range, day firstDay + i at i
    CalendarLevelBounds bounds{1, 2, 3, 4};

    bool empty() const { return counts.empty(); }
    int lastDay() const { return firstDay + static_cast<int>(counts.size()) - 1; }
    bool inRange(int day) const { return day >= firstDay && day <= lastDay(); }
    // Posts on a local day; 0 outside the range.
    int countOn(int day) const { return inRange(day) ? counts[day - firstDay] : 0; }
};

// The calendar of a time-ordered post list: from the first post's local date to the last
// one's, each post counted on its local date exactly as the report's daily table counts it.
// An empty list gives an empty model.
CalendarModel buildCalendar(const PostList& posts);

// Level bounds by the quartiles of the non-zero counts (sorted ascending, n of them): level 1
// starts at the smallest, levels 2, 3 and 4 at the counts at positions n/4, n/2 and 3n/4.
// A level whose quartile repeats the bound below it starts one count higher instead, so that
// no two levels stand for the same count and each level names a count range of its own (with
// fewer than four distinct counts the upper levels then hold counts no day reached). Without
// non-zero counts: 1, 2, 3, 4.
CalendarLevelBounds calendarLevelBounds(const std::vector<int>& counts);

// 0 for a day without posts, otherwise the level 1..4 of the count.
int calendarLevel(int count, const CalendarLevelBounds& bounds);

// The readout over a day: "2016/03/05(土)" and "12回" (CP932).
std::string calendarDayText(int day);
std::string postCountText(int count);

} // namespace lorvanel
