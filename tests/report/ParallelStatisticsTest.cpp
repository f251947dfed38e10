// The walks that run in parts side by side (statistics, the keys they record, the selection
// of a filter, keyword-file matching) must give exactly what one walk over the whole list
// gives, in any time zone, however the list is cut.
#include "filter/CompileFilter.h"
#include "filter/FilterSelection.h"
#include "keywords/KeywordFileAnalysis.h"
#include "platform/WorkerPool.h"
#include "report/ComputeStatistics.h"
#include "support/MemoryLog.h"
#include "support/ZoneGuard.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::fillPostLog;
using lorvanel::testing::TestPost;
using lorvanel::testing::ZoneGuard;

namespace {

void expectSame(const PostStatistics& a, const PostStatistics& b) {
    EXPECT_EQ(a.firstTime, b.firstTime);
    EXPECT_EQ(a.lastTime, b.lastTime);
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
    EXPECT_EQ(a.daysInPeriod, b.daysInPeriod);
    EXPECT_EQ(a.createdThreadCount, b.createdThreadCount);
    EXPECT_TRUE(std::equal(a.createdThreads.begin(), a.createdThreads.end(),
                           b.createdThreads.begin(), b.createdThreads.end()));
    EXPECT_EQ(a.today, b.today);
    EXPECT_EQ(a.thisWeek, b.thisWeek);
    EXPECT_EQ(a.thisMonth, b.thisMonth);
}

void expectSameKeys(const PostKeys& a, const PostKeys& b) {
    ASSERT_EQ(a.ofPost.size(), b.ofPost.size());
    for (std::size_t i = 0; i < a.ofPost.size(); ++i) {
        const PostKeys::Key &x = a.ofPost[i], &y = b.ofPost[i];
        ASSERT_TRUE(x.dayNumber == y.dayNumber && x.hour == y.hour && x.board == y.board &&
                    x.title == y.title)
            << "key of post " << i;
    }
    EXPECT_EQ(a.dirs, b.dirs);
    EXPECT_EQ(a.names, b.names);
    EXPECT_EQ(a.titles, b.titles);
    EXPECT_EQ(a.hasTitles, b.hasTitles);
}

// Four years of posts in bursts (many posts in one hour, months without any), over boards
// of the known family and elsewhere, titles from a small pool so that counts tie often, and
// bodies holding some of the keywords below, some only as halves of a character.
std::vector<TestPost> makePosts(std::mt19937& rng, unsigned titles = 25) {
    const std::vector<std::string> dirs = {"news", "software", "anime", "linux", "nodir123", ""};
    const std::vector<std::string> foreign = {
        "", "", "", "", "jbbs.example.net", "www.example.org"};
    const std::vector<std::string> words = {"ラーメン", "らーめん", "表示", "\\",     "ＡＢＣ",
                                            "abc",      ">>1",      "予定", "ｗｗｗ", "普通"};
    std::vector<TestPost> posts;
    Time32 t = at(2007, 11, 3);
    for (int i = 0; i < 3000; ++i) {
        const unsigned gap = rng() % 10;
        t += static_cast<Time32>(gap < 5   ? 1 + rng() % 120
                                 : gap < 9 ? 1 + rng() % 20000
                                           : 1 + rng() % 3000000);
        TestPost p;
        p.time = t;
        p.dir = dirs[rng() % dirs.size()];
        p.foreignServer = foreign[rng() % foreign.size()];
        p.title = "スレ" + std::to_string(rng() % titles);
        if (rng() % 9 == 0) p.title.clear();
        p.lines = 1 + static_cast<int>(rng() % 8);
        p.newThread = rng() % 20 == 0;
        std::string body;
        for (unsigned w = rng() % 4; w > 0; --w) body += words[rng() % words.size()];
        p.body = body;
        posts.push_back(p);
    }
    return posts;
}

const char kKeywordFile[] = "★G\nラーメン\n\\\nabc\n@ＡＢＣ\n*>>[0-9]\n★H\n予\n表\nｗ\n普通\n"
                            "存在しない\n*^abc\n";

// Everything the walks in parts compute, as one text per run to compare.
struct Results {
    std::vector<PostStatistics> stats; // whole log, then selections by keys, by posts
    std::vector<PostKeys> keys;
    std::vector<std::vector<PostRecord*>> selections;
    std::string keywordPage;
};

Results computeAll(PostLog& log, const std::vector<PostList>& selections) {
    Results r;
    const FixedClock clock(at(2010, 6, 1));
    for (int switches = 0; switches < 4; ++switches) {
        AnalyzeOptions options;
        options.threadRanking = switches & 1;
        options.monthThreadRanking = switches & 2;
        PostKeys& keys = r.keys.emplace_back();
        EXPECT_TRUE(computeStatistics(r.stats.emplace_back(), log.posts, options, clock, keys));
        for (const PostList& s : selections) {
            EXPECT_TRUE(computeStatistics(r.stats.emplace_back(), s, options, clock, keys));
            EXPECT_TRUE(computeStatistics(r.stats.emplace_back(), s, options, clock));
        }
    }
    for (const char* filter : {"msg_\"ラーメン\"", "!AA&line3-", "hour13-15|dir_news", "date2009",
                               "msgr_\">>[0-9]\"|sbj_\"スレ1\""}) {
        PostList selected;
        const FilterPtr node = compileFilterQuietly(filter, nullptr);
        EXPECT_TRUE(node) << filter;
        if (node) selectMatching(selected, log.posts, *node);
        r.selections.emplace_back(selected.begin(), selected.end());
    }
    EXPECT_TRUE(log.ensureFoldedBodies());
    r.keywordPage =
        formatKeywordResult(matchKeywordSet(parseKeywordSet("k", kKeywordFile), log.posts, log));
    return r;
}

// Every statistics record and key table of the parts' run equals the single walk's.
void expectSameResults(const Results& single, const Results& parts) {
    ASSERT_EQ(single.stats.size(), parts.stats.size());
    for (std::size_t i = 0; i < single.stats.size(); ++i) {
        SCOPED_TRACE("statistics " + std::to_string(i));
        expectSame(single.stats[i], parts.stats[i]);
    }
    for (std::size_t i = 0; i < single.keys.size(); ++i) {
        SCOPED_TRACE("keys " + std::to_string(i));
        expectSameKeys(single.keys[i], parts.keys[i]);
    }
}

} // namespace

// São Paulo's clocks moved at midnight in those years, Lord Howe's by half an hour.
TEST(ParallelStatistics, PartsSideBySideGiveTheSingleWalksResults) {
    for (const char* zone : {"Asia/Tokyo", "America/Sao_Paulo", "Australia/Lord_Howe"}) {
        SCOPED_TRACE(zone);
        ZoneGuard guard(zone);
        std::mt19937 rng(28);
        PostLog log;
        fillPostLog(log, makePosts(rng));
        std::vector<PostList> selections(3);
        for (std::size_t i = 0; i < log.posts.size(); ++i) {
            if (rng() % 3 == 0) selections[0].pushBack(log.posts[i]);
            if (i > 700 && i < 2600) selections[1].pushBack(log.posts[i]);
        }
        selections[2].pushBack(log.posts[5]);
        Results single, parts;
        {
            // More parts than processors, and small ones, so that cuts fall everywhere. The
            // parts run first: they test every post for ASCII art and resolve its board.
            PartsOverride many(7, 64);
            ASSERT_EQ(partsFor(log.posts.size()), 7u);
            parts = computeAll(log, selections);
        }
        {
            PartsOverride one(1, 1);
            single = computeAll(log, selections);
        }
        expectSameResults(single, parts);
        for (const PostKeys& keys : single.keys) EXPECT_FALSE(keys.empty());
        EXPECT_EQ(single.selections, parts.selections);
        EXPECT_EQ(single.keywordPage, parts.keywordPage);
        // The walks found something to compare.
        for (const auto& s : single.selections) EXPECT_FALSE(s.empty());
        EXPECT_NE(single.keywordPage.find("ラーメン("), std::string::npos);
        if (HasFailure()) return;
    }
}

// Titles by the thousand, most of them met once: every part's title table and the whole's,
// which the parts' tables are added up into, grow many times over while they count.
TEST(ParallelStatistics, ThousandsOfTitlesAddUpAsInTheSingleWalk) {
    std::mt19937 rng(2801);
    PostLog log;
    fillPostLog(log, makePosts(rng, 4000));
    PostList selection;
    for (std::size_t i = 0; i < log.posts.size(); ++i)
        if (rng() % 4 != 0) selection.pushBack(log.posts[i]);
    Results single, parts;
    {
        PartsOverride many(7, 64);
        parts = computeAll(log, {selection});
    }
    {
        PartsOverride one(1, 1);
        single = computeAll(log, {selection});
    }
    expectSameResults(single, parts);
    // The whole log's statistics with the thread ranking on (the fourth: the whole log and
    // the selection twice for each setting) count the titles, and so do its keys.
    EXPECT_GT(single.stats[3].threadCount, 1500);
    EXPECT_GT(single.keys[1].titles.size(), 1500u);
}
