#include "doc/DocFilter.h"
#include "doc/CDoc.h"

#include "input/AnalysisLog.h"
#include "support/MemoryLog.h"
#include "support/RecordingAlertSink.h"

#include <gtest/gtest.h>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::recordedAlerts;
using lorvanel::testing::TestPost;

namespace {

struct CountingListener : DocListener {
    void documentUpdated(CDoc&, const DocUpdate& update) override {
        if (update.hint == DocHint::DataChanged) ++changes;
    }
    int changes = 0;
};

// A document over four posts: 1 March (a long one), 2 March (a new thread), 5 March twice.
class DocFilter : public ::testing::Test {
protected:
    DocFilter() {
        doc.setLoader([](PostLog& log, std::vector<std::string>, bool, std::uint64_t) {
            std::vector<TestPost> posts(4);
            posts[0].time = at(2008, 3, 1, 10);
            posts[0].lines = 8;
            posts[1].time = at(2008, 3, 2, 11);
            posts[1].newThread = true;
            posts[2].time = at(2008, 3, 5, 12);
            posts[3].time = at(2008, 3, 5, 13);
            posts[3].dir = "anime";
            lorvanel::testing::fillPostLog(log, posts);
            return true;
        });
        EXPECT_TRUE(doc.load({"a.txt"}, false, 0));
        doc.addListener(&view);
        doc.addListener(&tree);
    }
    ~DocFilter() override {
        analysisLog().clear();
        recordedAlerts().clear();
    }

    CDoc doc;
    CountingListener view, tree;
};

} // namespace

TEST_F(DocFilter, SelectsFromTheWholeLogAndTellsTheOtherViews) {
    ASSERT_TRUE(applyFilter(doc, "date20080305", &tree));
    ASSERT_EQ(doc.selection().size(), 2u);
    EXPECT_EQ(doc.selection()[0], doc.postLog().posts[2]);
    EXPECT_EQ(doc.selection()[1], doc.postLog().posts[3]);
    EXPECT_EQ(doc.selectionStatistics().postingDays, 1);
    EXPECT_EQ(doc.wholeLogStatistics().postingDays, 3);
    EXPECT_EQ(view.changes, 1);
    EXPECT_EQ(tree.changes, 0);

    // A second filter starts from the whole log again, not from the selection.
    ASSERT_TRUE(applyFilter(doc, "suretate|line6-"));
    ASSERT_EQ(doc.selection().size(), 2u);
    EXPECT_EQ(doc.selection()[0], doc.postLog().posts[0]);
    EXPECT_EQ(doc.selection()[1], doc.postLog().posts[1]);
    EXPECT_TRUE(doc.canClearFilter());
}

TEST_F(DocFilter, ATextThatDoesNotCompileChangesNothing) {
    ASSERT_TRUE(applyFilter(doc, "dir_anime"));
    const std::string report = doc.reportText();
    recordedAlerts().clear();
    EXPECT_FALSE(applyFilter(doc, "dir_anime|"));
    ASSERT_EQ(recordedAlerts().texts.size(), 1u);
    EXPECT_EQ(recordedAlerts().texts[0], "構文エラー\n'|'\n");
    ASSERT_EQ(doc.selection().size(), 1u);
    EXPECT_EQ(doc.reportText(), report);
    EXPECT_EQ(view.changes, 1);
}

TEST_F(DocFilter, ASelectionOfNothingEmptiesTheReport) {
    ASSERT_TRUE(applyFilter(doc, "date2009"));
    EXPECT_TRUE(doc.selection().empty());
    EXPECT_TRUE(doc.reportText().empty());
    EXPECT_EQ(doc.postLog().posts.size(), 4u);
}
