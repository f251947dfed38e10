#include "report/ComputeStatistics.h"

#include "input/AnalysisLog.h"
#include "report/StatisticsSteps.h"

#include <algorithm>

namespace lorvanel {

namespace {

bool computeWith(PostStatistics& s, const PostList& posts, const AnalyzeOptions& options,
                 const Clock& clock, TextKeys* keys) {
    s.clear();
    if (!posts.empty()) {
        s.firstTime = posts.front()->time;
        s.lastTime = posts.back()->time;
        s.firstDayNumber = posts.front()->local().dayNumber;
        // Set once, before the walk that sizes the daily table from it: at least one day,
        // since a zone whose offset moves back across midnight can give the last post an
        // earlier local date than the first.
        s.daysInPeriod = std::max(1, posts.back()->local().dayNumber - s.firstDayNumber + 1);
        countPostTables(s, posts);
    }
    if (s.lineTotal == 0) {
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
    if (!keys)
        countTextTables(s, posts, threads, months);
    else if (keys->empty())
        countTextTables(s, posts, threads, months, keys);
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
                       const Clock& clock, TextKeys& keys) {
    return computeWith(s, posts, options, clock, &keys);
}

void recountRecent(PostStatistics& s, const Clock& clock) {
    countRecent(s, clock.now());
}

} // namespace lorvanel
