#include "input/BlockReader.h"
#include "input/AnalysisLog.h"
#include "input/DomainConstants.h"
#include "input/LogFormat.h"
#include "input/PostArena.h"
#include "input/PostList.h"
#include "platform/LocalTime.h"
#include "support/BaseTimes.h"
#include "support/LogBuilder.h"
#include "support/RecordingAlertSink.h"
#include "support/TestText.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace lorvanel;
using lorvanel::testing::LogBuilder;
using lorvanel::testing::LogPost;
using lorvanel::testing::postAt;
using lorvanel::testing::recordedAlerts;

namespace {

const std::string kSep = "--------------------------------------------\r\n";
// 2008/01/02 03:04:05 Tokyo time.
using lorvanel::testing::kBase;

// Parses a copy of the text in a buffer of exactly its size plus the NUL.
class BlockReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        analysisLog().clear();
        recordedAlerts().clear();
    }

    bool parse(int format, const std::string& text) {
        original = text;
        buffer = lorvanel::testing::terminatedCopy(text);
        reader = std::make_unique<BlockReader>(format);
        return reader->parse(posts, arena, buffer.get(), text.size());
    }
    std::string log() const { return analysisLog().text(); }
    std::string body(std::size_t i) const { return posts[i]->body; }

    std::string original;
    std::unique_ptr<char[]> buffer;
    std::unique_ptr<BlockReader> reader;
    PostList posts;
    PostArena arena;
};

std::string janeReply(const std::string& date, const std::string& body, const char* term) {
    return kSep + "Date   : " + date +
           "\r\nSubject: テストスレ\r\nURL    : http://news.2ch.net/test/read.cgi/news/1199210000/"
           "\r\nFROM   : 名無し\r\nMAIL   : sage\r\n\r\n" +
           body + term;
}

} // namespace

TEST_F(BlockReaderTest, JaneReplyBlock) {
    const std::string text = janeReply("2008/01/02 03:04:05", "一行目\r\n二行目", "\r\n\r\n\r\n") +
                             janeReply("2008/01/02 03:05:00", "次", "\r\n\r\n\r\n");
    ASSERT_TRUE(parse(kFormatJane, text));
    ASSERT_EQ(posts.size(), 2u);
    const PostRecord& p = *posts[0];
    EXPECT_EQ(p.time, kBase);
    EXPECT_STREQ(p.title, "テストスレ");
    EXPECT_STREQ(p.name, "名無し");
    EXPECT_STREQ(p.mail, "sage");
    EXPECT_STREQ(p.body, "一行目\r\n二行目");
    EXPECT_STREQ(p.dir, "news");
    EXPECT_STREQ(p.server, "news.2ch.net");
    EXPECT_EQ(p.lineCount, 2);
    EXPECT_FALSE(p.newThread());
    EXPECT_TRUE(p.knownBbs());
    EXPECT_EQ(p.urlText(), "http://news.2ch.net/test/read.cgi/news/1199210000");
    EXPECT_EQ(p.seq, 1);
    EXPECT_EQ(posts[1]->seq, 2);
    EXPECT_STREQ(reader->formatName(), "Jane");
    EXPECT_EQ(log(), "");
}

TEST_F(BlockReaderTest, JaneNewThreadTakesTheBoardUrlsLastComponent) {
    LogPost opened = postAt(kBase);
    opened.newThread = true;
    opened.url = "http://news.2ch.net/news/";
    opened.body = "スレ立て";
    ASSERT_TRUE(parse(kFormatJane, LogBuilder(kFormatJane).add(opened).text()));
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_TRUE(posts[0]->newThread());
    EXPECT_STREQ(posts[0]->dir, "news");
    EXPECT_STREQ(posts[0]->title, "テストスレ");
    EXPECT_EQ(posts[0]->urlText(), "http://news.2ch.net/news");
}

TEST_F(BlockReaderTest, DirectoryRulesOnOtherUrls) {
    LogBuilder b(kFormatJane);
    LogPost rental = postAt(kBase);
    rental.url = "http://jbbs.example.net/bbs/read.cgi?bbs=anime&key=123";
    LogPost forum = postAt(kBase + 1);
    forum.url = "https://forum.example.org/anime/thread/55";
    LogPost opened = postAt(kBase + 2);
    opened.newThread = true;
    opened.url = "http://news.2ch.net//";
    b.add(rental).add(forum).add(opened);
    ASSERT_TRUE(parse(kFormatJane, b.text()));
    ASSERT_EQ(posts.size(), 3u);
    EXPECT_STREQ(posts[0]->dir, "anime");
    EXPECT_STREQ(posts[0]->server, "jbbs.example.net");
    EXPECT_FALSE(posts[0]->knownBbs());
    EXPECT_EQ(posts[0]->urlText(), "http://jbbs.example.net/bbs/read.cgi?bbs=anime&key=12");
    EXPECT_STREQ(posts[1]->dir, "");
    EXPECT_FALSE(posts[1]->newThread());
    EXPECT_EQ(posts[1]->urlText(), "https://forum.example.org/anime/thread/5");
    // The slashes before the last one are stepped over: the host is the directory.
    EXPECT_STREQ(posts[2]->dir, "news.2ch.net");
}

TEST_F(BlockReaderTest, V2cTerminatorsMakeAJaneOrV2cLogV2c) {
    LogBuilder b(kFormatV2c);
    b.addSeries(8, kBase);
    ASSERT_TRUE(parse(kFormatJaneOrV2c, b.text()));
    EXPECT_EQ(posts.size(), 8u);
    EXPECT_STREQ(reader->formatName(), "V2C");
    EXPECT_EQ(body(0), "本文1");
    EXPECT_EQ(body(7), "本文8");
    EXPECT_EQ(posts[7]->seq, 8);
    EXPECT_EQ(log(), "");
}

TEST_F(BlockReaderTest, JaneTerminatorsKeepAJaneOrV2cLogJane) {
    LogBuilder b(kFormatJaneOrV2c);
    b.addSeries(3, kBase);
    ASSERT_TRUE(parse(kFormatJaneOrV2c, b.text()));
    EXPECT_EQ(posts.size(), 3u);
    EXPECT_STREQ(reader->formatName(), "Jane");
}

TEST_F(BlockReaderTest, OneAndThreePostV2cLogsLoad) {
    for (int n : {1, 3}) {
        SetUp();
        posts = PostList();
        LogBuilder b(kFormatV2c);
        b.addSeries(n, kBase);
        ASSERT_TRUE(parse(kFormatJaneOrV2c, b.text())) << n;
        ASSERT_EQ(posts.size(), static_cast<std::size_t>(n));
        EXPECT_STREQ(reader->formatName(), "V2C");
        EXPECT_EQ(body(n - 1), "本文" + std::to_string(n));
        EXPECT_EQ(posts[n - 1]->lineCount, 1);
        EXPECT_EQ(log(), "") << n;
        // The second reading found every header intact: the fallback undid the first's cuts.
        for (const PostRecord* p : posts) {
            EXPECT_STREQ(p->title, ("スレ" + std::to_string(p->seq)).c_str());
            EXPECT_EQ(p->urlText(), "http://news.2ch.net/test/read.cgi/news/1199210000");
        }
    }
}

TEST_F(BlockReaderTest, BadTerminatorAfterFivePostsIsAbsorbed) {
    LogBuilder b(kFormatJaneOrV2c);
    b.addSeries(6, kBase);
    LogPost bad = postAt(kBase + 600);
    bad.body = "短い";
    bad.terminator = "\r\n\r\n";
    b.add(bad);
    b.add(postAt(kBase + 700));
    b.add(postAt(kBase + 800));
    ASSERT_TRUE(parse(kFormatJaneOrV2c, b.text()));
    EXPECT_STREQ(reader->formatName(), "Jane");
    ASSERT_EQ(posts.size(), 8u);
    // Named by the absorbed block's time and the number the seventh post will get.
    EXPECT_EQ(log(),
              "(2008/01/02 03:15:45) フッダが不正です。この書き込みをレス番(7)の投稿内容として"
              "扱います。\r\n");
    // The absorbed block stands in the seventh post's message byte for byte.
    const std::string absorbed = LogBuilder::postText(kFormatJane, postAt(kBase + 700));
    EXPECT_EQ(body(6), "短い\r\n\r\n" + absorbed.substr(0, absorbed.size() - 6));
    EXPECT_EQ(posts[6]->lineCount, 1 + 2 + 7);
    EXPECT_EQ(posts[7]->time, kBase + 800);
}

TEST_F(BlockReaderTest, BadTerminatorEarlyInAJaneLogFallsBackToV2c) {
    LogBuilder b(kFormatJaneOrV2c);
    b.addSeries(2, kBase);
    LogPost bad = postAt(kBase + 600);
    bad.terminator = "\r\n\r\n";
    b.add(bad).addSeries(2, kBase + 700);
    ASSERT_TRUE(parse(kFormatJaneOrV2c, b.text()));
    EXPECT_STREQ(reader->formatName(), "V2C");
    ASSERT_EQ(posts.size(), 5u);
    // Read with the shorter terminator, the Jane bodies keep one line break more.
    EXPECT_EQ(body(0), "本文1\r\n");
    EXPECT_EQ(body(2), "本文");
}

TEST_F(BlockReaderTest, LastPostWithoutTerminatorIsDropped) {
    LogBuilder b(kFormatJane);
    b.addSeries(2, kBase);
    LogPost last = postAt(kBase + 600);
    last.terminator = "\r\n";
    b.add(last);
    ASSERT_TRUE(parse(kFormatJane, b.text()));
    EXPECT_EQ(posts.size(), 2u);
    EXPECT_EQ(log(), "(2008/01/02 03:14:05) フッダが不正です。この書き込みを無視します。\r\n");
}

TEST_F(BlockReaderTest, UnixLineEndsReadAsTheBrowserWroteThem) {
    // Every block format, with bodies of several lines and empty lines: the text with each
    // CR LF turned into LF gives the same posts as the text itself.
    for (const int format : {kFormatJane, kFormatJaneOrV2c, kFormatV2c, kFormatKachusha,
                             kFormatLive2ch, kFormatABone, kFormatHotzonu}) {
        SCOPED_TRACE(format);
        LogBuilder b(format);
        for (int i = 0; i < 8; ++i) {
            LogPost p = postAt(kBase + 600 * i);
            p.body = "一行目\r\n\r\n三行目 " + std::to_string(i);
            p.newThread = format != kFormatLive2ch && i == 3;
            if (p.newThread) p.url = "http://news.2ch.net/news/";
            b.add(p);
        }
        const std::string crlf = "\r\n" + b.text();
        std::string lf;
        for (std::size_t i = 0; i < crlf.size(); ++i)
            if (!(crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n')) lf += crlf[i];
        ASSERT_EQ(lf.find('\r'), std::string::npos);

        SetUp();
        ASSERT_TRUE(parse(format, crlf));
        std::vector<std::string> expected;
        for (const PostRecord* p : posts)
            expected.push_back(std::string(p->title) + "|" + p->name + "|" + p->mail + "|" +
                               p->body + "|" + p->urlText() + "|" + p->dir + "|" +
                               std::to_string(p->lineCount) + "|" + std::to_string(p->time) + "|" +
                               std::to_string(p->newThread()) + "|" + std::to_string(p->seq));
        const std::string name = reader->formatName();
        ASSERT_EQ(expected.size(), 8u);
        releasePosts(posts);

        SetUp();
        ASSERT_TRUE(parse(format, lf));
        std::vector<std::string> got;
        for (const PostRecord* p : posts)
            got.push_back(std::string(p->title) + "|" + p->name + "|" + p->mail + "|" + p->body +
                          "|" + p->urlText() + "|" + p->dir + "|" + std::to_string(p->lineCount) +
                          "|" + std::to_string(p->time) + "|" + std::to_string(p->newThread()) +
                          "|" + std::to_string(p->seq));
        EXPECT_EQ(got, expected);
        EXPECT_EQ(reader->formatName(), name);
        EXPECT_EQ(log(), "");
        releasePosts(posts);
    }
}

TEST_F(BlockReaderTest, OnlyCrLfLineBreaks) {
    // LF first in a text that also holds a CR is refused as before.
    {
        std::string text = janeReply("2008/01/02 03:04:05", "本文", "\r\n\r\n\r\n");
        text.replace(text.find("\r\n"), 2, "\n");
        EXPECT_FALSE(parse(kFormatJane, text));
        EXPECT_EQ(log(), "CRLF以外の改行コードには対応していません。\r\n");
    }
    // A lone CR first; an LF-only text is read as CR LF (above).
    for (const char* eol : {"\r"}) {
        SetUp();
        std::string text = "--------------------------------------------";
        text += eol;
        text += "Date   : 2008/01/02 03:04:05";
        EXPECT_FALSE(parse(kFormatJane, text)) << eol;
        EXPECT_EQ(log(), "CRLF以外の改行コードには対応していません。\r\n");
        EXPECT_EQ(recordedAlerts().texts.size(), 1u);
    }
    SetUp();
    EXPECT_FALSE(parse(kFormatJane, kSep.substr(0, 44)));
    EXPECT_EQ(log(), "CRLF以外の改行コードには対応していません。\r\n");
}

TEST_F(BlockReaderTest, EmptyTextFailsSilently) {
    EXPECT_FALSE(parse(kFormatJane, ""));
    EXPECT_FALSE(parse(kFormatJane, "\r\n\r\n\n"));
    EXPECT_EQ(log(), "");
    EXPECT_TRUE(recordedAlerts().texts.empty());
}

TEST_F(BlockReaderTest, TextWithoutBlocksFails) {
    EXPECT_FALSE(parse(kFormatJane, "abc\r\ndef\r\n"));
    EXPECT_EQ(log(), "");
}

TEST_F(BlockReaderTest, SeparatorInsideAMessageStaysInIt) {
    LogPost p = postAt(kBase);
    p.body =
        "上\r\n--------------------------------------------\r\nDate   : 2008/01/02 03:04:06\r\n"
        "Subject: 偽物\r\n下";
    LogBuilder b(kFormatJane);
    b.add(p).add(postAt(kBase + 60));
    ASSERT_TRUE(parse(kFormatJane, b.text()));
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_EQ(body(0), p.body);
    EXPECT_EQ(posts[0]->lineCount, 5);
    EXPECT_EQ(log(), "");
}

TEST_F(BlockReaderTest, TextBeforeTheFirstBlockIsSkipped) {
    // A tail read starts in the middle of a post.
    const std::string full = LogBuilder(kFormatJane).addSeries(2, kBase).text();
    ASSERT_TRUE(parse(kFormatJane, full.substr(40)));
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0]->time, kBase + 60);
}

TEST_F(BlockReaderTest, KachushaNewThreadHasNoUrl) {
    LogPost opened = postAt(kBase);
    opened.newThread = true;
    LogBuilder b(kFormatKachusha);
    b.add(opened).add(postAt(kBase + 60));
    ASSERT_TRUE(parse(kFormatKachusha, b.text()));
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_TRUE(posts[0]->newThread());
    EXPECT_STREQ(posts[0]->url, "");
    EXPECT_STREQ(posts[0]->dir, "");
    EXPECT_STREQ(posts[0]->server, "");
    EXPECT_TRUE(posts[0]->knownBbs());
    EXPECT_FALSE(posts[1]->newThread());
    EXPECT_STREQ(posts[1]->dir, "news");
}

TEST_F(BlockReaderTest, Live2chSkipsOneEmptyLineBeforeTheUrl) {
    const std::string text = kSep + "Date   :08/01/02(水) 03:04:05\r\nSubject:題\r\n\r\n" +
                             "URL    :http://pc.2ch.net/test/read.cgi/pc/123/\r\n" +
                             "Name   :名\r\nMail   :\r\n\r\n本文\r\n\r\n\r\n" + kSep +
                             "Date   :08/01/02(水) 03:04:06\r\nSubject:題\r\n\r\n\r\n" +
                             "URL    :http://pc.2ch.net/test/read.cgi/pc/123/\r\n" +
                             "Name   :名\r\nMail   :\r\n\r\n二つ目\r\n\r\n\r\n";
    ASSERT_TRUE(parse(kFormatLive2ch, text));
    // The second block has two empty lines, so it is no block and stays in the first post.
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0]->time, kBase);
    EXPECT_STREQ(posts[0]->dir, "pc");
    EXPECT_STREQ(posts[0]->name, "名");
    EXPECT_EQ(body(0).substr(0, 8), "本文\r\n\r\n");
    EXPECT_EQ(body(0).size(), text.size() - text.find("本文") - 6);
}

TEST_F(BlockReaderTest, ABoneBoardUrlOfAReplyMakesANewThread) {
    LogPost p = postAt(kBase);
    p.url = "http://pc.2ch.net/win/";
    LogPost forum = postAt(kBase + 1);
    forum.url = "https://forum.example.org/anime/thread/55";
    LogPost badDate;
    badDate.date = "2008/01/02 03:07";
    badDate.url = "http://pc.2ch.net/win/";
    LogBuilder b(kFormatABone);
    b.add(p).add(forum).add(badDate);
    ASSERT_TRUE(parse(kFormatABone, b.text()));
    ASSERT_EQ(posts.size(), 3u);
    EXPECT_TRUE(posts[0]->newThread());
    EXPECT_STREQ(posts[0]->dir, "win");
    EXPECT_TRUE(posts[1]->newThread());
    EXPECT_STREQ(posts[1]->dir, "thread");
    EXPECT_EQ(posts[1]->urlText(), "https://forum.example.org/anime/thread/5");
    // A date that needed a complaint leaves the directory as the thread rule found it.
    EXPECT_FALSE(posts[2]->newThread());
    EXPECT_STREQ(posts[2]->dir, "");
}

TEST_F(BlockReaderTest, ABoneNewThreadBlock) {
    LogPost opened = postAt(kBase);
    opened.newThread = true;
    opened.url = "http://pc.2ch.net/win/";
    ASSERT_TRUE(parse(kFormatABone, LogBuilder(kFormatABone).add(opened).text()));
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_TRUE(posts[0]->newThread());
    EXPECT_STREQ(posts[0]->dir, "win");
    EXPECT_STREQ(posts[0]->title, "テストスレ");
}

TEST_F(BlockReaderTest, HotzonuIsNewestFirst) {
    LogBuilder b(kFormatHotzonu);
    LogPost other = postAt(kBase + 60);
    other.board = "雑談";
    other.bbs = "したらば";
    LogPost plain = postAt(kBase + 120);
    plain.board = "ニュース速報";
    plain.bbs = "";
    b.add(postAt(kBase)).add(other).add(plain);
    ASSERT_TRUE(parse(kFormatHotzonu, b.text()));
    ASSERT_EQ(posts.size(), 3u);
    EXPECT_EQ(posts[0]->time, kBase);
    EXPECT_EQ(posts[0]->seq, 1);
    EXPECT_EQ(posts[2]->seq, 3);
    EXPECT_STREQ(posts[0]->server, kMainBbsDomain);
    EXPECT_STREQ(posts[0]->dir, "news");
    EXPECT_TRUE(posts[0]->knownBbs());
    EXPECT_EQ(posts[0]->boardName(), "ニュース速報");
    EXPECT_STREQ(posts[0]->url, "");
    EXPECT_EQ(posts[0]->urlText(), "");
    EXPECT_STREQ(posts[1]->server, "したらば");
    EXPECT_STREQ(posts[1]->dir, "雑談");
    EXPECT_FALSE(posts[1]->knownBbs());
    EXPECT_EQ(posts[1]->boardName(), "雑談＠したらば");
    EXPECT_STREQ(posts[2]->server, "");
    EXPECT_STREQ(posts[2]->dir, "ニュース速報");
    EXPECT_TRUE(posts[2]->knownBbs());
    EXPECT_STREQ(posts[0]->body, "本文");
    EXPECT_STREQ(reader->formatName(), "ホットゾヌ２");
}

TEST_F(BlockReaderTest, HotzonuUnlistedBoardKeepsItsName) {
    LogPost p = postAt(kBase);
    p.board = "存在しない板";
    ASSERT_TRUE(parse(kFormatHotzonu, LogBuilder(kFormatHotzonu).add(p).text()));
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_STREQ(posts[0]->dir, "存在しない板");
    EXPECT_TRUE(posts[0]->knownBbs());
}

TEST_F(BlockReaderTest, HotzonuOlderPostMustFollow) {
    LogBuilder b(kFormatHotzonu);
    // Added newest first, so written oldest first: the second block goes backwards.
    b.add(postAt(kBase + 60)).add(postAt(kBase));
    ASSERT_TRUE(parse(kFormatHotzonu, b.text()));
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0]->time, kBase);
    EXPECT_EQ(log(),
              "(2008/01/02 03:05:05) 書き込み時間が遡っています。この書き込みを無視します。\r\n");
}

TEST_F(BlockReaderTest, HotzonuCutInTheLastMessage) {
    const std::string full = LogBuilder(kFormatHotzonu).addSeries(3, kBase).text();
    // Stop inside the oldest post's message, as a read limited to the first bytes does.
    ASSERT_TRUE(parse(kFormatHotzonu, full.substr(0, full.size() - 20)));
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_EQ(posts[0]->time, kBase + 60);
    EXPECT_EQ(log(), "(2008/01/02 03:04:05) フッダが不正です。この書き込みを無視します。\r\n");
}

TEST_F(BlockReaderTest, TextEndingInsideAHeaderDropsOnlyTheCutBlock) {
    const std::string two = LogBuilder(kFormatHotzonu).addSeries(2, kBase).text();
    const std::string one = LogBuilder(kFormatHotzonu).add(postAt(kBase + 60)).text();
    // The newer post is complete; the text ends in the older one's title line.
    ASSERT_TRUE(parse(kFormatHotzonu, two.substr(0, one.size() + 8)));
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0]->time, kBase + 60);
    EXPECT_EQ(log(), "ログの末尾の書き込みが途中で切れています。この書き込みを無視します。\r\n");
    // The same for a Jane log whose last block stops in its separator or its date line.
    const std::string jane = LogBuilder(kFormatJane).addSeries(1, kBase).text();
    for (const std::string& tail : {kSep.substr(0, 44), kSep + "Date   : 2008/01/0"}) {
        SetUp();
        posts = PostList();
        ASSERT_TRUE(parse(kFormatJane, jane + tail));
        ASSERT_EQ(posts.size(), 1u);
        EXPECT_STREQ(posts[0]->body, "本文1");
        EXPECT_EQ(log(),
                  "ログの末尾の書き込みが途中で切れています。この書き込みを無視します。\r\n");
    }
}

TEST_F(BlockReaderTest, HotzonuAtSignIsFoundByWholeCharacters) {
    // "堰諭" is 89 81 97 40: its middle bytes look like "＠" (81 97) to a byte search.
    LogPost p = postAt(kBase);
    p.board = "堰諭";
    p.bbs = "したらば";
    ASSERT_TRUE(parse(kFormatHotzonu, LogBuilder(kFormatHotzonu).add(p).text()));
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_STREQ(posts[0]->dir, "堰諭");
    EXPECT_STREQ(posts[0]->server, "したらば");
}

TEST_F(BlockReaderTest, KeywordsMatchWithTheirExactSpaces) {
    std::string block = LogBuilder::postText(kFormatJane, postAt(kBase));
    block.replace(block.find("Date   : "), 9, "Date  : ");
    const std::string text = block + LogBuilder::postText(kFormatJane, postAt(kBase + 60));
    ASSERT_TRUE(parse(kFormatJane, text));
    // The first block is no block; the text before the second one is skipped.
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0]->time, kBase + 60);
}
