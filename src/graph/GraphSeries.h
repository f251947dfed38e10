#pragma once
// The series helpers the graph kinds share: days of a selection, daily counts spread over
// its range, running totals, resampling, moving averages, and the rule that admits ranked
// boards to the cumulative graph.
#include "input/PostList.h"
#include "stats/BoardRanking.h"

#include <cstddef>
#include <span>
#include <vector>

namespace lorvanel {

// Calls f(record) for the posts of a list in order. A selection's records lie scattered over
// the log's, so each one is asked for a few turns ahead: reading its fields then need not
// wait for memory, which is most of what a graph's pass over a large selection costs.
template <class F> void forEachPost(const PostList& posts, F&& f) {
    constexpr std::size_t kAhead = 16;
    const std::size_t n = posts.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i + kAhead < n) {
            const char* ahead = reinterpret_cast<const char*>(posts[i + kAhead]);
            __builtin_prefetch(ahead);
            __builtin_prefetch(ahead + sizeof(PostRecord) - 1);
        }
        f(*posts[i]);
    }
}

// The local calendar days from the day of `first` to the day of `last`.
struct DayRange {
    int firstDay = 0; // local day number
    int days = 0;     // at least 1

    static DayRange of(const PostRecord& first, const PostRecord& last);
    // Index of a post's day (or of a local day number) in the range, or -1 outside it.
    int indexOf(const PostRecord& post) const { return indexOfDay(post.local().dayNumber); }
    int indexOfDay(int dayNumber) const {
        const int i = dayNumber - firstDay;
        return i >= 0 && i < days ? i : -1;
    }
};

// One value per day of the range: the number of posts of that day (0 outside the posts'
// own first and last day).
std::vector<float> dailyCounts(const PostList& posts, const DayRange& range);

// value i += value i - 1.
void makeRunningTotal(std::vector<float>& values);

// At most n values: when there are more, point k takes the value at
// floor(k * (size - 1) / (n - 1)), so that the first and the last value are both kept.
std::vector<float> resampled(std::span<const float> values, std::size_t n);

// Moving average over `window` values; windows at the edges shift inwards so that each holds
// `window` values; a window as long as the series or longer gives the mean everywhere.
std::vector<float> movingAverage(std::span<const float> values, int window);

// How many of the ranked boards the cumulative graph charts: the first five, then each next
// one while fewer than ten are taken and it holds at least 5 % of `reference` posts.
std::size_t chartedBoardCount(std::span<const BoardCount> ranking, std::size_t reference);

} // namespace lorvanel
