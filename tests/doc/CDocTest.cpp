#include "doc/CDoc.h"

#include "input/AnalysisLog.h"
#include "platform/Alert.h"
#include "report/ComputeStatistics.h"
#include "report/WriteReport.h"
#include "support/MemoryLog.h"
#include "support/RecordingAlertSink.h"

#include <gtest/gtest.h>
#include <set>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::fillPostLog;
using lorvanel::testing::TestPost;

namespace {

constexpr DocHint kAbout = DocHint::SelectionAboutToChange;
constexpr DocHint kData = DocHint::DataChanged;
constexpr DocHint kPage = DocHint::ResultPage;
constexpr DocHint kDone = DocHint::KeywordAnalysisDone;

// Records every notification and checks, at each one, that every post the document's lists
// refer to is still a post of its log.
class CheckingListener : public DocListener {
public:
    void documentUpdated(CDoc& doc, const DocUpdate& update) override {
        hints.push_back(update.hint);
        alertsSeen.push_back(lorvanel::testing::recordedAlerts().texts.size());
        if (update.hint == DocHint::ResultPage) {
            pages.push_back(update.page);
            added.push_back(update.pageAdded);
            titles.push_back(update.page->title);
        }
        const std::set<const PostRecord*> live(doc.postLog().posts.begin(),
                                               doc.postLog().posts.end());
        auto check = [&](const PostList& list, const char* what) {
            for (const PostRecord* p : list) {
                if (!live.count(p))
                    ADD_FAILURE() << what << " refers to a post that is not in the log";
            }
        };
        check(doc.selection(), "the selection");
        check(doc.selectionStatistics().createdThreads, "the selection's created threads");
        check(doc.wholeLogStatistics().createdThreads, "the whole log's created threads");
    }
    std::vector<DocHint> hints;
    // How many message boxes had been shown at each notification.
    std::vector<std::size_t> alertsSeen;
    std::vector<const ResultPage*> pages;
    std::vector<bool> added;
    std::vector<std::string> titles;
};

// Posts on 1, 2 and 5 March 2008; the second opened its thread.
std::vector<TestPost> threeDays() {
    std::vector<TestPost> posts(4);
    posts[0].time = at(2008, 3, 1, 10);
    posts[1].time = at(2008, 3, 2, 11);
    posts[1].newThread = true;
    posts[1].title = "立てたスレ";
    posts[2].time = at(2008, 3, 5, 12);
    posts[3].time = at(2008, 3, 5, 13);
    posts[3].dir = "anime";
    return posts;
}

// Accepts the posts on one day of the month.
struct OnDay {
    int day;
    bool acceptPost(const PostRecord& p) const { return p.local().day == day; }
};

class CDocTest : public ::testing::Test {
protected:
    CDocTest() : clock(at(2008, 3, 5, 20)) {
        doc.setClock(clock);
        doc.setLoader(
            [this](PostLog& log, std::vector<std::string> paths, bool merge, std::uint64_t limit) {
                ++loads;
                // A load fills a log of its own; the document's log, and everything over it,
                // stay as they are until the load is committed.
                EXPECT_NE(&log, &doc.postLog());
                EXPECT_TRUE(log.posts.empty());
                lastPaths = paths;
                lastMerge = merge;
                lastLimit = limit;
                if (!loadSucceeds) {
                    log.clear();
                    return false;
                }
                lorvanel::testing::LoadFacts facts;
                facts.sourcePaths = paths;
                fillPostLog(log, nextPosts, facts);
                return true;
            });
        doc.addListener(&view);
        doc.addListener(&tree);
    }
    ~CDocTest() override {
        analysisLog().clear();
        lorvanel::testing::recordedAlerts().clear();
    }
    PostList select(int day) {
        PostList list;
        selectPosts(list, doc.postLog().posts, OnDay{day});
        return list;
    }
    void addPages() {
        doc.addResultPage({"ページ1", "a"});
        doc.addResultPage({"ページ2", "b"});
        view = CheckingListener();
        tree = CheckingListener();
    }

    FixedClock clock;
    CDoc doc;
    CheckingListener view, tree;
    std::vector<TestPost> nextPosts = threeDays();
    bool loadSucceeds = true;
    int loads = 0;
    std::vector<std::string> lastPaths;
    bool lastMerge = false;
    std::uint64_t lastLimit = 0;
};

class RecordingRecentFiles : public RecentFileSink {
public:
    void addRecentFile(const std::string& joined) override { entries.push_back(joined); }
    std::vector<std::string> entries;
};

} // namespace

TEST_F(CDocTest, LoadSelectsTheWholeLogWithItsReport) {
    RecordingRecentFiles recent;
    doc.setRecentFileSink(&recent);
    ASSERT_TRUE(doc.load({"a.txt", "b.txt"}, true, 1 << 20));
    EXPECT_EQ(lastPaths, (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_TRUE(lastMerge);
    EXPECT_EQ(lastLimit, 1u << 20);
    EXPECT_EQ(doc.selection().size(), 4u);
    EXPECT_FALSE(doc.canClearFilter());
    EXPECT_EQ(doc.selectionStatistics().postingDays, 3);
    EXPECT_EQ(doc.selectionStatistics().today, 2);
    EXPECT_EQ(doc.wholeLogStatistics().postingDays, 3);
    EXPECT_EQ(doc.wholeLogStatistics().createdThreadCount, 1u);
    EXPECT_EQ(doc.reportText().rfind("★総合結果\r\n期間 2008/03/01～2008/03/05 (5日)\r\n", 0), 0u);
    EXPECT_EQ(recent.entries, (std::vector<std::string>{"\"a.txt\"\"b.txt\""}));
    EXPECT_EQ(view.hints, (std::vector<DocHint>{kAbout, kData}));
    EXPECT_EQ(tree.hints, (std::vector<DocHint>{kAbout, kData}));
    // The analysis log was emptied, then told of the statistics run.
    ASSERT_EQ(analysisLog().entryCount(), 2u);
    EXPECT_EQ(analysisLog().entries()[0], "集計しています\r\n");
    EXPECT_EQ(analysisLog().entries()[1].rfind("完了 ", 0), 0u);
    EXPECT_TRUE(analysisLog().entries()[1].ends_with("㍉ﾋﾞｮ\r\n"));
}

TEST_F(CDocTest, ApplyingASelectionTellsEveryViewButTheSender) {
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    const PostStatistics whole = doc.wholeLogStatistics();
    ASSERT_TRUE(doc.applySelection(select(5), &tree));
    EXPECT_EQ(doc.selection().size(), 2u);
    EXPECT_TRUE(doc.canClearFilter());
    EXPECT_EQ(doc.selectionStatistics().daysInPeriod, 1);
    EXPECT_EQ(doc.reportText().rfind("★総合結果\r\n期間 2008/03/05～2008/03/05 (1日)\r\n", 0), 0u);
    // The load facts of the files still appear in the selection's report.
    EXPECT_NE(doc.reportText().find("lorvanel.txtのタイプ Jane\r\n"), std::string::npos);
    EXPECT_EQ(view.hints, (std::vector<DocHint>{kAbout, kData, kAbout, kData}));
    EXPECT_EQ(tree.hints, (std::vector<DocHint>{kAbout, kData, kAbout}));
    // The whole-log statistics are a copy of their own.
    EXPECT_EQ(doc.wholeLogStatistics().postingDays, whole.postingDays);
    EXPECT_EQ(doc.wholeLogStatistics().days, whole.days);
    EXPECT_EQ(doc.wholeLogStatistics().createdThreadCount, 1u);
}

TEST_F(CDocTest, AnEmptySelectionThenClearFilterRestoresTheWholeLog) {
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    ASSERT_TRUE(doc.applySelection(select(20), &tree));
    EXPECT_TRUE(doc.selection().empty());
    EXPECT_TRUE(doc.reportText().empty());
    EXPECT_TRUE(doc.canClearFilter());
    ASSERT_TRUE(doc.clearFilter(&tree));
    EXPECT_EQ(doc.selection().size(), 4u);
    EXPECT_EQ(doc.selectionStatistics().postingDays, 3);
    EXPECT_EQ(doc.reportText().rfind("★総合結果\r\n期間 2008/03/01～", 0), 0u);
    EXPECT_EQ(view.hints, (std::vector<DocHint>{kAbout, kData, kAbout, kData, kAbout, kData}));
    EXPECT_EQ(tree.hints, (std::vector<DocHint>{kAbout, kData, kAbout, kAbout}));
}

TEST_F(CDocTest, ClearFilterOnTheWholeLogDoesNothing) {
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    addPages();
    const std::string report = doc.reportText();
    // Were the statistics run again, "today" would follow the clock.
    clock.set(at(2008, 3, 2, 20));
    EXPECT_TRUE(doc.clearFilter());
    EXPECT_EQ(doc.selectionStatistics().today, 2);
    EXPECT_EQ(doc.reportText(), report);
    EXPECT_EQ(doc.resultPages().size(), 2u);
    EXPECT_TRUE(view.hints.empty());
}

TEST_F(CDocTest, ClearFilterGivesWhatAFreshRunOverTheWholeLogGives) {
    // Whatever clearing the filter reuses of the load's statistics, its report and record
    // must be those of computing them again: at another "now", with other switches, after a
    // selection whose statistics failed.
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    auto fresh = [&] {
        PostStatistics stats;
        std::string text;
        const PostLog& log = doc.postLog();
        EXPECT_TRUE(computeStatistics(stats, log.posts, doc.analyzeOptions(), clock));
        EXPECT_TRUE(
            writeReport(text, stats, log.posts, log.formatNames, log.bytesRead, log.fileSize));
        return std::make_pair(stats, text);
    };
    auto expectFresh = [&](const char* when) {
        SCOPED_TRACE(when);
        const auto [stats, text] = fresh();
        EXPECT_EQ(doc.reportText(), text);
        EXPECT_EQ(doc.selectionStatistics().today, stats.today);
        EXPECT_EQ(doc.selectionStatistics().thisWeek, stats.thisWeek);
        EXPECT_EQ(doc.selectionStatistics().threadRanking, stats.threadRanking);
        EXPECT_EQ(doc.selectionStatistics().createdThreads.items(), stats.createdThreads.items());
        EXPECT_EQ(&doc.selection(), &doc.postLog().posts); // no copy of the whole list
        EXPECT_FALSE(doc.canClearFilter());
    };
    const std::string atLoad = doc.reportText();

    ASSERT_TRUE(doc.applySelection(select(5)));
    ASSERT_TRUE(doc.clearFilter());
    expectFresh("at the same time");
    EXPECT_EQ(doc.reportText(), atLoad);

    // Four days later the recent counts differ (the report itself does not show them).
    clock.set(at(2008, 3, 9, 20));
    ASSERT_TRUE(doc.applySelection(select(5)));
    ASSERT_TRUE(doc.clearFilter());
    expectFresh("four days later");
    EXPECT_EQ(doc.selectionStatistics().today, 0);
    EXPECT_EQ(doc.selectionStatistics().lastWeek, 3);

    doc.analyzeOptions().threadRanking = 0;
    ASSERT_TRUE(doc.applySelection(select(1)));
    ASSERT_TRUE(doc.clearFilter());
    expectFresh("without the thread ranking");

    doc.analyzeOptions().threadRanking = 1;
    ASSERT_TRUE(doc.applySelection(select(20)));
    ASSERT_TRUE(doc.clearFilter());
    expectFresh("after an empty selection, with the ranking again");
}

TEST_F(CDocTest, ASelectionAfterAnotherLoadIsReportedFromThatLog) {
    // The statistics of a selection read what the load recorded of its log: after loading a
    // log of other boards and titles, and after a failed load, they must be those of the log
    // now loaded, as a run over the selection alone gives them.
    auto expectFresh = [&](const PostList& selection, const char* when) {
        SCOPED_TRACE(when);
        PostStatistics stats;
        std::string text;
        const PostLog& log = doc.postLog();
        ASSERT_TRUE(computeStatistics(stats, selection, doc.analyzeOptions(), clock));
        ASSERT_TRUE(
            writeReport(text, stats, selection, log.formatNames, log.bytesRead, log.fileSize));
        ASSERT_TRUE(doc.applySelection(selection));
        EXPECT_EQ(doc.reportText(), text);
        EXPECT_EQ(doc.selectionStatistics().boards, stats.boards);
        EXPECT_EQ(doc.selectionStatistics().threadRanking, stats.threadRanking);
        EXPECT_EQ(doc.selectionStatistics().hours, stats.hours);
    };
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    expectFresh(select(1), "the first log");

    std::vector<TestPost> other = threeDays();
    for (std::size_t i = 0; i < other.size(); ++i) {
        other[i].time += 3600 * static_cast<Time32>(i + 1);
        other[i].dir = i % 2 ? "linux" : "software";
        other[i].title = "別スレ" + std::to_string(i % 2);
    }
    other.push_back(other.back());
    other.back().time += 60;
    nextPosts = other;
    ASSERT_TRUE(doc.load({"b.txt"}, false, 0));
    expectFresh(select(1), "a log of other boards and titles");
    expectFresh(select(5), "its other day");

    loadSucceeds = false;
    EXPECT_FALSE(doc.load({"c.txt"}, false, 0));
    loadSucceeds = true;
    nextPosts = threeDays();
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    expectFresh(select(2), "the first log again, after a failed load");
}

TEST_F(CDocTest, WithoutPostKeysSelectionsAreReportedAsWithThem) {
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    ASSERT_TRUE(doc.applySelection(select(1)));
    const std::string withKeys = doc.reportText();
    const PostStatistics withKeysStats = doc.selectionStatistics();
    doc.setRecordPostKeys(false);
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    ASSERT_TRUE(doc.applySelection(select(1)));
    EXPECT_EQ(doc.reportText(), withKeys);
    EXPECT_EQ(doc.selectionStatistics().boards, withKeysStats.boards);
    EXPECT_EQ(doc.selectionStatistics().days, withKeysStats.days);
}

TEST_F(CDocTest, ResultPagesInCreationOrderWithHintFour) {
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    view = CheckingListener();
    const ResultPage* first = doc.addResultPage({"抽出1", "x"}, &tree);
    const ResultPage* second = doc.addResultPage({"抽出2", "y"});
    ASSERT_EQ(doc.resultPages().size(), 2u);
    EXPECT_EQ(doc.resultPages()[0].get(), first);
    EXPECT_EQ(doc.resultPages()[1].get(), second);
    EXPECT_EQ(view.hints, (std::vector<DocHint>{kPage, kPage}));
    EXPECT_EQ(view.pages, (std::vector<const ResultPage*>{first, second}));
    EXPECT_EQ(view.added, (std::vector<bool>{true, true}));
    EXPECT_EQ(tree.hints, (std::vector<DocHint>{kAbout, kData, kPage}));

    doc.notifyKeywordAnalysisDone(&tree);
    EXPECT_EQ(view.hints.back(), kDone);
    EXPECT_EQ(tree.hints.back(), kPage);

    EXPECT_TRUE(doc.removeResultPage(first, &view));
    EXPECT_FALSE(doc.removeResultPage(first));
    ASSERT_EQ(doc.resultPages().size(), 1u);
    EXPECT_EQ(doc.resultPages()[0].get(), second);
    // The removed page was still readable while the views were told.
    EXPECT_EQ(tree.titles.back(), "抽出1");
    EXPECT_FALSE(tree.added.back());
    EXPECT_EQ(view.hints.size(), 3u);
}

TEST_F(CDocTest, EveryChangeOfTheSelectionDeletesTheResultPages) {
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    addPages();
    ASSERT_TRUE(doc.applySelection(select(5), &tree));
    EXPECT_TRUE(doc.resultPages().empty());
    // The warning first, then each page leaves in creation order, then the data changed.
    EXPECT_EQ(view.hints, (std::vector<DocHint>{kAbout, kPage, kPage, kData}));
    EXPECT_EQ(view.titles, (std::vector<std::string>{"ページ1", "ページ2"}));
    EXPECT_EQ(view.added, (std::vector<bool>{false, false}));

    addPages();
    ASSERT_TRUE(doc.clearFilter());
    EXPECT_TRUE(doc.resultPages().empty());
    EXPECT_EQ(view.hints, (std::vector<DocHint>{kAbout, kPage, kPage, kData}));

    addPages();
    ASSERT_TRUE(doc.load({"b.txt"}, false, 0));
    EXPECT_TRUE(doc.resultPages().empty());
    EXPECT_EQ(view.hints, (std::vector<DocHint>{kAbout, kPage, kPage, kData}));

    addPages();
    doc.close();
    EXPECT_EQ(view.hints, (std::vector<DocHint>{kAbout, kPage, kPage, kData}));
}

TEST_F(CDocTest, CloseReleasesEverythingBeforeTheLog) {
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    ASSERT_TRUE(doc.applySelection(select(2)));
    EXPECT_EQ(doc.selectionStatistics().createdThreadCount, 1u);
    doc.close();
    EXPECT_TRUE(doc.postLog().posts.empty());
    EXPECT_FALSE(doc.postLog().hasText());
    EXPECT_TRUE(doc.postLog().sourcePaths.empty());
    EXPECT_TRUE(doc.selection().empty());
    EXPECT_TRUE(doc.reportText().empty());
    EXPECT_TRUE(doc.selectionStatistics().createdThreads.empty());
    EXPECT_TRUE(doc.wholeLogStatistics().createdThreads.empty());
    EXPECT_EQ(doc.wholeLogStatistics().daysInPeriod, 0);
    EXPECT_FALSE(doc.canClearFilter());
    EXPECT_EQ(view.hints.back(), kData);
}

TEST_F(CDocTest, AFailedLoadLeavesTheDocumentEmpty) {
    RecordingRecentFiles recent;
    doc.setRecentFileSink(&recent);
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    loadSucceeds = false;
    EXPECT_FALSE(doc.load({"gone.txt"}, false, 0));
    EXPECT_TRUE(doc.postLog().posts.empty());
    EXPECT_TRUE(doc.selection().empty());
    EXPECT_TRUE(doc.reportText().empty());
    EXPECT_EQ(doc.wholeLogStatistics().daysInPeriod, 0);
    EXPECT_EQ(recent.entries.size(), 1u);
    EXPECT_EQ(view.hints, (std::vector<DocHint>{kAbout, kData, kAbout, kData}));
}

TEST_F(CDocTest, StatisticsThatFailLeaveNoPostsAndNoReport) {
    // Every post has 100 lines, so no line is counted.
    for (TestPost& p : nextPosts) p.lines = 100;
    RecordingRecentFiles recent;
    doc.setRecentFileSink(&recent);
    EXPECT_FALSE(doc.load({"a.txt"}, false, 0));
    EXPECT_TRUE(doc.postLog().posts.empty());
    EXPECT_TRUE(doc.selection().empty());
    EXPECT_TRUE(doc.reportText().empty());
    EXPECT_TRUE(recent.entries.empty());
    EXPECT_EQ(lorvanel::testing::recordedAlerts().texts,
              (std::vector<std::string>{"レスの解析に失敗しました"}));
    EXPECT_EQ(view.hints, (std::vector<DocHint>{kAbout, kData}));
    // The message box came after the document was done and its views were told.
    EXPECT_EQ(view.alertsSeen, (std::vector<std::size_t>{0, 0}));
}

TEST_F(CDocTest, ASelectionWhoseStatisticsFailStaysEmpty) {
    nextPosts[0].lines = 100;
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    EXPECT_FALSE(doc.applySelection(select(1), &tree));
    EXPECT_TRUE(doc.selection().empty());
    EXPECT_TRUE(doc.reportText().empty());
    EXPECT_EQ(doc.selectionStatistics().daysInPeriod, 0);
    EXPECT_EQ(view.hints, (std::vector<DocHint>{kAbout, kData, kAbout, kData}));
}

TEST_F(CDocTest, ALogWithoutPostsHasNoReportButIsRemembered) {
    nextPosts.clear();
    RecordingRecentFiles recent;
    doc.setRecentFileSink(&recent);
    EXPECT_TRUE(doc.load({"empty.txt"}, false, 0));
    EXPECT_TRUE(doc.selection().empty());
    EXPECT_TRUE(doc.reportText().empty());
    EXPECT_EQ(recent.entries, (std::vector<std::string>{"empty.txt"}));
    EXPECT_EQ(analysisLog().entries().front(), "集計しています\r\n");
    EXPECT_EQ(view.hints, (std::vector<DocHint>{kAbout, kData}));
}

TEST_F(CDocTest, TheWarningComesWhileEverythingIsStillThere) {
    // What a view holding pointers into the document sees when it is warned.
    struct Holder : DocListener {
        std::vector<std::string> seen;
        void documentUpdated(CDoc& d, const DocUpdate& u) override {
            if (u.hint != DocHint::SelectionAboutToChange) return;
            // Reading the records is safe (a sanitizer build would catch a freed one).
            for (const PostRecord* p : d.selection()) EXPECT_GT(p->time, 0);
            for (const PostRecord* p : d.selectionStatistics().createdThreads)
                EXPECT_FALSE(p->title == nullptr);
            seen.push_back(std::to_string(d.selection().size()) + " posts, " +
                           std::to_string(d.resultPages().size()) + " pages, " +
                           std::to_string(d.postLog().posts.size()) + " in the log");
        }
    } holder;
    doc.addListener(&holder);
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    addPages();
    ASSERT_TRUE(doc.applySelection(select(5), &holder)); // the sender is warned too
    ASSERT_TRUE(doc.clearFilter());
    addPages();
    loadSucceeds = false;
    EXPECT_FALSE(doc.load({"gone.txt"}, false, 0));
    loadSucceeds = true;
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    doc.close();
    EXPECT_EQ(holder.seen,
              (std::vector<std::string>{
                  "0 posts, 0 pages, 0 in the log", "4 posts, 2 pages, 4 in the log",
                  "2 posts, 0 pages, 4 in the log", "4 posts, 2 pages, 4 in the log",
                  "0 posts, 0 pages, 0 in the log", "4 posts, 0 pages, 4 in the log"}));
    doc.removeListener(&holder);
}

TEST_F(CDocTest, MessagesOfALoadAreShownAfterItInTheirOrder) {
    doc.setLoader([](PostLog& log, std::vector<std::string>, bool, std::uint64_t) {
        showAlert("一つ目");
        showAlert("二つ目");
        log.clear();
        return false;
    });
    lorvanel::testing::recordedAlerts().clear();
    EXPECT_FALSE(doc.load({"a.txt"}, false, 0));
    EXPECT_EQ(view.hints, (std::vector<DocHint>{kAbout, kData}));
    EXPECT_EQ(view.alertsSeen, (std::vector<std::size_t>{0, 0}));
    EXPECT_EQ(lorvanel::testing::recordedAlerts().texts,
              (std::vector<std::string>{"一つ目", "二つ目"}));
    // Each is shown as before: the main window raised, then the message.
    EXPECT_EQ(lorvanel::testing::recordedAlerts().raised, 2);
}

TEST_F(CDocTest, ApplyingTheSelectionItselfKeepsIt) {
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    ASSERT_TRUE(doc.applySelection(select(5)));
    ASSERT_TRUE(doc.applySelection(doc.selection()));
    EXPECT_EQ(doc.selection().size(), 2u);
    EXPECT_EQ(doc.selectionStatistics().postingDays, 1);
}

TEST_F(CDocTest, AListenerRemovedWhileTheOthersAreToldIsNotCalled) {
    struct Remover : DocListener {
        DocListener* victim = nullptr;
        void documentUpdated(CDoc& d, const DocUpdate&) override { d.removeListener(victim); }
    };
    CDoc other;
    other.setLoader([](PostLog& log, std::vector<std::string>, bool, std::uint64_t) {
        fillPostLog(log, threeDays());
        return true;
    });
    Remover remover;
    CheckingListener victim;
    remover.victim = &victim;
    other.addListener(&remover);
    other.addListener(&victim);
    other.close();
    EXPECT_TRUE(victim.hints.empty());
}

TEST(CDocFiles, AMissingFileFailsWithTheSystemsMessage) {
    CDoc doc;
    analysisLog().clear();
    lorvanel::testing::recordedAlerts().clear();
    EXPECT_FALSE(doc.load({"/nonexistent/lorvanel-test/none.txt"}, false, 0));
    EXPECT_TRUE(doc.postLog().posts.empty());
    EXPECT_TRUE(doc.reportText().empty());
    EXPECT_GE(analysisLog().entryCount(), 1u);
    EXPECT_EQ(analysisLog().text().find("集計しています"), std::string::npos);
    analysisLog().clear();
    lorvanel::testing::recordedAlerts().clear();
}

// Each document keeps the messages of its own loads: another document's failed load does not
// write into the first's report, and the first's next load starts its log afresh.
TEST(CDocFiles, EachDocumentShowsTheMessagesOfItsOwnLoads) {
    FixedClock clock(at(2008, 3, 5, 20));
    CDoc good, bad;
    good.setClock(clock);
    good.setLoader([](PostLog& log, std::vector<std::string> paths, bool, std::uint64_t) {
        lorvanel::testing::LoadFacts facts;
        facts.sourcePaths = paths;
        analysisLog().append("よいログを読みました\r\n");
        fillPostLog(log, threeDays(), facts);
        return true;
    });
    ASSERT_TRUE(good.load({"good.txt"}, false, 0));
    EXPECT_NE(good.analysisLog().text().find("よいログを読みました"), std::string::npos);
    EXPECT_NE(good.analysisLog().text().find("集計しています"), std::string::npos);

    EXPECT_FALSE(bad.load({"/nonexistent/lorvanel-test/none.txt"}, false, 0));
    EXPECT_NE(bad.analysisLog().text().find("none.txt"), std::string::npos);
    EXPECT_EQ(good.analysisLog().text().find("none.txt"), std::string::npos);
    EXPECT_EQ(bad.analysisLog().text().find("よいログを読みました"), std::string::npos);
    // The process's log, which the command line prints, has the latest load's messages.
    EXPECT_NE(analysisLog().text().find("none.txt"), std::string::npos);

    ASSERT_TRUE(good.load({"good.txt"}, false, 0));
    const std::string again = good.analysisLog().text();
    EXPECT_EQ(again.find("よいログを読みました"), again.rfind("よいログを読みました"));
    analysisLog().clear();
    lorvanel::testing::recordedAlerts().clear();
}
