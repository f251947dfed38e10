#pragma once
// A change of the document computed apart from it: a load, a selection, a return to the whole
// log or a result page, prepared from what the document holds into objects of its own (on a
// worker while the views go on reading the document) and swapped in by CDoc::commit on the
// views' thread. Messages and analysis-log entries raised while preparing travel with it.
#include "input/AnalysisLog.h"
#include "input/PostLog.h"
#include "keywords/KeywordFileAnalysis.h"
#include "keywords/ResultPage.h"
#include "platform/Cancellation.h"
#include "report/AnalyzeOptions.h"
#include "report/PostKeys.h"
#include "stats/PostStatistics.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lorvanel {

struct PreparedChange {
    enum class Kind { kNothing, kLoad, kSelection, kWholeLog, kResultPage };
    Kind kind = Kind::kNothing;
    // Stopped by its token: commits as nothing at all, with no message.
    bool cancelled = false;
    // What the operation returns; a failed change may still be committed (a failed load
    // leaves the document empty, a selection whose statistics fail an empty selection).
    bool ok = true;

    // kLoad: the new log with its keys and whole-log statistics.
    std::unique_ptr<PostLog> log;
    PostKeys keys;
    PostStatistics wholeStats;
    AnalyzeOptions wholeStatsOptions;

    // kLoad, kSelection, kWholeLog: the new selection (empty while the whole log is selected)
    // with its statistics and report.
    PostList selection;
    bool wholeSelected = false;
    PostStatistics stats;
    std::string report;

    // kResultPage: the page, absent when the analysis failed (why in keywordFailure).
    std::optional<ResultPage> page;
    KeywordFileFailure keywordFailure = KeywordFileFailure::kNone;

    // The analysis-log entries written while preparing, added to the process's log on commit
    // (after clearing it, for a load), and the messages to show once committed.
    AnalysisLog analysis;
    bool clearsAnalysisLog = false;
    std::vector<std::string> alerts;
};

// Runs work as one preparation: with token as the thread's cancellation token, the thread's
// analysis-log entries and messages kept in change. When the token stops it, change is
// emptied and marked cancelled; when work throws (out of memory), change is emptied and
// failed, with the error in its messages.
void runPreparation(PreparedChange& change, CancelToken* token, const std::function<void()>& work);

} // namespace lorvanel
