#pragma once
// The aggregations that computeStatistics runs in turn, each filling its part of the record
// from the post list (ascending by time) or from the tables of earlier steps.
#include "report/PostKeys.h"
#include "stats/PostStatistics.h"

namespace lorvanel {

inline constexpr std::size_t kMaxRuns = 10;
inline constexpr std::size_t kMaxBusiestHours = 10;
inline constexpr std::size_t kMaxRankedThreads = 20;

// One walk over the posts for the tables of fixed shape: hours, weekdays, line counts and
// line total, days, created threads and busiest hours. Needs firstDayNumber and
// daysInPeriod set. (A walk per table would pull every record through the cache again.)
// With record (sized to posts), posts must be a whole log (seq 1..n in order): each post's
// local day and hour are recorded into it; it is cleared when posts are no whole log.
void countPostTables(PostStatistics& s, const PostList& posts, PostKeys* record = nullptr);

// The same tables from the keys recorded for the log that posts belong to. False when a post
// is not covered by the keys; the tables must then be counted again from the posts.
bool countPostTablesByKeys(PostStatistics& s, const PostList& posts, const PostKeys& keys);

// From the daily table.
void countMonths(PostStatistics& s);
void countYears(PostStatistics& s);
void findPostingRuns(PostStatistics& s);
void findSilentRuns(PostStatistics& s);
void countRecent(PostStatistics& s, Time32 now);

// One walk over the posts' texts: the board table, and when switched on the thread ranking
// with the thread count and the most-written thread of every month. With record (sized to
// posts and holding their days), posts must be a whole log (seq 1..n in order): their boards
// are recorded into it, and their titles when a ranking is on; it is cleared when posts are
// no whole log or have too many boards.
void countTextTables(PostStatistics& s, const PostList& posts, bool threadRanking,
                     bool monthThreadRanking, PostKeys* record = nullptr);

// The same tables from the keys recorded for the log that posts belong to. False, with s
// unchanged, when the keys can't give them (titles not recorded though a ranking is on, a
// post that the keys don't cover).
bool countTextTablesByKeys(PostStatistics& s, const PostList& posts, bool threadRanking,
                           bool monthThreadRanking, const PostKeys& keys);

} // namespace lorvanel
