#include "Schedule.h"

#include <algorithm>

namespace loggen {

namespace {

// Relative activity per hour: quiet mornings, a lunch bump, busy evenings and nights.
const std::vector<double> kWeekdayHours = {9,   6.5, 4,   2.5, 1.2, 0.6, 0.6,  1.3,
                                           1.8, 1.8, 2,   2.3, 4.5, 3.4, 2.4,  2.4,
                                           2.6, 3.2, 4.2, 5.8, 7.5, 9.2, 10.5, 11};
const std::vector<double> kWeekendHours = {10, 8, 6,   3.5, 1.8, 0.8, 0.6, 0.8, 1.5, 2.6, 3.5,  4.2,
                                           5,  5, 4.8, 4.6, 4.6, 4.8, 5.2, 6.5, 8,   9.5, 10.5, 11};

int weekdayOf(int dayNumber) {
    return (dayNumber + 4) % 7;
} // 1970-01-01 was a Thursday

std::vector<double> dayWeights(Random& r, int firstDay, int days) {
    std::vector<double> w(days, 0.0);
    double level = 0;
    int segment = 0;
    for (int d = 0; d < days; ++d) {
        if (segment-- <= 0) {
            segment = static_cast<int>(r.between(7, 45));
            level = 0.8 * level + 0.55 * r.normal();
        }
        if (r.chance(0.16)) continue; // a silent day
        const int wd = weekdayOf(firstDay + d);
        const double f = wd == 6 ? 1.35 : wd == 0 ? 1.25 : wd == 5 ? 1.1 : 1.0;
        w[d] = std::exp(level) * f * r.logNormal(0.7);
    }
    // Breaks of a week to a few months, never more than a third of the span.
    if (days >= 30) {
        int budget = days / 3;
        int d = static_cast<int>(r.exponential(70));
        while (d < days && budget > 0) {
            const double x = r.uniform();
            int length = x < 0.6                 ? static_cast<int>(r.between(5, 13))
                         : x < 0.9 || days < 400 ? static_cast<int>(r.between(14, 35))
                                                 : static_cast<int>(r.between(40, 120));
            length = std::min(length, budget);
            for (int j = d; j < std::min(days, d + length); ++j) w[j] = 0;
            budget -= length;
            d += length + 7 + static_cast<int>(r.exponential(80));
        }
    }
    if (std::all_of(w.begin(), w.end(), [](double x) { return x <= 0; }))
        std::fill(w.begin(), w.end(), 1.0);
    return w;
}

void dayTimes(Random& r, std::int64_t dayStart, std::size_t k, bool weekend,
              std::vector<std::int64_t>& out) {
    static const std::vector<double> weekdayCw = cumulate(kWeekdayHours);
    static const std::vector<double> weekendCw = cumulate(kWeekendHours);
    const std::vector<double>& cw = weekend ? weekendCw : weekdayCw;
    // Sessions of about six posts on average; a heavy day has many.
    std::vector<std::size_t> sizes;
    for (std::size_t left = k; left > 0;) {
        std::size_t s = 1 + static_cast<std::size_t>(r.exponential(5.5));
        s = std::min(s, left);
        sizes.push_back(s);
        left -= s;
    }
    std::vector<std::int64_t> starts;
    for (std::size_t i = 0; i < sizes.size(); ++i)
        starts.push_back(dayStart + 3600 * static_cast<std::int64_t>(pickWeighted(r, cw)) +
                         static_cast<std::int64_t>(r.below(3600)));
    std::sort(starts.begin(), starts.end());
    // A day too full for the usual pace is written faster.
    const double busy = static_cast<double>(k) * 400.0;
    const double scale = busy > 57600.0 ? 57600.0 / busy : 1.0;
    std::int64_t free = 0;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        std::int64_t t = std::max(starts[i], free);
        for (std::size_t j = 0; j < sizes[i]; ++j) {
            out.push_back(t);
            const double x = r.uniform();
            const double gap = x < 0.5    ? 25 + r.exponential(70)
                               : x < 0.88 ? 120 + r.exponential(300)
                                          : 600 + r.exponential(1200);
            t += static_cast<std::int64_t>(gap * scale) + 1;
        }
        free = t + static_cast<std::int64_t>(600 * scale) + 60;
    }
}

} // namespace

std::vector<std::int64_t> makeSchedule(Random& r, int firstDay, int days, std::size_t posts,
                                       std::int64_t after) {
    const std::vector<double> cw = cumulate(dayWeights(r, firstDay, days));
    std::vector<std::size_t> counts(days, 0);
    for (std::size_t i = 0; i < posts; ++i) ++counts[pickWeighted(r, cw)];
    std::vector<std::int64_t> times;
    times.reserve(posts);
    for (int d = 0; d < days; ++d) {
        const std::size_t k = counts[d];
        if (k == 0) continue;
        const int wd = weekdayOf(firstDay + d);
        dayTimes(r, static_cast<std::int64_t>(firstDay + d) * 86400, k, wd == 0 || wd == 6, times);
    }
    std::sort(times.begin(), times.end());
    std::int64_t prev = after;
    for (std::int64_t& t : times) {
        if (t <= prev) t = prev + 1;
        prev = t;
    }
    return times;
}

} // namespace loggen
