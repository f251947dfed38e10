// The statistics of a selection counted from the keys recorded for the whole log must be
// those counted from the posts themselves, whatever the selection and the ranking switches.
#include "report/ComputeStatistics.h"
#include "report/StatisticsSteps.h"
#include "support/MemoryLog.h"

#include "platform/LocalTime.h"
#include "support/ZoneGuard.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::fillPostLog;
using lorvanel::testing::TestPost;

namespace {

void expectSame(const PostStatistics& a, const PostStatistics& b, const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(a.boards, b.boards);
    EXPECT_EQ(a.threadRanking, b.threadRanking);
    EXPECT_EQ(a.monthThreadRanking, b.monthThreadRanking);
    EXPECT_EQ(a.threadCount, b.threadCount);
    EXPECT_EQ(a.hours, b.hours);
    EXPECT_EQ(a.weekdays, b.weekdays);
    EXPECT_EQ(a.lineCounts, b.lineCounts);
    EXPECT_EQ(a.days, b.days);
    EXPECT_EQ(a.months, b.months);
    EXPECT_EQ(a.years, b.years);
    EXPECT_EQ(a.postingRuns, b.postingRuns);
    EXPECT_EQ(a.silentRuns, b.silentRuns);
    EXPECT_EQ(a.busiestHours, b.busiestHours);
    EXPECT_EQ(a.lineTotal, b.lineTotal);
    EXPECT_EQ(a.postingDays, b.postingDays);
    EXPECT_EQ(a.createdThreadCount, b.createdThreadCount);
    EXPECT_TRUE(std::equal(a.createdThreads.begin(), a.createdThreads.end(),
                           b.createdThreads.begin(), b.createdThreads.end()));
    EXPECT_EQ(a.thisMonth, b.thisMonth);
    EXPECT_EQ(a.lastWeek, b.lastWeek);
}

// Three years of posts over boards of the known family (one directory without a name of its
// own, one empty) and elsewhere, titles from a small pool so that counts tie often, months
// without posts.
std::vector<TestPost> makePosts(std::mt19937& rng) {
    const std::vector<std::string> dirs = {"news", "software", "anime", "linux", "nodir123", ""};
    const std::vector<std::string> foreign = {
        "", "", "", "", "jbbs.example.net", "www.example.org"};
    std::vector<TestPost> posts;
    Time32 t = at(2007, 11, 3);
    for (int i = 0; i < 1500; ++i) {
        t += static_cast<Time32>(rng() % 3 != 0 ? 1 + rng() % 3600 : 1 + rng() % 300000);
        TestPost p;
        p.time = t;
        p.dir = dirs[rng() % dirs.size()];
        p.foreignServer = foreign[rng() % foreign.size()];
        p.title = "スレ" + std::to_string(rng() % 25);
        if (rng() % 9 == 0) p.title.clear();
        p.lines = 1 + static_cast<int>(rng() % 8);
        p.newThread = rng() % 20 == 0;
        posts.push_back(p);
    }
    return posts;
}

// A selection of the log: random posts at a density of its own, a run, or a single post.
PostList makeSelection(std::mt19937& rng, const PostList& all) {
    PostList out;
    const unsigned kind = rng() % 4;
    const std::size_t n = all.size();
    if (kind == 0) {
        out.pushBack(all[rng() % n]);
    } else if (kind == 1) {
        const std::size_t from = rng() % n, to = from + rng() % (n - from);
        for (std::size_t i = from; i <= to; ++i) out.pushBack(all[i]);
    } else {
        const unsigned density = 1 + rng() % 100;
        for (PostRecord* p : all)
            if (rng() % 100 < density) out.pushBack(p);
        if (out.empty()) out.pushBack(all.front());
    }
    return out;
}

// Checks random selections of a log made in the zone that TZ names.
void checkSelections(unsigned seed) {
    std::mt19937 rng(seed);
    PostLog log;
    fillPostLog(log, makePosts(rng));
    ASSERT_EQ(log.posts.size(), 1500u);
    const FixedClock clock(at(2010, 6, 1));
    for (int switches = 0; switches < 4; ++switches) {
        AnalyzeOptions options;
        options.threadRanking = switches & 1;
        options.monthThreadRanking = switches & 2;
        // The whole log records the keys and gives the same statistics as without them.
        PostKeys keys;
        PostStatistics whole, plainWhole;
        ASSERT_TRUE(computeStatistics(whole, log.posts, options, clock, keys));
        ASSERT_TRUE(computeStatistics(plainWhole, log.posts, options, clock));
        ASSERT_FALSE(keys.empty());
        expectSame(whole, plainWhole, "whole log");
        for (int round = 0; round < 150; ++round) {
            const PostList selection = makeSelection(rng, log.posts);
            const std::string what = "switches " + std::to_string(switches) + ", " +
                                     std::to_string(selection.size()) + " posts";
            PostStatistics byKeys, byPosts;
            ASSERT_TRUE(computeStatistics(byKeys, selection, options, clock, keys));
            ASSERT_TRUE(computeStatistics(byPosts, selection, options, clock));
            expectSame(byKeys, byPosts, what);
            // The keys served, rather than the posts after a refusal.
            PostStatistics steps = byPosts;
            ASSERT_TRUE(countPostTablesByKeys(steps, selection, keys));
            ASSERT_TRUE(countTextTablesByKeys(steps, selection, options.threadRanking,
                                              options.monthThreadRanking, keys));
            expectSame(steps, byPosts, what + ", steps alone");
            if (::testing::Test::HasFailure()) return;
        }
    }
}

using lorvanel::testing::ZoneGuard;

} // namespace

// Tokyo, and zones whose clocks change: São Paulo's moved at midnight in those years (a local
// day without its first hour, and one that comes back to the day before), Lord Howe's by
// half an hour.
TEST(PostKeys, SelectionsCountedByKeysAsFromThePosts) {
    for (const char* zone : {"Asia/Tokyo", "America/Sao_Paulo", "Australia/Lord_Howe"}) {
        SCOPED_TRACE(zone);
        ZoneGuard guard(zone);
        checkSelections(3);
        if (HasFailure()) return;
    }
}

TEST(PostKeys, KeysWithoutTitlesLeaveTheRankingsToTheTexts) {
    std::mt19937 rng(4);
    PostLog log;
    fillPostLog(log, makePosts(rng));
    const FixedClock clock(at(2010, 6, 1));
    AnalyzeOptions off;
    off.threadRanking = off.monthThreadRanking = 0;
    PostKeys keys;
    PostStatistics s;
    ASSERT_TRUE(computeStatistics(s, log.posts, off, clock, keys));
    EXPECT_FALSE(keys.hasTitles);
    PostStatistics unchanged;
    EXPECT_FALSE(countTextTablesByKeys(unchanged, log.posts, true, false, keys));
    EXPECT_TRUE(unchanged.boards.empty());
    // The switches turned on afterwards: the statistics come from the texts, as without keys.
    AnalyzeOptions on;
    PostStatistics withKeys, without;
    ASSERT_TRUE(computeStatistics(withKeys, log.posts, on, clock, keys));
    ASSERT_TRUE(computeStatistics(without, log.posts, on, clock));
    expectSame(withKeys, without, "rankings switched on");
    EXPECT_FALSE(withKeys.threadRanking.empty());
}

TEST(PostKeys, OnlyAWholeLogInOrderIsRecorded) {
    std::mt19937 rng(6);
    PostLog log;
    fillPostLog(log, makePosts(rng));
    const FixedClock clock(at(2010, 6, 1));
    const std::size_t n = log.posts.size();
    PostList part;
    for (std::size_t i = 1; i < n; ++i) part.pushBack(log.posts[i]);
    // As long as the log, from its first post to its last, but one post twice and one not.
    PostList twice;
    for (std::size_t i = 0; i < n; ++i) twice.pushBack(log.posts[i == n / 2 ? i + 1 : i]);
    for (const PostList* list : {&part, &twice}) {
        PostKeys keys;
        PostStatistics s;
        ASSERT_TRUE(computeStatistics(s, *list, AnalyzeOptions(), clock, keys));
        EXPECT_TRUE(keys.empty());
    }
}

TEST(PostKeys, PostsTheKeysDoNotCoverAreCountedFromTheirTexts) {
    std::mt19937 rng(8);
    PostLog log, other;
    fillPostLog(log, makePosts(rng));
    const FixedClock clock(at(2010, 6, 1));
    PostKeys keys;
    PostStatistics s;
    ASSERT_TRUE(computeStatistics(s, log.posts, AnalyzeOptions(), clock, keys));
    // A post numbered beyond the keys' log.
    std::vector<TestPost> more = makePosts(rng);
    more.insert(more.end(), more.begin(), more.end());
    for (std::size_t i = 1500; i < more.size(); ++i) more[i].time = more[i - 1].time + 60;
    fillPostLog(other, more);
    PostList beyond;
    beyond.pushBack(other.posts.back());
    PostStatistics unchanged;
    EXPECT_FALSE(countTextTablesByKeys(unchanged, beyond, true, true, keys));
    EXPECT_FALSE(countPostTablesByKeys(unchanged, beyond, keys));
    PostStatistics withKeys, without;
    ASSERT_TRUE(computeStatistics(withKeys, beyond, AnalyzeOptions(), clock, keys));
    ASSERT_TRUE(computeStatistics(without, beyond, AnalyzeOptions(), clock));
    expectSame(withKeys, without, "a post beyond the keys");
}
