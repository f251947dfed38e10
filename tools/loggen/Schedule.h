#pragma once
// When the imaginary user posts: strictly increasing local wall-clock times (seconds counted
// like UTC seconds from 1970), in sessions of quick replies, busiest at night, with silent
// days, silent weeks and longer breaks, and an interest level that drifts over months.
#include "Random.h"

#include <cstdint>
#include <vector>

namespace loggen {

// About `posts` times over the `days` days from day number firstDay (days since 1970-01-01);
// every time is later than `after`.
std::vector<std::int64_t> makeSchedule(Random& r, int firstDay, int days, std::size_t posts,
                                       std::int64_t after);

} // namespace loggen
