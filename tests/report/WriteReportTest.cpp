#include "report/WriteReport.h"

#include "platform/LocalTime.h"

#include "report/ComputeStatistics.h"
#include "report/ReportWindowText.h"
#include "support/MemoryLog.h"
#include "support/ZoneGuard.h"
#include <cstdlib>

#include <gtest/gtest.h>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::fillPostLog;
using lorvanel::testing::TestPost;

namespace {

class WriteReportTest : public ::testing::Test {
protected:
    std::string report(const std::vector<TestPost>& posts,
                       const lorvanel::testing::LoadFacts& facts = {}) {
        fillPostLog(log, posts, facts);
        EXPECT_TRUE(computeStatistics(stats, log.posts, options, FixedClock(posts.back().time)));
        std::string text = "stale";
        EXPECT_TRUE(
            writeReport(text, stats, log.posts, log.formatNames, log.bytesRead, log.fileSize));
        return text;
    }
    static std::vector<TestPost> boards(const std::vector<std::string>& dirs) {
        std::vector<TestPost> posts;
        for (std::size_t i = 0; i < dirs.size(); ++i) {
            TestPost p;
            p.time = at(2008, 1, 1, 0, static_cast<int>(i));
            p.dir = dirs[i];
            posts.push_back(p);
        }
        return posts;
    }
    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> v;
        std::size_t start = 0, end;
        while ((end = text.find("\r\n", start)) != std::string::npos) {
            v.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        EXPECT_EQ(start, text.size()) << "text does not end with a line end";
        return v;
    }
    static std::vector<std::string> headings(const std::string& text) {
        std::vector<std::string> h;
        const std::vector<std::string> all = lines(text);
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (all[i] != std::string(44, '-')) continue;
            EXPECT_LT(i + 1, all.size());
            if (i + 1 < all.size()) h.push_back(all[i + 1]);
        }
        return h;
    }
    static std::string lineStartingWith(const std::string& text, const std::string& prefix) {
        for (const std::string& l : lines(text))
            if (l.rfind(prefix, 0) == 0) return l;
        return "<none>";
    }

    PostLog log;
    PostStatistics stats;
    AnalyzeOptions options;
};

} // namespace

TEST_F(WriteReportTest, SectionsInOrderEachAfterARuleOfFortyFourHyphens) {
    std::vector<TestPost> posts = boards({"news", "news"});
    posts[1].newThread = true;
    const std::string text = report(posts);
    const std::vector<std::string> expected = {
        "★時間帯別書き込み回数",       "★曜日別書き込み回数",
        "★毎月書き込み回数",           "★1日書き込み回数 Top10",
        "★1時間書き込み回数 Top10",    "★連続書き込み日数 Top10",
        "★連続無書き込み日数 Top10",   "★行数別書き込み回数",
        "★最多書き込みスレッド Top20", "★毎月ごとの最多書き込みスレッド",
        "★作成したスレッド",           "★板別書き込み回数"};
    EXPECT_EQ(headings(text), expected);
    EXPECT_EQ(text.rfind("★総合結果\r\n", 0), 0u);
    // The text ends with the last board row; no empty line stands anywhere after the block.
    EXPECT_TRUE(text.ends_with("(2)\r\n"));
    EXPECT_EQ(text.find("\r\n\r\n"), text.find("\r\n\r\n・時間帯別書き込み回数"));
}

TEST_F(WriteReportTest, OptionsOffLeaveOutTheThreadLinesAndSections) {
    options.threadRanking = 0;
    const std::string noRanking = report(boards({"news", "news"}));
    EXPECT_EQ(lineStartingWith(noRanking, "書き込みスレ数"), "<none>");
    EXPECT_EQ(noRanking.find("★最多書き込みスレッド Top20"), std::string::npos);
    EXPECT_NE(noRanking.find("★毎月ごとの最多書き込みスレッド"), std::string::npos);

    options.threadRanking = 1;
    options.monthThreadRanking = 0;
    const std::string noMonths = report(boards({"news", "news"}));
    EXPECT_EQ(lineStartingWith(noMonths, "書き込みスレ数"),
              "書き込みスレ数 1スレッド／１スレ平均2.00回の書き込み");
    EXPECT_NE(noMonths.find("★最多書き込みスレッド Top20"), std::string::npos);
    EXPECT_EQ(noMonths.find("★毎月ごとの最多書き込みスレッド"), std::string::npos);
    // No new thread: neither the count line nor the section.
    EXPECT_EQ(lineStartingWith(noMonths, "スレ立て回数"), "<none>");
    EXPECT_EQ(noMonths.find("★作成したスレッド"), std::string::npos);
}

TEST_F(WriteReportTest, SizeAndTypeLines) {
    lorvanel::testing::LoadFacts whole;
    whole.bytesRead = 3072000;
    whole.fileSize = 3072000;
    EXPECT_EQ(lineStartingWith(report(boards({"news"}), whole), "lorvanel.txtのサイズ"),
              "lorvanel.txtのサイズ 3,000KB");

    lorvanel::testing::LoadFacts cut;
    cut.bytesRead = 1048576;
    cut.fileSize = 3072000;
    cut.formatNames = {"Jane", "かちゅ～しゃ", "V2C"};
    const std::string text = report(boards({"news"}), cut);
    EXPECT_EQ(lineStartingWith(text, "lorvanel.txtのサイズ"),
              "lorvanel.txtのサイズ 1,024KB / 3,000KB");
    EXPECT_EQ(lineStartingWith(text, "lorvanel.txtのタイプ"),
              "lorvanel.txtのタイプ Jane, かちゅ～しゃ, V2C");

    // No format names and nothing read: both lines are left out.
    fillPostLog(log, boards({"news"}));
    ASSERT_TRUE(computeStatistics(stats, log.posts, options, FixedClock(0)));
    std::string bare;
    writeReport(bare, stats, log.posts, {}, 0, 0);
    EXPECT_EQ(lineStartingWith(bare, "lorvanel.txt"), "<none>");
    EXPECT_EQ(lines(bare)[6], ""); // the empty line follows the thread-count line directly
}

TEST_F(WriteReportTest, BoardSummaryHoldsAtMostFiveBoards) {
    const std::string two = report(boards({"news", "anime", "news"}));
    EXPECT_EQ(lines(two)[14], "・板別書き込み回数TOP5");
    EXPECT_EQ(lines(two)[15], "　ニュース速報(2), アニメ(1)");

    const std::string seven = report(boards({"a1", "a2", "a3", "a4", "a5", "a6", "a7", "a7"}));
    EXPECT_EQ(lines(seven)[15], "　a7(2), a1(1), a2(1), a3(1), a4(1)");
}

TEST_F(WriteReportTest, PeriodAverages) {
    // Three posts over ten days, 7 lines: 0.30 posts a day, 2.33 lines a post.
    std::vector<TestPost> posts = boards({"news", "news", "news"});
    posts[0].time = at(2008, 1, 1, 0, 0);
    posts[1].time = at(2008, 1, 5, 0, 0);
    posts[2].time = at(2008, 1, 10, 23, 0);
    posts[0].lines = 3;
    posts[1].lines = 2;
    posts[2].lines = 2;
    const std::vector<std::string> l = lines(report(posts));
    EXPECT_EQ(l[1], "期間 2008/01/01～2008/01/10 (10日)");
    EXPECT_EQ(l[2], "書き込んだ日 3日");
    EXPECT_EQ(l[3], "書き込み回数 3回／1日平均0.30回");
    EXPECT_EQ(l[4], "書き込み行数 7行／1書き込み平均2.33行");
    EXPECT_EQ(l[5], "書き込みスレ数 1スレッド／１スレ平均3.00回の書き込み");
}

TEST_F(WriteReportTest, AMonthWithoutPostsPrintsAnEmptyBar) {
    std::vector<TestPost> posts = boards({"news", "news", "news"});
    posts[0].time = at(2008, 1, 31, 23, 59);
    posts[1].time = at(2008, 3, 1, 0, 0);
    posts[2].time = at(2008, 3, 2, 0, 0);
    const std::string text = report(posts);
    EXPECT_NE(text.find("★毎月書き込み回数\r\n・2008年\r\n"
                        "　 1月 ***************(1)\r\n"
                        "　 2月 (0)\r\n"
                        "　 3月 ******************************(2)\r\n"
                        "----"),
              std::string::npos);
    EXPECT_NE(text.find("★毎月ごとの最多書き込みスレッド\r\n・2008年\r\n"
                        "　 1月 テストスレ(1)\r\n"
                        "　 2月 (0)\r\n"
                        "　 3月 テストスレ(2)\r\n"
                        "----"),
              std::string::npos);
}

TEST_F(WriteReportTest, AnEmptyListGivesAnEmptyReport) {
    std::string text = "stale";
    PostList none;
    EXPECT_TRUE(writeReport(text, PostStatistics{}, none, {"Jane"}, 10, 10));
    EXPECT_EQ(text, "");
}

TEST(ReportWindowText, TheAnalysisLogFollowsARuleAndItsHeading) {
    EXPECT_EQ(reportWindowText("★総合結果\r\nx(1)\r\n", "集計しています\r\n"),
              "★総合結果\r\nx(1)\r\n--------------------------------------------"
              "\r\n★解析ログ\r\n集計しています\r\n");
    EXPECT_EQ(reportWindowText("", ""),
              "--------------------------------------------\r\n★解析ログ\r\n");
}

using lorvanel::testing::ZoneGuard;

TEST_F(WriteReportTest, DatesOfDayIndexesStayOnTheirDayAcrossAChangeOfOffset) {
    // New York falls back an hour on 2 November 2008: 35 x 86400 seconds after
    // 1 October 00:30 EDT is 4 November 23:30 EST, but day index 35 is 5 November.
    ZoneGuard zone("America/New_York");
    std::vector<TestPost> posts = boards({"news", "news", "news"});
    posts[0].time = fromLocalTime(2008, 10, 1, 0, 30, 0);
    posts[1].time = fromLocalTime(2008, 11, 5, 0, 10, 0);
    posts[2].time = fromLocalTime(2008, 11, 5, 0, 20, 0);
    const std::string text = report(posts);
    EXPECT_NE(text.find("★1日書き込み回数 Top10\r\n2008/11/05(水) (2)\r\n2008/10/01(水) (1)\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("★連続書き込み日数 "
                        "Top10\r\n2008/10/01～2008/10/01(1日)\r\n2008/11/05～2008/11/05(1日)\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("★連続無書き込み日数 Top10\r\n2008/10/02～2008/11/04(34日)\r\n"),
              std::string::npos);
    ASSERT_EQ(stats.postingRuns.size(), 2u);
    EXPECT_EQ(toLocalTime(stats.postingRuns[1].firstDay).day, 5);
}
