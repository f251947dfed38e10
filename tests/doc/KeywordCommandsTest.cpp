// The keyword commands against the document: pages, hints and their lifetime.
#include "doc/KeywordCommands.h"
#include "doc/CDoc.h"
#include "support/LogBuilder.h"
#include "support/RecordingListener.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lorvanel;
using lorvanel::testing::LogBuilder;
using lorvanel::testing::LogPost;
using lorvanel::testing::postAt;
using lorvanel::testing::RecordingListener;
using lorvanel::testing::TempDir;

namespace {

class KeywordCommands : public ::testing::Test {
protected:
    void SetUp() override {
        LogBuilder b(1);
        for (int i = 0; i < 3; ++i) {
            LogPost p = postAt(1199210645 + i * 3600); // from 2008/01/02 03:04:05
            p.body = "テストです";
            if (i == 0) {
                p.newThread = true;
                p.url = "http://news.2ch.net/news/";
            }
            b.add(p);
        }
        ASSERT_TRUE(doc.load({b.writeTo(dir, "log.txt")}, false, 0));
        keywordFile = dir.write("k.txt", "★G\r\nてすと\r\n");
        doc.addListener(&recorder);
    }

    TempDir dir;
    CDoc doc;
    RecordingListener recorder;
    std::string keywordFile;
};

} // namespace

TEST_F(KeywordCommands, EachRunAddsAPageThenTellsTheAnalysisFinished) {
    const ResultPage* a = runAutoKeywordAnalysis(doc);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->title, "キーワード解析");
    const ResultPage* k = runKeywordFileAnalysis(doc, keywordFile);
    ASSERT_NE(k, nullptr);
    EXPECT_NE(k->text.find("G: 3/3(100.00%)"), std::string::npos);
    EXPECT_EQ(recorder.hints,
              (std::vector<std::string>{"ResultPage+キーワード解析", "KeywordAnalysisDone",
                                        "ResultPage+k", "KeywordAnalysisDone"}));
    ASSERT_EQ(doc.resultPages().size(), 2u);
    EXPECT_EQ(doc.resultPages()[0].get(), a); // creation order
    EXPECT_EQ(doc.resultPages()[1].get(), k);
}

TEST_F(KeywordCommands, AFailedRunChangesNothing) {
    KeywordFileFailure why = KeywordFileFailure::kNone;
    EXPECT_EQ(runKeywordFileAnalysis(doc, dir.write("none.txt", "x\r\n"), &why), nullptr);
    EXPECT_EQ(why, KeywordFileFailure::kNoGroups);
    EXPECT_TRUE(doc.resultPages().empty());
    EXPECT_TRUE(recorder.hints.empty());
}

TEST_F(KeywordCommands, PagesGoWhenTheSelectionChanges) {
    runAutoKeywordAnalysis(doc);
    runKeywordFileAnalysis(doc, keywordFile);
    recorder.hints.clear();
    PostList first;
    first.pushBack(doc.postLog().posts.front());
    ASSERT_TRUE(doc.applySelection(first));
    EXPECT_TRUE(doc.resultPages().empty());
    EXPECT_EQ(recorder.hints,
              (std::vector<std::string>{"SelectionAboutToChange", "ResultPage-キーワード解析",
                                        "ResultPage-k", "DataChanged"}));

    // The folded copies outlive the pages and serve the next run over the new selection.
    const ResultPage* k = runKeywordFileAnalysis(doc, keywordFile);
    ASSERT_NE(k, nullptr);
    EXPECT_NE(k->text.find("G: 1/1(100.00%)"), std::string::npos);

    // A run over an emptied document fails without a page.
    doc.close();
    EXPECT_EQ(runKeywordFileAnalysis(doc, keywordFile), nullptr);
    EXPECT_NE(runAutoKeywordAnalysis(doc), nullptr); // an empty page
}
