#include "platform/IniFile.h"
#include "report/ComputeStatistics.h"
#include "support/MemoryLog.h"

#include "input/AnalysisLog.h"
#include "support/RecordingAlertSink.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::fillPostLog;
using lorvanel::testing::TestPost;

namespace {

class BoardStatisticsTest : public ::testing::Test {
protected:
    // Each post one minute after the previous one, from 2008-05-01 12:00.
    TestPost next(std::string dir, std::string title = "スレ", int lines = 1) {
        TestPost p;
        p.time = at(2008, 5, 1, 12, minute_++);
        p.dir = std::move(dir);
        p.title = std::move(title);
        p.lines = lines;
        return p;
    }
    bool run(const std::vector<TestPost>& posts) {
        fillPostLog(log, posts);
        EXPECT_EQ(log.posts.size(), posts.size());
        return computeStatistics(stats, log.posts, options, FixedClock(at(2008, 5, 1)));
    }

    PostLog log;
    PostStatistics stats;
    AnalyzeOptions options;
    int minute_ = 0;
};

std::string title(int i) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "T%02d", i);
    return buf;
}

} // namespace

TEST_F(BoardStatisticsTest, BoardsByCountThenByNameBytes) {
    std::vector<TestPost> posts;
    // software and anime have 7 posts each; "アニメ" (0x83 0x41 ...) sorts before
    // "ソフトウェア" (0x83 0x5C ...) whatever the directories' order.
    for (int i = 0; i < 7; ++i) posts.push_back(next("software"));
    for (int i = 0; i < 7; ++i) posts.push_back(next("anime"));
    for (int i = 0; i < 3; ++i) posts.push_back(next("linux"));
    TestPost foreign = next("anime");
    foreign.foreignServer = "jbbs.example.net";
    posts.push_back(foreign);
    posts.push_back(next("")); // no directory
    posts.push_back(next("zzunlisted"));
    ASSERT_TRUE(run(posts));
    const std::vector<TextCount> expected = {{"アニメ", 7},     {"ソフトウェア", 7},
                                             {"Linux", 3},      {"anime＠jbbs.example.net", 1},
                                             {"zzunlisted", 1}, {"不明な板", 1}};
    EXPECT_EQ(stats.boards, expected);
}

TEST_F(BoardStatisticsTest, ThreadRankingKeepsTwentySmallestTitlesOfEqualCount) {
    std::vector<TestPost> posts;
    // 25 threads of 3 posts each, written round-robin from the largest title down.
    for (int round = 0; round < 3; ++round)
        for (int i = 25; i >= 1; --i) posts.push_back(next("news", title(i)));
    ASSERT_TRUE(run(posts));
    EXPECT_EQ(stats.threadCount, 25);
    ASSERT_EQ(stats.threadRanking.size(), 20u);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(stats.threadRanking[i], (TextCount{title(i + 1), 3}));
}

TEST_F(BoardStatisticsTest, ThreadRankingOverThousandsOfThreads) {
    // 3000 threads, thread i written (i % 7) + 1 times, the posts of all threads interleaved;
    // one title longer than anything the counter keeps in one piece.
    const int kThreads = 3000;
    auto name = [](int i) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "S%04d", (i * 7919) % 3000);
        return std::string(buf);
    };
    std::vector<int> left(kThreads);
    for (int i = 0; i < kThreads; ++i) left[i] = i % 7 + 1;
    std::vector<TestPost> posts;
    const std::string longTitle(70000, 'x');
    posts.push_back(next("news", longTitle));
    for (bool any = true; any;) {
        any = false;
        for (int i = 0; i < kThreads; ++i)
            if (left[i]-- > 0) {
                posts.push_back(next("news", name(i)));
                any = true;
            }
    }
    ASSERT_TRUE(run(posts));
    EXPECT_EQ(stats.threadCount, kThreads + 1);
    // Seven posts: the threads with i % 7 == 6; the twenty smallest of their titles.
    std::vector<std::string> seven;
    for (int i = 6; i < kThreads; i += 7) seven.push_back(name(i));
    std::sort(seven.begin(), seven.end());
    ASSERT_EQ(stats.threadRanking.size(), 20u);
    for (int k = 0; k < 20; ++k) EXPECT_EQ(stats.threadRanking[k], (TextCount{seven[k], 7}));
}

TEST_F(BoardStatisticsTest, ThreadRankingByCountThenTitle) {
    std::vector<TestPost> posts = {next("news", "B"),  next("news", "A"), next("news", "C"),
                                   next("anime", "C"), next("news", "B"), next("news", "")};
    ASSERT_TRUE(run(posts));
    // The same title in two boards is one thread; the empty title is a thread too.
    EXPECT_EQ(stats.threadCount, 4);
    const std::vector<TextCount> expected = {{"B", 2}, {"C", 2}, {"", 1}, {"A", 1}};
    EXPECT_EQ(stats.threadRanking, expected);
}

TEST_F(BoardStatisticsTest, MonthlyThreadRankingFillsEmptyMonthsAndBreaksTiesByBytes) {
    std::vector<TestPost> posts;
    auto post = [&](int month, int day, const char* t) {
        TestPost p;
        p.time = at(2009, month, day);
        p.title = t;
        posts.push_back(p);
    };
    // January: "y" and "x" twice each (tie: "x" wins), April: "z".
    post(1, 1, "y");
    post(1, 2, "x");
    post(1, 3, "y");
    post(1, 4, "x");
    post(4, 10, "z");
    ASSERT_TRUE(run(posts));
    const std::vector<TextCount> expected = {{"x", 2}, {"", 0}, {"", 0}, {"z", 1}};
    EXPECT_EQ(stats.monthThreadRanking, expected);
}

TEST_F(BoardStatisticsTest, LineCountsCountOnlyOneToNinetyNineLines) {
    std::vector<TestPost> posts = {next("news", "a", 1), next("news", "a", 100),
                                   next("news", "a", 0), next("news", "a", 3),
                                   next("news", "a", 3), next("news", "a", 99)};
    ASSERT_TRUE(run(posts));
    EXPECT_EQ(stats.lineTotal, 1 + 3 + 3 + 99);
    ASSERT_EQ(stats.lineCounts.size(), 100u);
    EXPECT_EQ(stats.lineCounts[0], (KeyCount{0, 0}));
    EXPECT_EQ(stats.lineCounts[1], (KeyCount{1, 1}));
    EXPECT_EQ(stats.lineCounts[3], (KeyCount{3, 2}));
    EXPECT_EQ(stats.lineCounts[99], (KeyCount{99, 1}));

    minute_ = 0;
    ASSERT_TRUE(run({next("news", "a", 2), next("news", "a", 5)}));
    EXPECT_EQ(stats.lineCounts.size(), 6u); // cut after the longest counted post
}

TEST_F(BoardStatisticsTest, NoPostWithOneToNinetyNineLinesFails) {
    lorvanel::testing::recordedAlerts().clear();
    analysisLog().clear();
    EXPECT_FALSE(run({next("news", "a", 100), next("news", "a", 0)}));
    ASSERT_EQ(lorvanel::testing::recordedAlerts().texts.size(), 1u);
    EXPECT_EQ(lorvanel::testing::recordedAlerts().texts[0], "レスの解析に失敗しました");
    EXPECT_EQ(analysisLog().text(), "レスの解析に失敗しました");

    // An empty list fails the same way instead of reading a first post that isn't there.
    PostList empty;
    EXPECT_FALSE(computeStatistics(stats, empty, options, FixedClock(0)));
    lorvanel::testing::recordedAlerts().clear();
    analysisLog().clear();
}

TEST_F(BoardStatisticsTest, CreatedThreadsInListOrder) {
    std::vector<TestPost> posts = {next("news", "a"), next("news", "b"), next("anime", "c"),
                                   next("news", "d")};
    posts[1].newThread = true;
    posts[3].newThread = true;
    ASSERT_TRUE(run(posts));
    ASSERT_EQ(stats.createdThreadCount, 2u);
    ASSERT_EQ(stats.createdThreads.size(), 2u);
    EXPECT_EQ(stats.createdThreads[0], log.posts[1]);
    EXPECT_EQ(stats.createdThreads[1], log.posts[3]);

    ASSERT_TRUE(run({next("news", "a")}));
    EXPECT_EQ(stats.createdThreadCount, 0u);
    EXPECT_TRUE(stats.createdThreads.empty());
}

TEST_F(BoardStatisticsTest, OptionsSwitchTheRankingsOff) {
    const std::vector<TestPost> posts = {next("news", "a"), next("news", "b")};
    options.threadRanking = 0;
    options.monthThreadRanking = 0;
    ASSERT_TRUE(run(posts));
    EXPECT_TRUE(stats.threadRanking.empty());
    EXPECT_EQ(stats.threadCount, 0);
    EXPECT_TRUE(stats.monthThreadRanking.empty());

    options.threadRanking = 2; // any non-zero value is on
    ASSERT_TRUE(run(posts));
    EXPECT_EQ(stats.threadCount, 2);
}

// The stored ranking size is brought into 0..100 as it is read, so every statistics run and
// the value written back see it in range.
TEST(AnalyzeOptionsTest, RankMaxIsClampedWhereTheOptionsAreRead) {
    const auto readRankMax = [](const std::string& value) {
        IniFile ini;
        ini.parse("[AnalyzeOptions]\r\nRankMax=" + value + "\r\n");
        AnalyzeOptions options;
        readAnalyzeOptions(ini, options);
        return options.rankMax;
    };
    EXPECT_EQ(readRankMax("250"), 100);
    EXPECT_EQ(readRankMax("-1"), 100);
    EXPECT_EQ(readRankMax("100"), 100);
    EXPECT_EQ(readRankMax("0"), 0);
    EXPECT_EQ(readRankMax("37"), 37);

    IniFile empty;
    AnalyzeOptions options;
    options.rankMax = 55;
    options.threadRanking = 0;
    readAnalyzeOptions(empty, options);
    EXPECT_EQ(options.rankMax, 10);
    EXPECT_EQ(options.threadRanking, 1);
}

TEST_F(BoardStatisticsTest, ARecordIsReusedFromScratch) {
    std::vector<TestPost> many;
    for (int i = 0; i < 30; ++i) many.push_back(next("news", title(i)));
    many[0].newThread = true;
    ASSERT_TRUE(run(many));
    minute_ = 0;
    ASSERT_TRUE(run({next("anime", "x")}));
    EXPECT_EQ(stats.boards, (std::vector<TextCount>{{"アニメ", 1}}));
    EXPECT_EQ(stats.threadRanking, (std::vector<TextCount>{{"x", 1}}));
    EXPECT_EQ(stats.threadCount, 1);
    EXPECT_EQ(stats.createdThreadCount, 0u);
    EXPECT_TRUE(stats.createdThreads.empty());
}
