#include "report/ComputeStatistics.h"

#include "input/AnalysisLog.h"
#include "report/StatisticsSteps.h"

namespace lorvanel {

bool computeStatistics(PostStatistics& s, const PostList& posts, const AnalyzeOptions& options,
                       const Clock& clock) {
    s.clear();
    if (!posts.empty()) {
        s.firstTime = posts.front()->time;
        s.lastTime = posts.back()->time;
        s.firstDayNumber = posts.front()->local().dayNumber;
        s.daysInPeriod = posts.back()->local().dayNumber - s.firstDayNumber + 1;
        countPostTables(s, posts);
        s.daysInPeriod = static_cast<int>(s.days.size());
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
    countTextTables(s, posts, options.threadRanking != 0, options.monthThreadRanking != 0);
    return true;
}

} // namespace lorvanel
