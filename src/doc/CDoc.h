#pragma once
// The document: the loaded post log, the current selection with its statistics and report,
// the whole-log statistics and the keyword result pages. Every load, filter, clear and close
// goes through it; views read it and refresh on its hints. Before it releases the selection,
// its statistics, the result pages or the log, every listener gets
// DocHint::SelectionAboutToChange. Messages raised while it works are shown when it is done.
#include "doc/DocListener.h"
#include "doc/PreparedChange.h"
#include "doc/RecentFileSink.h"
#include "input/AnalysisLog.h"
#include "input/PostLog.h"
#include "keywords/ResultPage.h"
#include "platform/Clock.h"
#include "report/AnalyzeOptions.h"
#include "report/PostKeys.h"
#include "stats/PostStatistics.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lorvanel {

class CDoc {
public:
    // Fills the post log from files; loadFiles unless replaced.
    using LogLoader = std::function<bool(PostLog& log, std::vector<std::string> paths, bool merge,
                                         std::uint64_t byteLimit)>;

    CDoc();
    ~CDoc();
    CDoc(const CDoc&) = delete;
    CDoc& operator=(const CDoc&) = delete;

    AnalyzeOptions& analyzeOptions() { return options_; }
    const AnalyzeOptions& analyzeOptions() const { return options_; }

    // Loads the files (with merge, the current ones too) within byteLimit bytes per file
    // (0 = whole files), computes the whole log's statistics and report and selects the whole
    // log. The analysis log is cleared first and tells what happened. On failure the
    // document holds no posts. Every listener gets DataChanged.
    bool load(const std::vector<std::string>& paths, bool merge, std::uint64_t byteLimit);

    // Makes posts (of this document's log, in time order) the current selection with its
    // statistics and report; an empty list leaves the selection and the report empty. On a
    // failed statistics run the selection stays empty. DataChanged to all but the sender.
    bool applySelection(const PostList& posts, DocListener* sender = nullptr);

    // Returns to the whole log; nothing happens (no recomputation, no hint) when the whole
    // log is already selected.
    bool clearFilter(DocListener* sender = nullptr);
    bool canClearFilter() const { return selection().size() != log_.posts.size(); }

    // The operations above in two halves, for running the long part on a worker. A prepare
    // function only reads the document, so it may run on another thread while the views go
    // on reading it, as long as nothing changes the document meanwhile; with a token it stops
    // early once the token is cancelled, and the change says so. commit, on the views'
    // thread, swaps the change in: the notice first, then the swap, the hints and the
    // messages raised while preparing. A cancelled change commits as nothing at all: no
    // notice, no hint, no message. Returns what the operation returns.
    PreparedChange prepareLoad(const std::vector<std::string>& paths, bool merge,
                               std::uint64_t byteLimit, CancelToken* token = nullptr) const;
    PreparedChange prepareSelection(PostList posts, CancelToken* token = nullptr) const;
    // The selection of the posts that select lists, chosen as part of the preparation; when
    // select fails the document is to stay as it is (its messages are still shown).
    PreparedChange prepareSelection(const std::function<bool(PostList&)>& select,
                                    CancelToken* token = nullptr) const;
    PreparedChange prepareClearFilter(CancelToken* token = nullptr) const;
    bool commit(PreparedChange change, DocListener* sender = nullptr);

    // Releases everything and empties the post log. DataChanged to every listener.
    void close();

    PostLog& postLog() { return log_; }
    const PostLog& postLog() const { return log_; }
    const PostList& selection() const { return wholeSelected_ ? log_.posts : selection_; }
    const PostStatistics& selectionStatistics() const { return selectionStats_; }
    const PostStatistics& wholeLogStatistics() const { return wholeStats_; }
    const std::string& reportText() const { return reportText_; }
    // The messages of this document's loads and analyses, shown under the report: those of
    // the operations it committed since its last load.
    const AnalysisLog& analysisLog() const;

    // Result pages in creation order. A page lives until it is removed or the selection
    // changes; listeners get ResultPage with the page either way.
    const std::vector<std::unique_ptr<ResultPage>>& resultPages() const { return pages_; }
    const ResultPage* addResultPage(ResultPage page, DocListener* sender = nullptr);
    bool removeResultPage(const ResultPage* page, DocListener* sender = nullptr);
    void notifyKeywordAnalysisDone(DocListener* sender = nullptr);

    void addListener(DocListener* listener);
    void removeListener(DocListener* listener);
    void setRecentFileSink(RecentFileSink* sink) { recent_ = sink; }
    // "Now" of the recent counts; the clock must outlive the document.
    void setClock(const Clock& clock) { clock_ = &clock; }
    const Clock& clock() const { return *clock_; }
    void setLoader(LogLoader loader);
    // Whether loads record the post keys that make the statistics of later selections quick
    // (on by default). They cost a few bytes per post; a document that reports the whole log
    // and nothing else has no use for them.
    void setRecordPostKeys(bool record) { recordPostKeys_ = record; }

private:
    // Empties the selection, its statistics and report and deletes the result pages; the
    // lists over the log go before anything touches the log itself.
    void releaseSelection(DocListener* sender);
    void deleteResultPages(DocListener* sender);
    // Statistics and report of posts of log into the change's record and text; with keys,
    // the statistics read them, or record them when there are none.
    bool computeReport(PreparedChange& change, const PostList& posts, const PostLog& log,
                       PostKeys* keys) const;
    // The same for the whole log, from the whole-log statistics when they were computed with
    // the current switches: only the recent counts are counted again.
    bool computeWholeLogReport(PreparedChange& change) const;
    PostKeys* readOnlyKeys() const;
    void commitLoad(PreparedChange& change);
    void notify(const DocUpdate& update, DocListener* sender);

    // Declared so that everything over the log's records is destroyed before the log.
    AnalyzeOptions options_;
    PostLog log_;
    // What the statistics read of each post of the log as numbers (board, title, local day
    // and hour), recorded by the load's statistics and read by those of every selection;
    // cleared whenever the log changes.
    PostKeys postKeys_;
    PostStatistics wholeStats_;
    AnalyzeOptions wholeStatsOptions_; // what wholeStats_ was computed with
    // The selection: the log's own list while the whole log is selected (a copy would cost a
    // pointer per post), else a list of its own.
    PostList selection_;
    bool wholeSelected_ = false;
    PostStatistics selectionStats_;
    std::string reportText_;
    AnalysisLog analysis_;
    std::vector<std::unique_ptr<ResultPage>> pages_;

    std::vector<DocListener*> listeners_;
    RecentFileSink* recent_ = nullptr;
    const Clock* clock_;
    LogLoader loader_;
    bool recordPostKeys_ = true;
};

} // namespace lorvanel
