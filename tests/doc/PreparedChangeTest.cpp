// Operations prepared apart from the document and committed later: a cancelled one, at any
// point, leaves the document exactly as it was, with no hint and no message; one prepared on
// another thread gives what the same operation run directly gives.
#include "doc/CDoc.h"
#include "doc/DocFilter.h"
#include "doc/KeywordCommands.h"
#include "input/AnalysisLog.h"
#include "input/Loader.h"
#include "support/LogBuilder.h"
#include "support/RecordingAlertSink.h"
#include "support/RecordingListener.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

using namespace lorvanel;
using lorvanel::testing::LogBuilder;
using lorvanel::testing::LogPost;
using lorvanel::testing::postAt;
using lorvanel::testing::recordedAlerts;
using lorvanel::testing::RecordingListener;
using lorvanel::testing::TempDir;

namespace {

// Enough posts for every loop's cancellation check to come round more than once.
constexpr int kPosts = 20000;

std::string writeLog(const TempDir& dir, const std::string& name, Time32 from, int count) {
    LogBuilder b(1);
    for (int i = 0; i < count; ++i) {
        LogPost p = postAt(from + i * 600);
        p.body = i % 3 ? "テストです" : "別の本文";
        p.newThread = i % 50 == 0;
        b.add(p);
    }
    return b.writeTo(dir, name);
}

// Everything of the document a view could see.
struct Snapshot {
    std::vector<const PostRecord*> posts, selection;
    std::string report, analysis;
    std::int64_t selectionLines = 0, wholeLines = 0;
    std::vector<const ResultPage*> pages;
    std::vector<std::string> sourcePaths;

    explicit Snapshot(const CDoc& doc)
        : posts(doc.postLog().posts.begin(), doc.postLog().posts.end()),
          selection(doc.selection().begin(), doc.selection().end()), report(doc.reportText()),
          analysis(analysisLog().text()), selectionLines(doc.selectionStatistics().lineTotal),
          wholeLines(doc.wholeLogStatistics().lineTotal), sourcePaths(doc.postLog().sourcePaths) {
        for (const auto& p : doc.resultPages()) pages.push_back(p.get());
    }
    bool operator==(const Snapshot&) const = default;
};

class PreparedChangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        first = writeLog(dir, "a.txt", 1199210645, kPosts);
        second = writeLog(dir, "b.txt", 1199210645 + 300, kPosts);
        keywords = dir.write("k.txt", "★G\r\nてすと\r\n");
        ASSERT_TRUE(doc.load({first}, false, 0));
        ASSERT_TRUE(applyFilter(doc, "msg_\"別の\""));
        ASSERT_NE(runAutoKeywordAnalysis(doc), nullptr);
        doc.addListener(&recorder);
        recordedAlerts().clear();
    }
    void TearDown() override {
        analysisLog().clear();
        recordedAlerts().clear();
    }

    TempDir dir;
    std::string first, second, keywords;
    CDoc doc;
    RecordingListener recorder;
};

using Prepare = std::function<PreparedChange(CDoc&, CancelToken*)>;

struct Operation {
    const char* name;
    Prepare prepare;
};

std::vector<Operation> operations(const std::string& second, const std::string& keywords) {
    return {
        {"load", [=](CDoc& d, CancelToken* t) { return d.prepareLoad({second}, false, 0, t); }},
        {"merge", [=](CDoc& d, CancelToken* t) { return d.prepareLoad({second}, true, 0, t); }},
        {"filter", [](CDoc& d, CancelToken* t) { return prepareFilter(d, "msg_\"テスト\"", t); }},
        {"bad filter", [](CDoc& d, CancelToken* t) { return prepareFilter(d, "(msg_a|msg_b", t); }},
        {"clear filter", [](CDoc& d, CancelToken* t) { return d.prepareClearFilter(t); }},
        {"keywords", [](CDoc& d, CancelToken* t) { return prepareAutoKeywordAnalysis(d, t); }},
        {"keyword file",
         [=](CDoc& d, CancelToken* t) { return prepareKeywordFileAnalysis(d, keywords, t); }},
    };
}

} // namespace

TEST_F(PreparedChangeTest, ACancelledOperationLeavesTheDocumentAsItWas) {
    for (const Operation& op : operations(second, keywords)) {
        SCOPED_TRACE(op.name);
        const Snapshot before(doc);
        CancelToken token;
        token.cancel();
        PreparedChange change = op.prepare(doc, &token);
        EXPECT_TRUE(change.cancelled);
        EXPECT_TRUE(Snapshot(doc) == before);
        EXPECT_FALSE(doc.commit(std::move(change)));
        EXPECT_TRUE(Snapshot(doc) == before);
        EXPECT_TRUE(recorder.hints.empty());
        EXPECT_TRUE(recordedAlerts().texts.empty());
    }
}

TEST_F(PreparedChangeTest, APreparedChangeTouchesNothingUntilCommitted) {
    for (const Operation& op : operations(second, keywords)) {
        SCOPED_TRACE(op.name);
        const Snapshot before(doc);
        PreparedChange change = op.prepare(doc, nullptr);
        EXPECT_FALSE(change.cancelled);
        EXPECT_TRUE(Snapshot(doc) == before);
        EXPECT_TRUE(recorder.hints.empty());
        // The bad filter's message waits for the commit too.
        EXPECT_TRUE(recordedAlerts().texts.empty());
        change = PreparedChange(); // dropped: as good as cancelled
        EXPECT_TRUE(Snapshot(doc) == before);
    }
}

// The token is cancelled while the operation runs, after its first step: the statistics'
// walk (or the next file's reading) notices it and the operation stops there.
TEST_F(PreparedChangeTest, CancellingHalfWayLeavesTheDocumentAsItWas) {
    CancelToken token;
    doc.setLoader(
        [&](PostLog& log, std::vector<std::string> paths, bool merge, std::uint64_t limit) {
            const bool ok = loadFiles(log, std::move(paths), merge, limit);
            token.cancel();
            return ok;
        });
    const Snapshot before(doc);
    PreparedChange load = doc.prepareLoad({second}, false, 0, &token);
    EXPECT_TRUE(load.cancelled);

    CancelToken selectionToken;
    PreparedChange selection = doc.prepareSelection(
        [&](PostList& posts) {
            posts = doc.postLog().posts;
            selectionToken.cancel();
            return true;
        },
        &selectionToken);
    EXPECT_TRUE(selection.cancelled);

    EXPECT_FALSE(doc.commit(std::move(load)));
    EXPECT_FALSE(doc.commit(std::move(selection)));
    EXPECT_TRUE(Snapshot(doc) == before);
    EXPECT_TRUE(recorder.hints.empty());
    EXPECT_TRUE(recordedAlerts().texts.empty());
}

// Prepared on another thread while this one reads the document, then committed here: the
// same document as the direct run, hints and messages in the same order.
TEST_F(PreparedChangeTest, PreparedOnAnotherThreadAsIfRunDirectly) {
    CDoc direct;
    ASSERT_TRUE(direct.load({first}, false, 0));
    ASSERT_TRUE(applyFilter(direct, "msg_\"別の\""));
    ASSERT_NE(runAutoKeywordAnalysis(direct), nullptr);
    recordedAlerts().clear();
    RecordingListener directRecorder;
    direct.addListener(&directRecorder);
    for (const Operation& op : operations(second, keywords)) {
        SCOPED_TRACE(op.name);
        analysisLog().clear();
        const bool directOk = direct.commit(op.prepare(direct, nullptr));
        const std::string directAnalysis = analysisLog().text();
        const std::vector<std::string> directAlerts = recordedAlerts().texts;
        recordedAlerts().clear();

        analysisLog().clear();
        PreparedChange change;
        std::size_t seen = 0;
        std::thread worker([&] { change = op.prepare(doc, nullptr); });
        for (int i = 0; i < 100; ++i) seen += doc.selection().size() + doc.reportText().size();
        worker.join();
        EXPECT_GT(seen, 0u);
        EXPECT_EQ(doc.commit(std::move(change)), directOk);
        EXPECT_EQ(doc.selection().size(), direct.selection().size());
        EXPECT_EQ(doc.postLog().posts.size(), direct.postLog().posts.size());
        EXPECT_EQ(doc.reportText(), direct.reportText());
        ASSERT_EQ(doc.resultPages().size(), direct.resultPages().size());
        if (!doc.resultPages().empty())
            EXPECT_EQ(doc.resultPages().back()->text, direct.resultPages().back()->text);
        EXPECT_EQ(recorder.hints, directRecorder.hints);
        EXPECT_EQ(recordedAlerts().texts, directAlerts);
        // The analysis logs differ only in the times they print.
        EXPECT_EQ(analysisLog().entryCount() > 0, !directAnalysis.empty());
        recorder.clear();
        directRecorder.clear();
        recordedAlerts().clear();
    }
}
