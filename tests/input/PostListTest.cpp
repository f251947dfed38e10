#include "input/PostList.h"
#include "input/AnalysisLog.h"
#include "input/PostArena.h"
#include "platform/LocalTime.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace lorvanel;

namespace {

// Records whose texts live in strings owned by the fixture, as they would in a log's buffer.
class PostListTest : public ::testing::Test {
protected:
    void SetUp() override { analysisLog().clear(); }

    PostRecord* post(Time32 t, int lines = 1, const char* url = "") {
        PostRecord* r = arena.create();
        r->time = t;
        r->lineCount = lines;
        texts.emplace_back(url);
        r->url = texts.back().data();
        return r;
    }

    PostArena arena;
    std::deque<std::string> texts;
};

// Computed when first used, after the test main has set the time zone.
Time32 base() {
    return fromLocalTime(2008, 1, 2, 3, 4, 5);
}

} // namespace

TEST_F(PostListTest, AdmitsInTimeOrderAndNumbers) {
    PostList list;
    EXPECT_TRUE(addPost(list, post(base()), &arena, false));
    EXPECT_TRUE(addPost(list, post(base() + 10), &arena, false));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->seq, 1);
    EXPECT_EQ(list[1]->seq, 2);
    EXPECT_EQ(analysisLog().text(), "");
}

TEST_F(PostListTest, RefusesRepeatedTimesAndSortsEarlierOnes) {
    PostList list;
    ASSERT_TRUE(addPost(list, post(base()), &arena, false));
    EXPECT_FALSE(addPost(list, post(base()), &arena, false));
    EXPECT_TRUE(addPost(list, post(base() - 1), &arena, false));
    EXPECT_FALSE(addPost(list, post(base() - 1), &arena, false));
    EXPECT_TRUE(addPost(list, post(base() + 1), &arena, false));
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(analysisLog().text(),
              "(2008/01/02 03:04:05) 書き込み時間が遡っています。この書き込みを無視します。\r\n"
              "(2008/01/02 03:04:04) 書き込み時間が遡っています。この書き込みを無視します。\r\n");
    // The rejected records were handed back: only the admitted ones remain in the arena.
    EXPECT_EQ(arena.size(), 3u);
    finishFilePosts(list);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list[i]->time, base() - 1 + i);
        EXPECT_EQ(list[i]->seq, i + 1);
    }
}

TEST_F(PostListTest, AtFrontForNewestFirstFiles) {
    PostList list;
    ASSERT_TRUE(addPost(list, post(base()), &arena, true));
    ASSERT_TRUE(addPost(list, post(base() - 5), &arena, true));
    EXPECT_FALSE(addPost(list, post(base() - 5), &arena, true));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.front()->time, base() - 5);
    // Numbers count backwards until the file is done.
    EXPECT_EQ(list.front()->seq, 2);
    finishFilePosts(list);
    EXPECT_EQ(list.front()->seq, 1);
    EXPECT_EQ(list.back()->seq, 2);
    // A later post comes in too and is sorted to its place.
    ASSERT_TRUE(addPost(list, post(base() + 1), &arena, true));
    finishFilePosts(list);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.back()->time, base() + 1);
    EXPECT_EQ(list.back()->seq, 3);
}

TEST_F(PostListTest, LineCountBounds) {
    PostList list;
    EXPECT_TRUE(addPost(list, post(base(), 100), &arena, false));
    EXPECT_FALSE(addPost(list, post(base() + 1, 101), &arena, false));
    EXPECT_FALSE(addPost(list, post(base() + 2, -1), &arena, false));
    EXPECT_TRUE(addPost(list, post(base() + 3, 0), &arena, false));
    EXPECT_EQ(analysisLog().text(),
              "(2008/01/02 03:04:06) レス行数が異常です(101行)。この書き込みを無視します。\r\n"
              "(2008/01/02 03:04:07) レス行数が異常です(-1行)。この書き込みを無視します。\r\n");
}

TEST_F(PostListTest, DerivesServerAndKnownBbs) {
    PostList list;
    PostRecord* main = post(base(), 1, "http://news.5ch.net/test/read.cgi/news/123/");
    PostRecord* old = post(base() + 1, 1, "http://pc11.2ch.net/test/read.cgi/win/1/");
    PostRecord* pink = post(base() + 2, 1, "http://mercury.bbspink.com/test/read.cgi/x/1/");
    PostRecord* machi = post(base() + 3, 1, "http://machi.to/bbs/read.cgi/tokyo/1/");
    PostRecord* other = post(base() + 4, 1, "http://jbbs.example.jp/bbs/read.cgi/a/b/");
    PostRecord* noSlashes = post(base() + 5, 1, "news.5ch.net");
    PostRecord* noPath = post(base() + 6, 1, "http://host.example");
    for (PostRecord* r : {main, old, pink, machi, other, noSlashes, noPath})
        ASSERT_TRUE(addPost(list, r, &arena, false));
    EXPECT_STREQ(main->server, "news.5ch.net");
    EXPECT_TRUE(main->knownBbs());
    EXPECT_TRUE(old->knownBbs());
    EXPECT_TRUE(pink->knownBbs());
    EXPECT_STREQ(machi->server, "machi.to");
    EXPECT_TRUE(machi->knownBbs());
    EXPECT_STREQ(other->server, "jbbs.example.jp");
    EXPECT_FALSE(other->knownBbs());
    EXPECT_STREQ(noSlashes->server, "");
    EXPECT_TRUE(noSlashes->knownBbs());
    EXPECT_STREQ(noPath->server, "");
    EXPECT_TRUE(noPath->knownBbs());
}

TEST_F(PostListTest, KeepsAServerTheReaderSet) {
    PostList list;
    PostRecord* r = post(base(), 1, "http://other.example/x/");
    r->server = "2ch.net";
    ASSERT_TRUE(addPost(list, r, &arena, false));
    EXPECT_STREQ(r->server, "2ch.net");
    EXPECT_STREQ(r->url, "http://other.example/x/"); // not cut
}

TEST_F(PostListTest, UrlTextRestoresTheCuts) {
    // As a reader leaves it: the line "http://news.5ch.net/test/read.cgi/news/123/\r\n",
    // cut after the board directory, then after the host by addPost.
    std::string line = "http://news.5ch.net/test/read.cgi/news/123/\r\nnext";
    PostRecord* r = post(base());
    char* text = line.data();
    r->url = text;
    r->setUrlEnd(text + line.find('\r'));
    char* dirEnd = text + line.find("/123/");
    r->dir = text + line.find("news/");
    r->setDirCut(dirEnd, '/');
    *dirEnd = '\0';
    PostList list;
    ASSERT_TRUE(addPost(list, r, &arena, false));
    EXPECT_STREQ(r->server, "news.5ch.net");
    EXPECT_STREQ(r->dir, "news");
    // The stored line ends in "/": the text is the URL without that slash.
    EXPECT_EQ(r->urlText(), "http://news.5ch.net/test/read.cgi/news/123");
    EXPECT_EQ(r->urlText(), "http://news.5ch.net/test/read.cgi/news/123"); // unchanged record

    PostRecord* none = post(base() + 1);
    EXPECT_EQ(none->urlText(), "");
}

TEST_F(PostListTest, MergeAppendsFollowingFile) {
    PostList log, added;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(addPost(log, post(base() + i), &arena, false));
    for (int i = 10; i < 12; ++i) ASSERT_TRUE(addPost(added, post(base() + i), &arena, false));
    EXPECT_EQ(mergePosts(log, added), 5u);
    EXPECT_TRUE(added.empty());
    for (std::size_t i = 0; i < log.size(); ++i) EXPECT_EQ(log[i]->seq, static_cast<int>(i + 1));
    EXPECT_EQ(log.back()->time, base() + 11);
}

TEST_F(PostListTest, MergeInterleavesAndDropsDuplicates) {
    PostList log, added;
    for (Time32 t : {1, 3, 5, 7}) ASSERT_TRUE(addPost(log, post(base() + t), &arena, false));
    std::vector<PostRecord*> addedRecords;
    for (Time32 t : {0, 3, 4, 7, 9, 10}) {
        addedRecords.push_back(post(base() + t));
        ASSERT_TRUE(addPost(added, addedRecords.back(), &arena, false));
    }
    PostRecord* logThree = log[1];
    EXPECT_EQ(mergePosts(log, added), 8u);
    std::vector<Time32> times;
    for (PostRecord* p : log) times.push_back(p->time - base());
    EXPECT_EQ(times, (std::vector<Time32>{0, 1, 3, 4, 5, 7, 9, 10}));
    EXPECT_EQ(log[2], logThree); // the post already in the log wins a tie
    for (std::size_t i = 0; i < log.size(); ++i) EXPECT_EQ(log[i]->seq, static_cast<int>(i + 1));
    EXPECT_EQ(analysisLog().text(), "書き込み時間が同一のレスがあります。無視します\r\n"
                                    "書き込み時間が同一のレスがあります。無視します\r\n");
}

TEST_F(PostListTest, MergeIntoEmptyAndFromEmpty) {
    PostList log, added, none;
    ASSERT_TRUE(addPost(added, post(base()), &arena, false));
    EXPECT_EQ(mergePosts(log, none), 0u);
    EXPECT_EQ(mergePosts(log, added), 1u);
    EXPECT_EQ(mergePosts(log, none), 1u);
    EXPECT_EQ(log[0]->seq, 1);
}

TEST_F(PostListTest, SelectAppendsAcceptedInOrder) {
    PostList log, dest;
    for (int i = 0; i < 6; ++i) ASSERT_TRUE(addPost(log, post(base() + i, i), &arena, false));
    struct EvenLines {
        bool acceptPost(const PostRecord& r) const { return r.lineCount % 2 == 0; }
    };
    EXPECT_EQ(selectPosts(dest, log, EvenLines{}), 3u);
    ASSERT_EQ(dest.size(), 3u);
    EXPECT_EQ(dest[0], log[0]);
    EXPECT_EQ(dest[2], log[4]);
    releasePosts(dest);
    EXPECT_TRUE(dest.empty());
    EXPECT_EQ(log.size(), 6u);
}
