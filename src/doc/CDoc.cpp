#include "doc/CDoc.h"

#include "input/AnalysisLog.h"
#include "input/Loader.h"
#include "input/PathList.h"
#include "platform/DeferredAlerts.h"
#include "report/ComputeStatistics.h"
#include "report/WriteReport.h"

#include <algorithm>

namespace lorvanel {

CDoc::CDoc() : clock_(&systemClock()), loader_(&loadFiles) {}

AnalysisLog& CDoc::analysisLog() const {
    return lorvanel::analysisLog();
}

CDoc::~CDoc() {
    // Listeners are not told: the document is going away with the program.
    releasePosts(selection_);
    selectionStats_.clear();
    wholeStats_.clear();
    pages_.clear();
    postKeys_.clear();
    log_.clear();
}

void CDoc::setLoader(LogLoader loader) {
    loader_ = loader ? std::move(loader) : LogLoader(&loadFiles);
}

void CDoc::addListener(DocListener* listener) {
    if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void CDoc::removeListener(DocListener* listener) {
    std::erase(listeners_, listener);
}

void CDoc::notify(const DocUpdate& update, DocListener* sender) {
    // A listener may add or remove listeners while it is told; those removed are not called.
    const std::vector<DocListener*> targets = listeners_;
    for (DocListener* l : targets) {
        if (l == sender || std::find(listeners_.begin(), listeners_.end(), l) == listeners_.end())
            continue;
        l->documentUpdated(*this, update);
    }
}

void CDoc::deleteResultPages(DocListener* sender) {
    while (!pages_.empty()) {
        std::unique_ptr<ResultPage> page = std::move(pages_.front());
        pages_.erase(pages_.begin());
        notify({DocHint::ResultPage, page.get(), false}, sender);
    }
}

void CDoc::releaseSelection(DocListener* sender) {
    // Every view lets go of what it points at before anything is freed.
    notify({DocHint::SelectionAboutToChange}, nullptr);
    wholeSelected_ = false;
    releasePosts(selection_);
    reportText_.clear();
    selectionStats_.clear();
    deleteResultPages(sender);
}

bool CDoc::computeReport(const PostList& posts, bool withKeys) {
    const bool counted =
        withKeys ? computeStatistics(selectionStats_, posts, options_, *clock_, postKeys_)
                 : computeStatistics(selectionStats_, posts, options_, *clock_);
    if (counted && writeReport(reportText_, selectionStats_, posts, log_.formatNames,
                               log_.bytesRead, log_.fileSize))
        return true;
    selectionStats_.clear();
    reportText_.clear();
    return false;
}

bool CDoc::computeWholeLogReport() {
    const bool sameSwitches =
        (wholeStatsOptions_.threadRanking != 0) == (options_.threadRanking != 0) &&
        (wholeStatsOptions_.monthThreadRanking != 0) == (options_.monthThreadRanking != 0);
    if (!sameSwitches || wholeStats_.lineTotal == 0) return computeReport(log_.posts);
    // The whole log has not changed since its statistics were computed at the load, and the
    // switches they depend on are the same: the same walk would give the same tables.
    selectionStats_ = wholeStats_;
    recountRecent(selectionStats_, *clock_);
    if (writeReport(reportText_, selectionStats_, log_.posts, log_.formatNames, log_.bytesRead,
                    log_.fileSize))
        return true;
    selectionStats_.clear();
    reportText_.clear();
    return false;
}

bool CDoc::load(const std::vector<std::string>& paths, bool merge, std::uint64_t byteLimit) {
    // The load's messages are shown once the document is whole again and its views know it.
    DeferredAlerts alerts;
    releaseSelection(nullptr);
    // The whole-log record lists created threads of the log that is about to be replaced.
    wholeStats_.clear();
    postKeys_.clear();
    analysisLog().clear();

    bool ok = loader_(log_, paths, merge, byteLimit);
    if (ok) {
        analysisLog().append("集計しています\r\n");
        Stopwatch clock;
        if (!log_.posts.empty()) {
            // The whole log's statistics record the keys (which are empty now) unless they
            // are not wanted.
            ok = computeReport(log_.posts, recordPostKeys_);
            wholeSelected_ = ok;
        }
        if (ok) {
            wholeStats_ = selectionStats_;
            wholeStatsOptions_ = options_;
            analysisLog().append("完了 %d㍉ﾋﾞｮ\r\n", clock.elapsedMs());
            if (recent_) recent_->addRecentFile(joinPaths(log_.sourcePaths));
        } else {
            // A log whose statistics can't be computed is not kept.
            postKeys_.clear();
            log_.clear();
        }
    } else {
        postKeys_.clear();
        log_.clear();
    }
    notify({DocHint::DataChanged}, nullptr);
    return ok;
}

bool CDoc::applySelection(const PostList& posts, DocListener* sender) {
    // A copy first: posts may be the current selection, which is emptied below.
    PostList next = posts;
    DeferredAlerts alerts;
    releaseSelection(sender);
    bool ok = true;
    if (!next.empty()) {
        ok = computeReport(next);
        if (ok) selection_ = std::move(next);
    }
    notify({DocHint::DataChanged}, sender);
    return ok;
}

bool CDoc::clearFilter(DocListener* sender) {
    if (!canClearFilter()) return true;
    DeferredAlerts alerts;
    releaseSelection(sender);
    bool ok = true;
    if (!log_.posts.empty()) {
        ok = computeWholeLogReport();
        wholeSelected_ = ok;
    }
    notify({DocHint::DataChanged}, sender);
    return ok;
}

void CDoc::close() {
    releaseSelection(nullptr);
    wholeStats_.clear();
    postKeys_.clear();
    log_.clear();
    notify({DocHint::DataChanged}, nullptr);
}

const ResultPage* CDoc::addResultPage(ResultPage page, DocListener* sender) {
    pages_.push_back(std::make_unique<ResultPage>(std::move(page)));
    const ResultPage* added = pages_.back().get();
    notify({DocHint::ResultPage, added, true}, sender);
    return added;
}

bool CDoc::removeResultPage(const ResultPage* page, DocListener* sender) {
    auto it =
        std::find_if(pages_.begin(), pages_.end(), [&](const auto& p) { return p.get() == page; });
    if (it == pages_.end()) return false;
    std::unique_ptr<ResultPage> removed = std::move(*it);
    pages_.erase(it);
    notify({DocHint::ResultPage, removed.get(), false}, sender);
    return true;
}

void CDoc::notifyKeywordAnalysisDone(DocListener* sender) {
    notify({DocHint::KeywordAnalysisDone}, sender);
}

} // namespace lorvanel
