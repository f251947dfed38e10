#include "report/ComputeStatistics.h"

#include "input/AnalysisLog.h"
#include "report/StatisticsSteps.h"

#include <algorithm>

namespace lorvanel {

namespace {

bool computeWith(PostStatistics& s, const PostList& posts, const AnalyzeOptions& options,
                 const Clock& clock, PostKeys* keys) {
    // Keys are read when there are some, and recorded when there are none.
    const bool read = keys && !keys->empty();
    PostKeys* record = keys && !read ? keys : nullptr;
    // Only a whole log is recorded (each step checks every post's number).
    if (record && (posts.empty() || posts.front()->seq != 1 ||
                   posts.back()->seq != static_cast<std::int32_t>(posts.size())))
        record = nullptr;
    if (record) record->ofPost.assign(posts.size(), PostKeys::Key{});
    s.clear();
    if (!posts.empty()) {
        s.firstTime = posts.front()->time;
        s.lastTime = posts.back()->time;
        s.firstDayNumber = posts.front()->local().dayNumber;
        // Set once, before the walk that sizes the daily table from it: at least one day,
        // since a zone whose offset moves back across midnight can give the last post an
        // earlier local date than the first.
        s.daysInPeriod = std::max(1, posts.back()->local().dayNumber - s.firstDayNumber + 1);
        if (!read || !countPostTablesByKeys(s, posts, *keys)) countPostTables(s, posts, record);
    }
    if (s.lineTotal == 0) {
        if (record) record->clear();
        analysisLog().appendAndAlert("レスの解析に失敗しました");
        return false;
    }
    countMonths(s);
    countYears(s);
    findPostingRuns(s);
    findSilentRuns(s);
    s.postingDays = 0;
    for (const KeyCount& d : s.days) s.postingDays += d.count > 0;
    countRecent(s, clock.now());
    const bool threads = options.threadRanking != 0, months = options.monthThreadRanking != 0;
    if (!read)
        countTextTables(s, posts, threads, months, record && !record->empty() ? record : nullptr);
    else if (!countTextTablesByKeys(s, posts, threads, months, *keys))
        countTextTables(s, posts, threads, months);
    return true;
}

} // namespace

bool computeStatistics(PostStatistics& s, const PostList& posts, const AnalyzeOptions& options,
                       const Clock& clock) {
    return computeWith(s, posts, options, clock, nullptr);
}

bool computeStatistics(PostStatistics& s, const PostList& posts, const AnalyzeOptions& options,
                       const Clock& clock, PostKeys& keys) {
    return computeWith(s, posts, options, clock, &keys);
}

void recountRecent(PostStatistics& s, const Clock& clock) {
    countRecent(s, clock.now());
}

} // namespace lorvanel
