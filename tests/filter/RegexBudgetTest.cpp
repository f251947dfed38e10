// A regular expression that backtracks without end gives up within its budget, and whatever
// ran it stops with a message naming the pattern instead of answering "no match".
#include "doc/CDoc.h"
#include "doc/DocFilter.h"
#include "filter/FilterSelection.h"
#include "input/AnalysisLog.h"
#include "keywords/KeywordFileAnalysis.h"
#include "keywords/KeywordTestLog.h"
#include "support/CliRunner.h"
#include "support/LogBuilder.h"
#include "support/MemoryLog.h"
#include "support/RecordingAlertSink.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <gtest/gtest.h>
#include <string>

using namespace lorvanel;
using lorvanel::testing::KeywordTestLog;
using lorvanel::testing::recordedAlerts;
using lorvanel::testing::TempDir;
using lorvanel::testing::TestPost;

namespace {

// "(a|a)+b" tries 2^n ways through a run of n "a" before it may move on to the "ab" after it.
const std::string kRunaway = std::string(40, 'a') + "c ab";

class RegexBudget : public ::testing::Test {
protected:
    ~RegexBudget() override {
        analysisLog().clear();
        recordedAlerts().clear();
    }
};

} // namespace

TEST_F(RegexBudget, AFilterThatGivesUpSelectsNothingAndSaysWhich) {
    KeywordTestLog t({{"ab"}, {kRunaway}, {"xyz"}});
    PostList dest;
    dest.pushBack(t.log.posts[2]);
    recordedAlerts().clear();
    EXPECT_FALSE(selectPostsWithFilter(dest, t.log.posts, "msgr_\"(a|a)+b\""));
    ASSERT_EQ(dest.size(), 1u); // what it held before, nothing of the failed run
    EXPECT_EQ(dest[0], t.log.posts[2]);
    ASSERT_EQ(recordedAlerts().texts.size(), 1u);
    EXPECT_EQ(recordedAlerts().texts[0], "正規表現の照合が複雑すぎます: (a|a)+b");

    // An ordinary pattern finds the same post.
    PostList found;
    EXPECT_EQ(selectPostsWithFilter(found, t.log.posts, "msgr_\"ab\"").value_or(0), 2u);
}

TEST_F(RegexBudget, TheDocumentKeepsItsSelection) {
    CDoc doc;
    doc.setLoader([](PostLog& log, std::vector<std::string>, bool, std::uint64_t) {
        std::vector<TestPost> posts(3);
        for (int i = 0; i < 3; ++i) posts[i].time = lorvanel::testing::at(2008, 3, 1 + i);
        posts[1].body = kRunaway;
        posts[2].body = "ab";
        lorvanel::testing::fillPostLog(log, posts);
        return true;
    });
    ASSERT_TRUE(doc.load({"a.txt"}, false, 0));
    ASSERT_TRUE(applyFilter(doc, "msgr_\"^ab\""));
    ASSERT_EQ(doc.selection().size(), 1u);
    recordedAlerts().clear();
    EXPECT_FALSE(applyFilter(doc, "msgr_\"(a|a)+b\""));
    ASSERT_EQ(doc.selection().size(), 1u);
    EXPECT_EQ(std::string(doc.selection()[0]->body), "ab");
    EXPECT_EQ(recordedAlerts().texts,
              std::vector<std::string>{"正規表現の照合が複雑すぎます: (a|a)+b"});
}

TEST_F(RegexBudget, KeywordFiles) {
    KeywordTestLog t({{"ab"}, {kRunaway}});
    TempDir dir;
    ResultPage page;
    KeywordFileFailure why = KeywordFileFailure::kNone;
    recordedAlerts().clear();
    EXPECT_FALSE(analyzeKeywordFile(t.selection, t.log, dir.write("run.txt", "★g\r\n*(a|a)+b\r\n"),
                                    page, &why));
    EXPECT_EQ(why, KeywordFileFailure::kRegexGaveUp);
    EXPECT_EQ(recordedAlerts().texts,
              std::vector<std::string>{"正規表現の照合が複雑すぎます: (a|a)+b"});

    // Patterns that don't compile: one message naming them all, the other entries still run.
    recordedAlerts().clear();
    analysisLog().clear();
    ASSERT_TRUE(analyzeKeywordFile(t.selection, t.log,
                                   dir.write("bad.txt", "★g\r\n*(\r\nab\r\n*[\r\n*)x\r\n"), page));
    EXPECT_EQ(recordedAlerts().texts,
              std::vector<std::string>{"(\n[\n)x\n正規表現の解析に失敗しました"});
    EXPECT_EQ(analysisLog().entryCount(), 1u);
    EXPECT_NE(page.text.find("ab(2)"), std::string::npos) << page.text;
}

TEST_F(RegexBudget, TheCommandLineFailsWithTheMessage) {
    TempDir dir;
    lorvanel::testing::LogBuilder b(1);
    for (int i = 0; i < 3; ++i) {
        lorvanel::testing::LogPost p = lorvanel::testing::postAt(1199210645 + 60 * i);
        p.body = i == 1 ? kRunaway : "ab";
        b.add(p);
    }
    const std::string log = b.writeTo(dir, "log.txt");
    for (const char* command : {"report", "dump"}) {
        const lorvanel::testing::CliResult r =
            lorvanel::testing::runCli({command, "--filter", "msgr_\"(a|a)+b\"", log});
        EXPECT_EQ(r.status, 1) << command;
        // report still shows the window's text (the whole log's report); dump prints no post.
        if (std::string(command) == "dump") EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(lorvanel::testing::utf8("正規表現の照合が複雑すぎます: (a|a)+b")),
                  std::string::npos)
            << r.err;
    }
}
