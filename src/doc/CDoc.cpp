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

const AnalysisLog& CDoc::analysisLog() const {
    return analysis_;
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

bool CDoc::computeReport(PreparedChange& change, const PostList& posts, const PostLog& log,
                         PostKeys* keys) const {
    reportStep(OperationStep::kCounting);
    const bool counted = keys ? computeStatistics(change.stats, posts, options_, *clock_, *keys)
                              : computeStatistics(change.stats, posts, options_, *clock_);
    if (counted && writeReport(change.report, change.stats, posts, log.formatNames, log.bytesRead,
                               log.fileSize))
        return true;
    change.stats.clear();
    change.report.clear();
    return false;
}

bool CDoc::computeWholeLogReport(PreparedChange& change) const {
    const bool sameSwitches =
        (wholeStatsOptions_.threadRanking != 0) == (options_.threadRanking != 0) &&
        (wholeStatsOptions_.monthThreadRanking != 0) == (options_.monthThreadRanking != 0);
    if (!sameSwitches || wholeStats_.lineTotal == 0)
        return computeReport(change, log_.posts, log_, readOnlyKeys());
    // The whole log has not changed since its statistics were computed at the load, and the
    // switches they depend on are the same: the same walk would give the same tables.
    change.stats = wholeStats_;
    recountRecent(change.stats, *clock_);
    if (writeReport(change.report, change.stats, log_.posts, log_.formatNames, log_.bytesRead,
                    log_.fileSize))
        return true;
    change.stats.clear();
    change.report.clear();
    return false;
}

PostKeys* CDoc::readOnlyKeys() const {
    // Statistics given keys only read them when there are some (they record keys only into
    // empty ones), so a preparation, which must not change the document, passes them only then.
    return postKeys_.empty() ? nullptr : const_cast<PostKeys*>(&postKeys_);
}

PreparedChange CDoc::prepareLoad(const std::vector<std::string>& paths, bool merge,
                                 std::uint64_t byteLimit, CancelToken* token) const {
    PreparedChange change;
    change.kind = PreparedChange::Kind::kLoad;
    change.clearsAnalysisLog = true;
    runPreparation(change, token, [&] {
        reportStep(OperationStep::kLoading);
        change.log = std::make_unique<PostLog>();
        PostLog& log = *change.log;
        // A merge loads the current files again with the new ones.
        if (merge) log.sourcePaths = log_.sourcePaths;
        change.ok = loader_(log, paths, merge, byteLimit);
        if (change.ok) {
            lorvanel::analysisLog().append("集計しています\r\n");
            Stopwatch clock;
            if (!log.posts.empty()) {
                // The whole log's statistics record the keys (which are empty now) unless
                // they are not wanted.
                change.ok =
                    computeReport(change, log.posts, log, recordPostKeys_ ? &change.keys : nullptr);
                change.wholeSelected = change.ok;
            }
            if (change.ok) {
                change.wholeStats = change.stats;
                change.wholeStatsOptions = options_;
                lorvanel::analysisLog().append("完了 %d㍉ﾋﾞｮ\r\n", clock.elapsedMs());
            }
        }
        if (!change.ok) {
            // A log whose statistics can't be computed is not kept.
            change.keys.clear();
            change.log.reset();
        }
    });
    return change;
}

PreparedChange CDoc::prepareSelection(PostList posts, CancelToken* token) const {
    return prepareSelection(
        [&](PostList& selected) {
            selected = std::move(posts);
            return true;
        },
        token);
}

PreparedChange CDoc::prepareSelection(const std::function<bool(PostList&)>& select,
                                      CancelToken* token) const {
    PreparedChange change;
    change.kind = PreparedChange::Kind::kSelection;
    runPreparation(change, token, [&] {
        reportStep(OperationStep::kCounting);
        PostList posts;
        if (!select(posts)) {
            change.kind = PreparedChange::Kind::kNothing;
            change.ok = false;
            return;
        }
        if (posts.empty()) return;
        change.ok = computeReport(change, posts, log_, readOnlyKeys());
        if (change.ok) change.selection = std::move(posts);
    });
    return change;
}

PreparedChange CDoc::prepareClearFilter(CancelToken* token) const {
    PreparedChange change;
    // Nothing happens when the whole log is already selected.
    if (!canClearFilter()) return change;
    change.kind = PreparedChange::Kind::kWholeLog;
    runPreparation(change, token, [&] {
        if (log_.posts.empty()) return;
        change.ok = computeWholeLogReport(change);
        change.wholeSelected = change.ok;
    });
    return change;
}

void CDoc::commitLoad(PreparedChange& change) {
    releaseSelection(nullptr);
    // The whole-log record lists created threads of the log that is about to be replaced,
    // and the keys point into its text.
    wholeStats_.clear();
    postKeys_.clear();
    if (change.ok && change.log) {
        // The old log goes with the change, after everything over it has been released.
        log_.swap(*change.log);
        postKeys_ = std::move(change.keys);
        wholeStats_ = std::move(change.wholeStats);
        wholeStatsOptions_ = change.wholeStatsOptions;
        selectionStats_ = std::move(change.stats);
        reportText_ = std::move(change.report);
        wholeSelected_ = change.wholeSelected;
        if (recent_) recent_->addRecentFile(joinPaths(log_.sourcePaths));
    } else {
        log_.clear();
    }
}

bool CDoc::commit(PreparedChange change, DocListener* sender) {
    if (change.cancelled) return false;
    // The preparation's messages are shown once the document is whole again and its views
    // know it.
    DeferredAlerts alerts;
    // The process's log too, for what runs outside a document (the command line prints it).
    AnalysisLog& process = lorvanel::analysisLog();
    if (change.clearsAnalysisLog) {
        analysis_.clear();
        process.clear();
    }
    analysis_.appendLog(change.analysis);
    process.appendLog(change.analysis);
    for (const std::string& text : change.alerts) showAlert(text);

    switch (change.kind) {
    case PreparedChange::Kind::kLoad:
        commitLoad(change);
        notify({DocHint::DataChanged}, nullptr);
        break;
    case PreparedChange::Kind::kSelection:
    case PreparedChange::Kind::kWholeLog:
        releaseSelection(sender);
        selection_ = std::move(change.selection);
        selectionStats_ = std::move(change.stats);
        reportText_ = std::move(change.report);
        wholeSelected_ = change.wholeSelected;
        notify({DocHint::DataChanged}, sender);
        break;
    case PreparedChange::Kind::kResultPage:
        if (!change.page) break;
        addResultPage(std::move(*change.page), sender);
        notifyKeywordAnalysisDone(sender);
        break;
    case PreparedChange::Kind::kNothing:
        break;
    }
    return change.ok;
}

bool CDoc::load(const std::vector<std::string>& paths, bool merge, std::uint64_t byteLimit) {
    return commit(prepareLoad(paths, merge, byteLimit), nullptr);
}

bool CDoc::applySelection(const PostList& posts, DocListener* sender) {
    return commit(prepareSelection(posts), sender);
}

bool CDoc::clearFilter(DocListener* sender) {
    return commit(prepareClearFilter(), sender);
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
