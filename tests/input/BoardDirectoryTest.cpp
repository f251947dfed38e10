#include "input/BoardDirectory.h"
#include "input/PostRecord.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace lorvanel;

namespace {
PostRecord postOn(const char* server, const char* dir, bool known) {
    PostRecord r;
    r.server = server;
    r.dir = dir;
    if (known) r.flags |= PostRecord::kKnownBbs;
    return r;
}
} // namespace

TEST(BoardDirectory, EmbeddedListHasTheFamily) {
    const BoardDirectory& d = boardDirectory(); // loaded by the test main
    EXPECT_GT(d.boards().size(), 700u);
    EXPECT_EQ(d.knownBoardName("newsplus"), "ニュース速報+");
    EXPECT_EQ(d.knownBoardName("tokyo"), "東京"); // the regional BBS
    EXPECT_EQ(d.knownBoardName(""), "不明な板");
    EXPECT_EQ(d.knownBoardName("nosuchboard"), "nosuchboard");
}

TEST(BoardDirectory, LoadingTheListFormat) {
    BoardDirectory d;
    EXPECT_FALSE(d.loadBoardListText(""));
    ASSERT_TRUE(d.loadBoardListText("ニュース\t0\r\n"
                                    "\tnews.5ch.net\tnews\tニュース速報\r\n"
                                    "\tonly.two\tfields\r\n"
                                    "\tx.5ch.net\tnews\tニュース速報(新)\r\n"
                                    "\ty.5ch.net\tlive\t実況\r\n"));
    EXPECT_EQ(d.boards().size(), 2u);
    EXPECT_EQ(d.knownBoardName("news"), "ニュース速報(新)"); // the later line wins
    EXPECT_EQ(d.knownBoardName("fields"), "fields");         // two-field line ignored
    EXPECT_EQ(d.boardDirFromName("実況"), "live");
    EXPECT_EQ(d.boardDirFromName("未知"), "未知");
}

TEST(BoardDirectory, DisplayNamesOfPosts) {
    BoardDirectory d;
    ASSERT_TRUE(d.loadBoardListText("\tnews.5ch.net\tnews\tニュース速報\r\n"));
    EXPECT_EQ(d.boardDisplayName(postOn("news.5ch.net", "news", true)), "ニュース速報");
    EXPECT_EQ(d.boardDisplayName(postOn("news.5ch.net", "zzz", true)), "zzz");
    EXPECT_EQ(d.boardDisplayName(postOn("news.5ch.net", "", true)), "不明な板");
    EXPECT_EQ(d.boardDisplayName(postOn("bar", "", false)), "不明な板");
    const std::string& foreign = d.boardDisplayName(postOn("bar", "foo", false));
    EXPECT_EQ(foreign, "foo＠bar");
    // The same text object is handed out again.
    EXPECT_EQ(&d.boardDisplayName(postOn("bar", "foo", false)), &foreign);
}

TEST(BoardDirectory, ResolvingFilterNames) {
    BoardDirectory d;
    ASSERT_TRUE(d.loadBoardListText("\tnews.5ch.net\tnews\tニュース速報\r\n"));
    using Result = std::pair<std::string, std::string>;
    EXPECT_EQ(d.resolveBoardFilter(""), Result());
    EXPECT_EQ(d.resolveBoardFilter("不明な板"), Result());
    EXPECT_EQ(d.resolveBoardFilter("ニュース速報"), Result("", "news"));
    EXPECT_EQ(d.resolveBoardFilter("livejupiter"), Result("", "livejupiter"));
    EXPECT_EQ(d.resolveBoardFilter("foo＠bar"), Result()); // not shown yet
    d.boardDisplayName(postOn("bar", "foo", false));
    // Handed out is not enough: a loaded log must hold the board.
    EXPECT_EQ(d.resolveBoardFilter("foo＠bar"), Result());
    d.retainForeignBoard("foo＠bar");
    d.retainForeignBoard("foo＠bar"); // a second log
    EXPECT_EQ(d.resolveBoardFilter("foo＠bar"), Result("bar", "foo"));
    d.releaseForeignBoard("foo＠bar");
    EXPECT_EQ(d.resolveBoardFilter("foo＠bar"), Result("bar", "foo"));
    d.releaseForeignBoard("foo＠bar");
    d.releaseForeignBoard("foo＠bar"); // one release too many changes nothing
    EXPECT_EQ(d.resolveBoardFilter("foo＠bar"), Result());
    d.retainForeignBoard("foo＠bar");
    EXPECT_EQ(d.resolveBoardFilter("foo＠bar"), Result("bar", "foo"));
}

TEST(BoardDirectory, PostCachesItsBoardName) {
    PostRecord r = postOn("news.5ch.net", "newsplus", true);
    const std::string& name = r.boardName();
    EXPECT_EQ(name, "ニュース速報+");
    EXPECT_EQ(&r.boardName(), &name);
}

TEST(BoardDirectory, NamesALogWroteForBoardsTheListLacks) {
    BoardDirectory d;
    ASSERT_TRUE(d.loadBoardListText("\tnews.5ch.net\tnews\tニュース速報\r\n"));
    const PostRecord rental = postOn("jbbs.shitaraba.net", "internet/23456", false);
    const PostRecord other = postOn("jbbs.shitaraba.net", "internet/34567", false);
    const PostRecord family = postOn("mao.5ch.net", "linux", true);
    const PostRecord listed = postOn("news.5ch.net", "news", true);
    EXPECT_EQ(d.boardDisplayName(rental), "internet/23456＠jbbs.shitaraba.net");
    d.nameBoard(rental, "ネット雑談");
    d.nameBoard(rental, "改名");      // the first name stays
    d.nameBoard(other, "ネット雑談"); // a name another board shows is not taken
    d.nameBoard(family, "Linux");
    d.nameBoard(listed, "ニュース"); // the list's own name stays
    EXPECT_EQ(d.boardDisplayName(rental), "ネット雑談");
    EXPECT_EQ(d.boardDisplayName(other), "internet/34567＠jbbs.shitaraba.net");
    EXPECT_EQ(d.boardDisplayName(family), "Linux");
    EXPECT_EQ(d.boardDisplayName(listed), "ニュース速報");
    // brd_ by that name: a board of the family any server; one outside it while a log holds it.
    EXPECT_EQ(d.resolveBoardFilter("Linux"), std::make_pair(std::string(), std::string("linux")));
    EXPECT_EQ(d.resolveBoardFilter("ネット雑談"), std::make_pair(std::string(), std::string()));
    d.retainForeignBoard("ネット雑談");
    EXPECT_EQ(d.resolveBoardFilter("ネット雑談"),
              std::make_pair(std::string("jbbs.shitaraba.net"), std::string("internet/23456")));
    d.releaseForeignBoard("ネット雑談");
    EXPECT_EQ(d.resolveBoardFilter("ネット雑談"), std::make_pair(std::string(), std::string()));
}

// A loader names boards on its worker while the window and the parallel walks ask for
// names: the tables grow from several threads at once without losing or tearing a name, and
// every name handed out stays readable.
TEST(BoardDirectory, NamesGrowFromSeveralThreads) {
    BoardDirectory d;
    ASSERT_TRUE(d.loadBoardListText("cat\n\tsv.example\tnews\tニュース\n"));
    constexpr int kThreads = 4, kBoards = 20000;
    std::vector<std::thread> threads;
    std::vector<std::vector<const std::string*>> handed(kThreads);
    std::atomic<int> waiting{kThreads};
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&d, &handed, &waiting, t] {
            // All start together, so that the threads really overlap.
            --waiting;
            while (waiting > 0) std::this_thread::yield();
            for (int i = 0; i < kBoards; ++i) {
                const std::string dir = "d" + std::to_string(t) + "_" + std::to_string(i);
                const std::string server = "s" + std::to_string(i) + ".example";
                const PostRecord foreign = postOn(server.c_str(), dir.c_str(), false);
                const std::string& name = d.boardDisplayName(foreign);
                d.retainForeignBoard(name);
                handed[t].push_back(&name);
                handed[t].push_back(&d.knownBoardName(dir));
                d.nameBoard(postOn("sv.example", dir.c_str(), true), "名" + dir);
                d.resolveBoardFilter("名d" + std::to_string(kThreads - 1 - t) + "_" +
                                     std::to_string(i));
            }
        });
    for (std::thread& t : threads) t.join();
    for (int t = 0; t < kThreads; ++t)
        for (int i = 0; i < kBoards; ++i) {
            const std::string dir = "d" + std::to_string(t) + "_" + std::to_string(i);
            const std::string server = "s" + std::to_string(i) + ".example";
            ASSERT_EQ(*handed[t][2 * i], dir + "＠" + server);
            ASSERT_EQ(*handed[t][2 * i + 1], dir);
            ASSERT_EQ(d.resolveBoardFilter(dir + "＠" + server),
                      (std::pair<std::string, std::string>{server, dir}));
            ASSERT_EQ(d.resolveBoardFilter("名" + dir),
                      (std::pair<std::string, std::string>{"", dir}));
        }
}
