#include "input/KeyValueReader.h"
#include "input/AnalysisLog.h"
#include "input/DomainConstants.h"
#include "input/LogFormat.h"
#include "input/PostArena.h"
#include "input/PostList.h"
#include "support/BaseTimes.h"
#include "support/LogBuilder.h"
#include "support/TestText.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace lorvanel;
using lorvanel::testing::LogBuilder;
using lorvanel::testing::LogPost;
using lorvanel::testing::postAt;

namespace {

using lorvanel::testing::kBase;

class KeyValueReaderTest : public ::testing::Test {
protected:
    void SetUp() override { analysisLog().clear(); }

    bool parse(const std::string& text) {
        buffer = lorvanel::testing::terminatedCopy(text);
        return KeyValueReader().parse(posts, arena, buffer.get(), text.size());
    }

    std::unique_ptr<char[]> buffer;
    PostList posts;
    PostArena arena;
};

std::string decoded(std::string s) {
    s.resize(decodePercentInPlace(s.data(), s.size()));
    return s;
}

} // namespace

TEST_F(KeyValueReaderTest, ReplyWithAThreadUrl) {
    LogPost p = postAt(kBase);
    p.name = "名無し";
    p.mail = "sage";
    p.body = "一行目\r\n二行目";
    ASSERT_TRUE(parse(LogBuilder(kFormatGikonavi).add(p).text()));
    ASSERT_EQ(posts.size(), 1u);
    const PostRecord& r = *posts[0];
    EXPECT_EQ(r.time, kBase);
    EXPECT_STREQ(r.name, "名無し");
    EXPECT_STREQ(r.mail, "sage");
    EXPECT_STREQ(r.title, "テストスレ");
    EXPECT_STREQ(r.body, "一行目\r\n二行目");
    EXPECT_EQ(r.lineCount, 2);
    EXPECT_STREQ(r.dir, "news");
    EXPECT_STREQ(r.server, "news.2ch.net");
    EXPECT_FALSE(r.newThread());
    EXPECT_EQ(r.urlText(), "http://news.2ch.net/test/read.cgi/news/1199210000");
    EXPECT_STREQ(KeyValueReader().formatName(), "ギコナビ");
}

TEST_F(KeyValueReaderTest, NewThreadOnTheMainBbsByDirectory) {
    LogPost p = postAt(kBase);
    p.url = "";
    p.board = "newsplus";
    p.newThread = true;
    ASSERT_TRUE(parse(LogBuilder(kFormatGikonavi).add(p).text()));
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_TRUE(posts[0]->newThread());
    EXPECT_STREQ(posts[0]->dir, "newsplus");
    EXPECT_STREQ(posts[0]->server, kMainBbsDomain);
    EXPECT_STREQ(posts[0]->url, "");
    EXPECT_TRUE(posts[0]->knownBbs());
    EXPECT_EQ(posts[0]->boardName(), "ニュース速報+");
}

TEST_F(KeyValueReaderTest, NewThreadWithABoardUrl) {
    LogPost p = postAt(kBase);
    p.url = "https://forum.example.org/cooking/";
    p.newThread = true;
    ASSERT_TRUE(parse(LogBuilder(kFormatGikonavi).add(p).text()));
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_TRUE(posts[0]->newThread());
    EXPECT_STREQ(posts[0]->dir, "cooking");
    EXPECT_STREQ(posts[0]->server, "forum.example.org");
    EXPECT_FALSE(posts[0]->knownBbs());
    EXPECT_EQ(posts[0]->urlText(), "https://forum.example.org/cooking");
}

TEST_F(KeyValueReaderTest, IncompleteSectionsAreSkipped) {
    const std::string good = LogBuilder::postText(kFormatGikonavi, postAt(kBase + 60));
    std::string noStatus = LogBuilder::postText(kFormatGikonavi, postAt(kBase));
    noStatus.erase(noStatus.find("Status=1\r\n"), 10);
    std::string badKey = LogBuilder::postText(kFormatGikonavi, postAt(kBase + 30));
    badKey.replace(badKey.find("Key="), 4, "Kez=");
    // A tail read starts inside a record: its rest comes before the first "[" line.
    const std::string text = "ate=2008/01/01 00:00:00\r\nKey=1\r\n" + noStatus + badKey + good;
    ASSERT_TRUE(parse(text));
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0]->time, kBase + 60);
    EXPECT_EQ(analysisLog().text(), "");
}

TEST_F(KeyValueReaderTest, ASectionBrokenByTheNextOneStillReadsTheNext) {
    std::string cut = LogBuilder::postText(kFormatGikonavi, postAt(kBase));
    cut.resize(cut.find("Date="));
    ASSERT_TRUE(parse(cut + LogBuilder::postText(kFormatGikonavi, postAt(kBase + 60))));
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0]->time, kBase + 60);
}

TEST_F(KeyValueReaderTest, LineCountsFromEncodedBreaks) {
    LogPost three = postAt(kBase);
    three.body = "a\r\nb\r\nc\r\nd";
    LogPost tooLong = postAt(kBase + 60);
    tooLong.body.clear();
    for (int i = 0; i < 100; ++i) tooLong.body += "x\r\n";
    LogPost empty = postAt(kBase + 120);
    empty.body.clear();
    ASSERT_TRUE(parse(LogBuilder(kFormatGikonavi).add(three).add(tooLong).add(empty).text()));
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_EQ(posts[0]->lineCount, 4);
    EXPECT_STREQ(posts[1]->body, "");
    EXPECT_EQ(posts[1]->lineCount, 1);
    EXPECT_EQ(analysisLog().text(),
              "(2008/01/02 03:05:05) レス行数が異常です(101行)。この書き込みを無視します。\r\n");
}

TEST_F(KeyValueReaderTest, BadDatesAreReportedAndTheTextEndsTheLastLine) {
    std::string text = LogBuilder::postText(kFormatGikonavi, postAt(kBase));
    LogPost bad = postAt(kBase);
    bad.date = "昨日";
    text += LogBuilder::postText(kFormatGikonavi, bad);
    text.resize(text.size() - 2); // no line break after the last "Key=" line
    ASSERT_TRUE(parse(text));
    EXPECT_EQ(posts.size(), 1u);
    EXPECT_EQ(analysisLog().text(),
              "(昨日) 時刻の書式が不正です。\r\n(昨日) 扱えない時刻です。\r\n");
}

TEST_F(KeyValueReaderTest, NothingAdmittedFails) {
    EXPECT_FALSE(parse(""));
    EXPECT_FALSE(parse("[1]\r\nName=\r\n"));
    EXPECT_TRUE(posts.empty());
}

TEST(PercentDecoding, EscapesAndTheirEdges) {
    EXPECT_EQ(decoded("a%0D%0Ab"), "a\r\nb");
    EXPECT_EQ(decoded("%25%2B+"), "%++");
    EXPECT_EQ(decoded("100%"), "100%");
    EXPECT_EQ(decoded("%4"), "%4");
    EXPECT_EQ(decoded("%41%4"), "A%4");
    // Lower-case hexadecimal digits decode like upper-case ones.
    EXPECT_EQ(decoded("%0d%0a%e3"), "\r\n\xE3");
    // Other characters count as their code minus 55: "G" is 16, so "%1G" is 0x20.
    EXPECT_EQ(decoded("%1G"), " ");
    // An escape of NUL would end the message early: it stays as written.
    EXPECT_EQ(decoded("a%00b"), "a%00b");
    EXPECT_EQ(decoded(""), "");
    std::string sjis = "\x82\xA0%0D%0A\x82\xA2"; // あ CR LF い
    EXPECT_EQ(decoded(sjis), "\x82\xA0\r\n\x82\xA2");
}
