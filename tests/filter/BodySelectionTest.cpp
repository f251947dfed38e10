// Selections that test bodies take shortcuts: the byte-count bound of the ASCII-art test and
// the literal scan in front of the regular expression engine. Over a log of generated bodies
// they must select exactly the posts that the plain tests select.
#include "FilterTestSupport.h"

#include "filter/FilterSelection.h"
#include "input/AsciiArt.h"
#include "match/Regex.h"
#include "support/MemoryLog.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::compileOk;
using lorvanel::testing::fillPostLog;
using lorvanel::testing::TestPost;

namespace {

// Bodies as posts have them: lines of Japanese text and ASCII, anchors in both widths, URLs,
// laughter, pieces of ASCII art, and now and then a stray byte.
std::string makeBody(std::mt19937& rng) {
    static const std::vector<std::string> pieces = {
        "今日は", "いい天気",   "ですね",   "。",
        "、",     "ワロタ",     "ｗｗｗ",   "www",
        ">>1",    ">>23",       "＞＞４５", "＞1",
        "> 1",    ">",          "＞",       "http://example.com/a?b=1",
        "　",     "（　´∀｀）", "＜",       "┃",
        "─",      "・",         "∧＿∧",     "Part12",
        "abc",    "\r\n",       "\r\n",     "?",
        "!!",     "\x81",       "\x84\xBE", "ｱｲｳ",
        "１２３", "9"};
    std::string body;
    const std::size_t n = rng() % 12 == 0 ? 200 + rng() % 400 : rng() % 40;
    // Some bodies are drawn mostly from the symbols, so that ASCII art occurs.
    const bool art = rng() % 5 == 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t k = art && rng() % 4 != 0 ? 15 + rng() % 9 : rng() % pieces.size();
        body += pieces[k];
    }
    return body;
}

std::vector<bool> selected(const char* filterText, const PostList& posts) {
    const FilterPtr f = compileOk(filterText);
    std::vector<bool> out;
    for (const PostRecord* p : posts) out.push_back(f->Matches(*p));
    return out;
}

} // namespace

TEST(BodySelection, ShortcutsSelectWhatThePlainTestsSelect) {
    std::mt19937 rng(21);
    std::vector<TestPost> posts;
    Time32 t = at(2009, 1, 1);
    for (int i = 0; i < 3000; ++i) {
        TestPost p;
        p.time = (t += 61);
        p.body = makeBody(rng);
        p.lines = 1 + static_cast<int>(rng() % 10);
        posts.push_back(p);
    }
    PostLog log;
    fillPostLog(log, posts);
    ASSERT_EQ(log.posts.size(), posts.size());

    // The engine alone decides a pattern inside "(?:...)", which the literal analysis leaves
    // alone.
    for (const char* pattern : {"(>|＞)[1-9]", "(w|ｗ)+$", "^>>", "http://|ttp:", "Part[0-9]+",
                                "ワロタ|ｗｗｗ", "＞＞", "∀"}) {
        SCOPED_TRACE(pattern);
        Regex withLiterals, engineAlone;
        ASSERT_TRUE(withLiterals.compile(pattern));
        ASSERT_TRUE(engineAlone.compile(std::string("(?:") + pattern + ")"));
        int matched = 0;
        for (const PostRecord* p : log.posts) {
            const bool expected = engineAlone.search(p->body);
            ASSERT_EQ(withLiterals.search(p->body), expected) << p->body;
            matched += expected;
        }
        EXPECT_GT(matched, 0);
        EXPECT_LT(matched, static_cast<int>(log.posts.size()));
    }

    // ASCII art, alone and as the default filter "長文" has it, against the character walk.
    const std::vector<bool> art = selected("AA", log.posts);
    const std::vector<bool> longPosts = selected("!AA&line6-", log.posts);
    int artCount = 0;
    for (std::size_t i = 0; i < log.posts.size(); ++i) {
        const PostRecord& p = *log.posts[i];
        const bool walk = isAsciiArtTextByWalk(p.body);
        ASSERT_EQ(art[i], walk) << p.body;
        ASSERT_EQ(longPosts[i], !walk && p.lineCount >= 6) << p.body;
        artCount += walk;
    }
    EXPECT_GT(artCount, 100);
    EXPECT_LT(artCount, 1500);
}

// A log written newest first has its bodies in memory in the opposite order to time; the
// selection then fetches them ahead itself. It must select what the plain walk selects, and
// leave the same ASCII-art answers in the posts.
TEST(BodySelection, BodiesLyingBackwardsAreSelectedAsForwards) {
    std::mt19937 rng(22);
    const std::size_t n = 500;
    std::vector<std::string> bodies(n);
    for (std::string& b : bodies) b = makeBody(rng);
    // One buffer, the newest post's body first.
    std::string buffer;
    std::vector<std::size_t> offset(n);
    for (std::size_t i = n; i-- > 0;) {
        offset[i] = buffer.size();
        buffer += bodies[i];
        buffer += '\0';
    }
    std::vector<PostRecord> records(n), copies(n);
    PostList backwards, forwards;
    for (std::size_t i = 0; i < n; ++i) {
        records[i].time = at(2010, 1, 1) + static_cast<Time32>(60 * i);
        records[i].seq = static_cast<std::int32_t>(i + 1);
        records[i].body = buffer.data() + offset[i];
        records[i].lineCount = 1 + static_cast<int>(i % 9);
        copies[i] = records[i];
        backwards.pushBack(&records[i]);
        forwards.pushBack(&copies[i]);
    }
    ASSERT_GT(backwards.front()->body, backwards.back()->body);
    for (const char* text :
         {"msgr_\"(>|＞)[1-9]\"", "!AA&line6-", "msg_ｗ|AA", "line3&!msg_\"。\""}) {
        SCOPED_TRACE(text);
        PostList fetched, plain;
        ASSERT_TRUE(selectPostsWithFilter(fetched, backwards, text));
        selectPosts(plain, forwards, *compileOk(text));
        ASSERT_EQ(fetched.size(), plain.size());
        for (std::size_t i = 0; i < fetched.size(); ++i) EXPECT_EQ(fetched[i]->seq, plain[i]->seq);
        for (std::size_t i = 0; i < n; ++i) EXPECT_EQ(records[i].flags, copies[i].flags);
    }
}
