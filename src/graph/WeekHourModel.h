#pragma once
// The weekday × hour map's numbers: the posts of a selection by local weekday and hour, with
// the totals of every weekday and every hour.
#include "input/PostList.h"

#include <array>
#include <string>

namespace lorvanel {

struct WeekHourModel {
    // counts[weekday][hour], weekday 0 = Sunday.
    std::array<std::array<int, 24>, 7> counts{};
    std::array<int, 7> weekdayTotals{};
    std::array<int, 24> hourTotals{};
    int largest = 0; // the largest cell
    int total = 0;
};

// Counts each post at its cached local weekday and hour, as the report's weekday and hour
// tables do.
WeekHourModel buildWeekHour(const PostList& posts);

// The readout over a cell: "水曜日 13時" (CP932).
std::string weekHourText(int weekday, int hour);

} // namespace lorvanel
