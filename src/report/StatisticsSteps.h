#pragma once
// The aggregations that computeStatistics runs in turn, each filling its part of the record
// from the post list (ascending by time) and from the tables of earlier steps.
#include "report/PostStatistics.h"

namespace lorvanel {

// Time tables. countDays needs firstTime, lastTime and firstDayNumber set.
void countHours(PostStatistics& s, const PostList& posts);
void countWeekdays(PostStatistics& s, const PostList& posts);
void countDays(PostStatistics& s, const PostList& posts);
void countMonths(PostStatistics& s);
void countYears(PostStatistics& s);
void findPostingRuns(PostStatistics& s);
void findSilentRuns(PostStatistics& s);
void findBusiestHours(PostStatistics& s, const PostList& posts);
void countRecent(PostStatistics& s, Time32 now);

// Where and how long.
void countBoards(PostStatistics& s, const PostList& posts);
void countLineCounts(PostStatistics& s, const PostList& posts);
void collectCreatedThreads(PostStatistics& s, const PostList& posts);
void rankThreads(PostStatistics& s, const PostList& posts);
void rankMonthThreads(PostStatistics& s, const PostList& posts);

inline constexpr std::size_t kMaxRuns = 10;
inline constexpr std::size_t kMaxBusiestHours = 10;
inline constexpr std::size_t kMaxRankedThreads = 20;

} // namespace lorvanel
