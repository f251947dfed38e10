#pragma once
// The aggregations that computeStatistics runs in turn, each filling its part of the record
// from the post list (ascending by time) or from the tables of earlier steps.
#include "report/PostStatistics.h"
#include "report/TextKeys.h"

namespace lorvanel {

inline constexpr std::size_t kMaxRuns = 10;
inline constexpr std::size_t kMaxBusiestHours = 10;
inline constexpr std::size_t kMaxRankedThreads = 20;

// One walk over the posts for the tables of fixed shape: hours, weekdays, line counts and
// line total, days, created threads and busiest hours. Needs firstDayNumber and
// daysInPeriod set. (A walk per table would pull every record through the cache again.)
void countPostTables(PostStatistics& s, const PostList& posts);

// From the daily table.
void countMonths(PostStatistics& s);
void countYears(PostStatistics& s);
void findPostingRuns(PostStatistics& s);
void findSilentRuns(PostStatistics& s);
void countRecent(PostStatistics& s, Time32 now);

// One walk over the posts' texts: the board table, and when switched on the thread ranking
// with the thread count and the most-written thread of every month. With record, posts must
// be a whole log (seq 1..n in order): its keys are recorded into *record along the way, with
// the titles when a ranking is on (record is left empty when posts are no whole log).
void countTextTables(PostStatistics& s, const PostList& posts, bool threadRanking,
                     bool monthThreadRanking, TextKeys* record = nullptr);

// The same tables from the keys recorded for the log that posts belong to. False, with s
// unchanged, when the keys can't give them (titles not recorded though a ranking is on, a
// post that the keys don't cover).
bool countTextTablesByKeys(PostStatistics& s, const PostList& posts, bool threadRanking,
                           bool monthThreadRanking, const TextKeys& keys);

} // namespace lorvanel
