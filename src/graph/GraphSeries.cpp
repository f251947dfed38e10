#include "graph/GraphSeries.h"

#include "graph/LocalTimeCursor.h"

#include <algorithm>
#include <cstdint>

namespace lorvanel {

DayRange DayRange::of(const PostRecord& first, const PostRecord& last) {
    DayRange range;
    range.firstDay = first.local().dayNumber;
    range.days = std::max(1, last.local().dayNumber - range.firstDay + 1);
    return range;
}

std::vector<float> dailyCounts(const PostList& posts, const DayRange& range) {
    std::vector<float> counts(static_cast<std::size_t>(range.days), 0.0f);
    LocalTimeCursor local;
    forEachPost(posts, [&](const PostRecord& p) {
        const int i = range.indexOfDay(local.at(p.time).dayNumber);
        if (i >= 0) counts[static_cast<std::size_t>(i)] += 1.0f;
    });
    return counts;
}

void makeRunningTotal(std::vector<float>& values) {
    for (std::size_t i = 1; i < values.size(); ++i) values[i] += values[i - 1];
}

std::vector<float> resampled(std::span<const float> values, std::size_t n) {
    if (n == 0 || values.size() <= n) return {values.begin(), values.end()};
    if (n == 1) return {values.front()};
    // Integer arithmetic: the last point is exactly the last value (a running total ends at
    // the selection's total), whatever float rounding would make of it.
    const std::uint64_t span = values.size() - 1, steps = n - 1;
    std::vector<float> out(n);
    for (std::size_t k = 0; k < n; ++k) out[k] = values[k * span / steps];
    return out;
}

std::vector<float> movingAverage(std::span<const float> values, int window) {
    const auto n = static_cast<std::ptrdiff_t>(values.size());
    if (window <= 1 || n == 0) return {values.begin(), values.end()};
    // Sums of counts are exact in double; a window's sum is a difference of prefix sums.
    std::vector<double> prefix(values.size() + 1, 0.0);
    for (std::ptrdiff_t i = 0; i < n; ++i) prefix[i + 1] = prefix[i] + values[i];
    if (window >= n) {
        const auto mean = static_cast<float>(prefix[n] / static_cast<double>(n));
        return std::vector<float>(values.size(), mean);
    }
    std::vector<float> out(values.size());
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        std::ptrdiff_t first = i - window / 2;
        std::ptrdiff_t last = first + window - 1;
        if (first < 0) {
            last -= first;
            first = 0;
        }
        if (last > n - 1) {
            first -= last - (n - 1);
            last = n - 1;
        }
        out[i] = static_cast<float>((prefix[last + 1] - prefix[first]) / window);
    }
    return out;
}

std::size_t chartedBoardCount(std::span<const BoardCount> ranking, std::size_t reference) {
    std::size_t taken = std::min<std::size_t>(5, ranking.size());
    const std::size_t most = std::min<std::size_t>(10, ranking.size());
    while (taken < most && reference > 0 &&
           static_cast<double>(ranking[taken].count) / static_cast<double>(reference) >= 0.05)
        ++taken;
    return taken;
}

} // namespace lorvanel
