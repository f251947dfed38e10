// The one board ranking: what the cumulative graph ranks is the statistics' board table, row
// for row, on logs full of equal counts, shared names, foreign and unlisted boards, for the
// whole log and for selections counted from the recorded keys.
#include "stats/BoardRanking.h"

#include "input/BoardDirectory.h"
#include "platform/Clock.h"
#include "report/ComputeStatistics.h"
#include "report/PostKeys.h"
#include "support/MemoryLog.h"

#include <gtest/gtest.h>
#include <map>
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

// A post's group is looked up by its board name's number, not by its texts. The groups must
// still be what counting by the texts gives: one per directory of the family (two listed
// directories of one name stay two, a directory named while the log was read is one under
// both its names), one per name outside the family (the family's "不明な板" without a
// directory apart from the one outside it), numbered in the order first met.
TEST(BoardRanking, GroupsAreDirectoriesOfTheFamilyAndNamesOutsideIt) {
    // The directory is new to the process on every run, so that it gets both names each time.
    static int runs = 0;
    const std::string later = "rankedlater" + std::to_string(runs++);
    struct Board {
        std::string dir;
        std::string server; // "" for the family
    };
    // Listed directories of one name (四国, 中国), unlisted ones, the same directories outside
    // the family, and no directory at all, inside and outside.
    std::vector<Board> kinds = {{"shikoku", ""},   {"sikoku", ""},  {"china", ""},
                                {"chugoku", ""},   {"cyugoku", ""}, {"", ""},
                                {"", "x.example"}, {later, ""},     {later, "x.example"}};
    for (int i = 0; i < 30; ++i) kinds.push_back({"zz" + std::to_string(i), ""});
    for (int i = 0; i < 10; ++i) kinds.push_back({"zz" + std::to_string(i), "y.example"});

    std::mt19937 rng(7);
    std::uniform_int_distribution<std::size_t> pick(0, kinds.size() - 1);
    std::vector<TestPost> posts;
    std::size_t board = 0;
    for (int i = 0; i < 3000; ++i) {
        TestPost p;
        p.time = at(2008, 5, 1) + i * 600;
        // Runs of one board, as posting sessions leave them.
        if (rng() % 4 == 0) board = pick(rng);
        const Board& b = kinds[board];
        p.dir = b.dir;
        p.foreignServer = b.server;
        posts.push_back(p);
    }
    PostLog log;
    fillPostLog(log, posts);

    // The first half of the posts in `later` take the name the directory has before a log
    // names it; the rest take the log's name.
    const PostRecord* before = nullptr;
    const PostRecord* after = nullptr;
    for (std::size_t i = 0; i < log.posts.size() / 2; ++i)
        if (log.posts[i]->knownBbs() && log.posts[i]->dir == later) {
            log.posts[i]->boardName();
            before = log.posts[i];
        }
    ASSERT_NE(before, nullptr);
    boardDirectory().nameBoard(*before, "後で命名" + std::to_string(runs));
    for (std::size_t i = log.posts.size() / 2; i < log.posts.size(); ++i)
        if (log.posts[i]->knownBbs() && log.posts[i]->dir == later) after = log.posts[i];
    ASSERT_NE(after, nullptr);
    ASSERT_NE(before->boardNameNumber(), after->boardNameNumber());

    BoardRanking ranking;
    std::map<std::string, std::uint32_t> groupOfKey;
    for (const PostRecord* p : log.posts) {
        const std::string key =
            p->knownBbs() ? "family " + std::string(p->dir) : "outside " + p->boardName();
        const std::uint32_t group = ranking.add(*p);
        const auto [it, added] = groupOfKey.try_emplace(key, group);
        // A new board gets the next number; a board met before keeps its own.
        EXPECT_EQ(group, added ? groupOfKey.size() - 1 : it->second) << key;
    }
    EXPECT_EQ(ranking.groupCount(), groupOfKey.size());
    EXPECT_EQ(groupOfKey.size(), kinds.size());
    ranking.rank();
    std::size_t shikoku = 0;
    for (const BoardCount& b : ranking.boards())
        shikoku += b.name == boardDirectory().knownBoardName("shikoku");
    EXPECT_EQ(shikoku, 2u);
}
