// The one board ranking: what the cumulative graph ranks is the statistics' board table, row
// for row, on logs full of equal counts, shared names, foreign and unlisted boards, for the
// whole log and for selections counted from the recorded keys.
#include "stats/BoardRanking.h"

#include "platform/Clock.h"
#include "report/ComputeStatistics.h"
#include "report/PostKeys.h"
#include "support/MemoryLog.h"

#include <gtest/gtest.h>
#include <random>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::fillPostLog;
using lorvanel::testing::TestPost;

namespace {

std::vector<TestPost> randomPosts(std::mt19937& rng, int n) {
    struct Board {
        const char* dir;
        const char* server; // "" for the known BBS family
    };
    // Listed directories, directories the board list doesn't know (named by themselves),
    // the same directory inside and outside the family, a post without a directory.
    static const Board kBoards[] = {
        {"news", ""},
        {"software", ""},
        {"anime", ""},
        {"linux", ""},
        {"zx", ""},
        {"zy", ""},
        {"anime", "jbbs.example.net"},
        {"zx", "a.example.org"},
        {"zx", "b.example.org"},
        {"", ""},
    };
    std::uniform_int_distribution<std::size_t> board(0, std::size(kBoards) - 1);
    std::vector<TestPost> posts;
    for (int i = 0; i < n; ++i) {
        TestPost p;
        p.time = at(2008, 5, 1) + i * 3600;
        const Board& b = kBoards[board(rng)];
        p.dir = b.dir;
        p.foreignServer = b.server;
        posts.push_back(p);
    }
    return posts;
}

std::vector<std::pair<std::string, std::size_t>> rowsOf(const BoardRanking& r) {
    std::vector<std::pair<std::string, std::size_t>> rows;
    for (const BoardCount& b : r.boards()) rows.emplace_back(std::string(b.name), b.count);
    return rows;
}

std::vector<std::pair<std::string, std::size_t>> rowsOf(const PostStatistics& s) {
    std::vector<std::pair<std::string, std::size_t>> rows;
    for (const TextCount& b : s.boards)
        rows.emplace_back(b.text, static_cast<std::size_t>(b.count));
    return rows;
}

// Every post counted lands in the row of its group: the rows' counts are the posts mapped
// to them, which is what the graph draws for each row.
void expectGroupsMatchRows(const PostList& posts) {
    BoardRanking ranking;
    std::vector<std::uint32_t> groups;
    for (const PostRecord* p : posts) groups.push_back(ranking.add(*p));
    ranking.rank();
    std::vector<std::size_t> perRow(ranking.boards().size(), 0);
    for (std::uint32_t g : groups) ++perRow[ranking.rankOfGroup(g)];
    for (std::size_t r = 0; r < perRow.size(); ++r)
        EXPECT_EQ(perRow[r], ranking.boards()[r].count) << "row " << r;
}

} // namespace

TEST(BoardRanking, IsTheStatisticsBoardTableRowForRow) {
    const FixedClock clock(at(2009, 1, 1));
    AnalyzeOptions options;
    int tiedLogs = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        PostLog log;
        fillPostLog(log, randomPosts(rng, 5 + static_cast<int>(seed % 7) * 6));
        PostKeys keys;
        PostStatistics whole;
        ASSERT_TRUE(computeStatistics(whole, log.posts, options, clock, keys));
        const BoardRanking ranking(log.posts);
        EXPECT_EQ(rowsOf(ranking), rowsOf(whole));
        expectGroupsMatchRows(log.posts);
        for (std::size_t i = 1; i < whole.boards.size(); ++i)
            tiedLogs += whole.boards[i].count == whole.boards[i - 1].count;

        // A selection: every other post, counted from the keys recorded above.
        PostList half;
        for (std::size_t i = 0; i < log.posts.size(); i += 2) half.pushBack(log.posts[i]);
        PostStatistics part;
        ASSERT_TRUE(computeStatistics(part, half, options, clock, keys));
        EXPECT_EQ(rowsOf(BoardRanking(half)), rowsOf(part));
        expectGroupsMatchRows(half);
    }
    // The logs are small enough that equal counts are common, which is what is checked here.
    EXPECT_GT(tiedLogs, 20);
}

TEST(BoardRanking, EqualCountsGoByNameBytesWhateverTheOrderOfThePosts) {
    PostLog log;
    std::vector<TestPost> posts;
    // linux first, anime last in the log; both 2 posts; news 3.
    for (const char* dir :
         {"linux", "linux", "news", "news", "news", "zx", "zx", "anime", "anime"}) {
        TestPost p;
        p.time = at(2008, 5, 1) + static_cast<int>(posts.size()) * 60;
        p.dir = dir;
        posts.push_back(p);
    }
    fillPostLog(log, posts);
    const BoardRanking ranking(log.posts);
    const std::vector<BoardCount>& b = ranking.boards();
    ASSERT_EQ(b.size(), 4u);
    EXPECT_EQ(b[0].count, 3u);
    for (std::size_t i = 2; i < b.size(); ++i) {
        EXPECT_EQ(b[i].count, 2u);
        EXPECT_LT(b[i - 1].name, b[i].name);
    }
}
