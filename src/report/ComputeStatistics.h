#pragma once
// Filling a PostStatistics record from a time-ordered post list.
#include "platform/Clock.h"
#include "report/AnalyzeOptions.h"
#include "report/PostKeys.h"
#include "stats/PostStatistics.h"

namespace lorvanel {

// Runs every aggregation over posts (ascending by time); the recent counts are relative to
// clock.now(). Fails, with a message box and an analysis log entry, when no post has between 1 and
// 99 lines (or the list is empty); the record's content is then of no use.
bool computeStatistics(PostStatistics& stats, const PostList& posts, const AnalyzeOptions& options,
                       const Clock& clock = systemClock());

// The same, with the keys of the log that posts belong to (see PostKeys): when there are
// some, the tables are counted from them as far as they serve (else from the posts); when
// there are none and posts are a whole log (seq 1..n in order), they are recorded along the
// way.
bool computeStatistics(PostStatistics& stats, const PostList& posts, const AnalyzeOptions& options,
                       const Clock& clock, PostKeys& keys);

// Counts the recent posts (today, yesterday, this and last week, this month) of a record that
// computeStatistics filled again, relative to clock.now(); the other tables don't depend on
// the time they are computed at.
void recountRecent(PostStatistics& stats, const Clock& clock = systemClock());

} // namespace lorvanel
