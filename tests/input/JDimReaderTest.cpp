// The JDim post-log reader: cutting lines into records, converting their fields, and what
// it does with lines that are not records.
#include "input/JDimReader.h"
#include "input/AnalysisLog.h"
#include "input/Loader.h"
#include "input/LogFormat.h"
#include "input/PostArena.h"
#include "input/PostList.h"
#include "input/PostLog.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace lorvanel;
using lorvanel::testing::TempDir;

namespace {

// The log is UTF-8, while this file's plain literals are CP932: its texts are written U8(...).
constexpr Time32 kNoon = 1719027296; // 2024/06/22 12:34:56 Tokyo time

// One post as JDim logs it; the texts are written into the line as they stand (escaped).
struct JDimPost {
    std::string url = "https://mao.5ch.net/test/read.cgi/linux/1719000000/";
    std::string board = U8("Linux");
    std::string subject = U8("テストスレ");
    std::string name = U8("名無しさん");
    std::string mail = "sage";
    std::string date = U8("2024/06/22(土) 12:34:56");
    std::string message = U8("本文");

    std::string line() const {
        return "<hr><br>" + url + "<br>[ " + board + " ] " + subject + "<br>" + U8("名前：") +
               name + " [" + mail + "]" + U8("：") + date + "<br>" + message + "<br><br>\n";
    }
};

JDimPost at(int minute) {
    JDimPost p;
    p.date = U8("2024/06/22(土) 12:") + (minute < 10 ? "0" : "") + std::to_string(minute) + ":00";
    p.message = "m" + std::to_string(minute);
    return p;
}

class JDimReaderTest : public ::testing::Test {
protected:
    void SetUp() override { analysisLog().clear(); }

    bool parse(const std::string& text) {
        buffer = lorvanel::testing::terminatedCopy(text);
        return JDimReader().parse(posts, arena, buffer.get(), text.size());
    }
    const PostRecord& only() {
        EXPECT_EQ(posts.size(), 1u);
        return *posts[0];
    }

    std::unique_ptr<char[]> buffer;
    PostArena arena;
    PostList posts;
};

} // namespace

TEST_F(JDimReaderTest, ReadsEveryFieldOfAReply) {
    JDimPost p;
    p.message = U8("一行目<br>二行目 〜 🐙");
    ASSERT_TRUE(parse(p.line()));
    const PostRecord& r = only();
    EXPECT_EQ(r.time, kNoon);
    EXPECT_STREQ(r.title, "テストスレ");
    EXPECT_STREQ(r.name, "名無しさん");
    EXPECT_STREQ(r.mail, "sage");
    EXPECT_STREQ(r.body, "一行目\r\n二行目 ～ &#128025;");
    EXPECT_EQ(r.lineCount, 2);
    EXPECT_EQ(r.urlText(), "https://mao.5ch.net/test/read.cgi/linux/1719000000/");
    EXPECT_STREQ(r.dir, "linux");
    EXPECT_STREQ(r.server, "mao.5ch.net");
    EXPECT_TRUE(r.knownBbs());
    EXPECT_FALSE(r.newThread());
    EXPECT_EQ(r.seq, 1);
    EXPECT_EQ(analysisLog().entryCount(), 0u);
    EXPECT_STREQ(JDimReader().formatName(), "JDim");
}

TEST_F(JDimReaderTest, BothDateFormsAndAMessageEndingInALineBreak) {
    JDimPost old;
    old.date = "2009/01/02 03:04"; // logs of 2008-2009 have no weekday and no seconds
    old.message = "a<br>";         // the line ends in "a<br><br><br>"
    JDimPost now;
    ASSERT_TRUE(parse(old.line() + now.line()));
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_EQ(posts[0]->time, 1230833040); // 2009/01/02 03:04:00
    EXPECT_STREQ(posts[0]->body, "a\r\n");
    EXPECT_EQ(posts[0]->lineCount, 2);
    EXPECT_EQ(posts[1]->time, kNoon);
    EXPECT_EQ(analysisLog().entryCount(), 0u) << analysisLog().text();
}

TEST_F(JDimReaderTest, PostsOfOneMinuteInTheOldFormKeepTheirOrder) {
    JDimPost a, b, c, d;
    a.date = b.date = c.date = "2009/01/02 03:04";
    d.date = "2009/01/02 03:05";
    a.message = "a";
    b.message = "b";
    c.message = "c";
    ASSERT_TRUE(parse(a.line() + b.line() + c.line() + d.line()));
    ASSERT_EQ(posts.size(), 4u);
    EXPECT_EQ(posts[0]->time, 1230833040);
    EXPECT_EQ(posts[1]->time, 1230833041);
    EXPECT_EQ(posts[2]->time, 1230833042);
    EXPECT_EQ(posts[3]->time, 1230833100);
    EXPECT_EQ(analysisLog().entryCount(), 0u) << analysisLog().text();
}

TEST_F(JDimReaderTest, EntitiesInEveryField) {
    JDimPost p;
    p.board = "A&amp;B &lt;C&gt;";
    p.subject = "&quot;C&amp;D&quot; &lt;E&gt; &amp;amp;";
    p.name = U8("&lt;名&gt; &amp;");
    p.mail = "&quot;sage&quot;";
    p.message = "x &amp;lt; y &gt; http://a.jp/?q=1&r=2&amp;s &amp;";
    ASSERT_TRUE(parse(p.line()));
    const PostRecord& r = only();
    EXPECT_STREQ(r.title, "\"C&D\" <E> &amp;");
    EXPECT_STREQ(r.name, "<名> &");
    EXPECT_STREQ(r.mail, "\"sage\"");
    EXPECT_STREQ(r.body, "x &lt; y > http://a.jp/?q=1&r=2&amp;s &");
}

TEST_F(JDimReaderTest, NameAndMailSplitAtTheLastBracketBeforeTheDate) {
    JDimPost bracket;
    bracket.name = U8("名無し [JP] さん ["); // " [" inside the name, even as its end
    bracket.mail = "age";
    JDimPost empty = at(40);
    empty.name = "";
    empty.mail = "";
    ASSERT_TRUE(parse(bracket.line() + empty.line()));
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_STREQ(posts[0]->name, "名無し [JP] さん [");
    EXPECT_STREQ(posts[0]->mail, "age");
    EXPECT_STREQ(posts[1]->name, "");
    EXPECT_STREQ(posts[1]->mail, "");
}

TEST_F(JDimReaderTest, KeyOfZerosIsANewThread) {
    JDimPost thread = at(40);
    thread.url = "https://mao.5ch.net/test/read.cgi/linux/0000000000/";
    thread.subject = U8("新スレ");
    JDimPost notThread = at(50);
    notThread.url = "https://mao.5ch.net/test/read.cgi/linux/10000000000/";
    JDimPost external = at(55);
    external.url = "https://jbbs.shitaraba.net/bbs/read.cgi/game/12345/0000000000/";
    ASSERT_TRUE(parse(thread.line() + notThread.line() + external.line()));
    ASSERT_EQ(posts.size(), 3u);
    EXPECT_TRUE(posts[0]->newThread());
    EXPECT_STREQ(posts[0]->title, "新スレ");
    EXPECT_STREQ(posts[0]->dir, "linux");
    EXPECT_EQ(posts[0]->urlText(), thread.url);
    EXPECT_FALSE(posts[1]->newThread());
    EXPECT_TRUE(posts[2]->newThread());
    EXPECT_STREQ(posts[2]->server, "jbbs.shitaraba.net");
    EXPECT_STREQ(posts[2]->dir, "game/12345"); // a board of that BBS is category and number
    EXPECT_FALSE(posts[2]->knownBbs());
    EXPECT_EQ(posts[2]->urlText(), external.url);
}

TEST_F(JDimReaderTest, CutFirstRecordOfATailReadIsSkippedSilently) {
    const std::string text = at(34).line() + at(40).line() + at(50).line();
    ASSERT_TRUE(parse(text.substr(30)));
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_STREQ(posts[0]->body, "m40");
    EXPECT_EQ(analysisLog().entryCount(), 0u) << analysisLog().text();
}

TEST_F(JDimReaderTest, MalformedRecordsAreDroppedByLineAndTheRestLoads) {
    JDimPost noDate = at(40);
    noDate.date = "";
    JDimPost noEnd = at(45);
    std::string unterminated = noEnd.line();
    unterminated.erase(unterminated.size() - 5, 4); // one "<br>" of the end lost
    JDimPost backwards = at(20);                    // earlier than the post before it
    const std::string text = at(34).line() + noDate.line() + "\n" + "garbage<br>\n" + unterminated +
                             backwards.line() + at(50).line();
    ASSERT_TRUE(parse(text));
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_STREQ(posts[0]->body, "m34");
    EXPECT_STREQ(posts[1]->body, "m50");
    EXPECT_EQ(posts[1]->seq, 2);
    const auto& e = analysisLog().entries();
    ASSERT_EQ(e.size(), 4u) << analysisLog().text();
    EXPECT_EQ(e[0], "(2行目) JDimの書き込みログとして読めない行です。この行を無視します。\r\n");
    EXPECT_EQ(e[1], "(4行目) JDimの書き込みログとして読めない行です。この行を無視します。\r\n");
    EXPECT_EQ(e[2], "(5行目) JDimの書き込みログとして読めない行です。この行を無視します。\r\n");
    EXPECT_EQ(e[3],
              "(2024/06/22 12:20:00) 書き込み時間が遡っています。この書き込みを無視します。\r\n");
}

TEST_F(JDimReaderTest, InvalidUtf8IsCountedInOneMessage) {
    JDimPost a = at(40);
    a.name = "\xFF\xFE";
    JDimPost b = at(50);
    b.message = "x\xE3\x81";
    ASSERT_TRUE(parse(a.line() + b.line()));
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_STREQ(posts[0]->name, "??");
    EXPECT_STREQ(posts[1]->body, "x?");
    ASSERT_EQ(analysisLog().entryCount(), 1u);
    EXPECT_EQ(analysisLog().entries()[0],
              "UTF-8として正しくない文字が3個あります。「?」として読み込みました。\r\n");
}

TEST_F(JDimReaderTest, ConvertedTextLongerThanTheFileStaysWhole) {
    // Each emoji (4 bytes) becomes a 9-byte reference: the records outgrow the file's text.
    std::string text;
    std::string emoji;
    for (int i = 0; i < 300; ++i) emoji += U8("🐙");
    for (int minute = 0; minute < 60; ++minute) {
        JDimPost p = at(minute);
        p.message = emoji + std::to_string(minute);
        text += p.line();
    }
    ASSERT_TRUE(parse(text));
    ASSERT_EQ(posts.size(), 60u);
    std::string expected;
    for (int i = 0; i < 300; ++i) expected += "&#128025;";
    for (int minute = 0; minute < 60; ++minute)
        EXPECT_EQ(posts[minute]->body, expected + std::to_string(minute)) << minute;
}

TEST_F(JDimReaderTest, NothingReadableFails) {
    EXPECT_FALSE(parse("<hr><br>broken\n"));
    EXPECT_TRUE(posts.empty());
}

TEST(JDimLoading, DetectedByItsFirstBytes) {
    EXPECT_EQ(detectFormatText(JDimPost().line()), kFormatJDim);
    EXPECT_EQ(detectFormatText("<hr>"), 0);
    EXPECT_STREQ(formatDisplayName(kFormatJDim), "JDim");
}

TEST(JDimLoading, RotatedFilesLoadAsOneLogAndTheLimitCountsFileBytes) {
    analysisLog().clear();
    TempDir dir;
    const std::string oldest = dir.write("postlog-1", at(10).line() + at(11).line());
    const std::string older = dir.write("postlog-2", at(20).line() + at(21).line());
    const std::string newest = dir.write("postlog", at(30).line() + at(31).line());
    PostLog log;
    ASSERT_TRUE(loadFiles(log, {oldest, older, newest}, false, 0));
    ASSERT_EQ(log.posts.size(), 6u);
    EXPECT_STREQ(log.posts[0]->body, "m10");
    EXPECT_STREQ(log.posts[5]->body, "m31");
    EXPECT_EQ(log.posts[5]->seq, 6);
    ASSERT_EQ(log.formatNames.size(), 1u);
    EXPECT_EQ(log.formatNames[0], "JDim");

    // A limit reads each file's last bytes: the cut first record is skipped.
    const std::uint64_t limit = at(31).line().size() + 20;
    ASSERT_TRUE(loadFiles(log, {oldest, older, newest}, false, limit));
    EXPECT_EQ(log.bytesRead, 3 * limit);
    ASSERT_EQ(log.posts.size(), 3u);
    EXPECT_STREQ(log.posts[0]->body, "m11");
    EXPECT_STREQ(log.posts[2]->body, "m31");
    ASSERT_TRUE(loadOne(log, newest, limit));
    EXPECT_EQ(log.bytesRead, limit);
    EXPECT_EQ(log.fileSize, at(30).line().size() + at(31).line().size());
    ASSERT_EQ(log.posts.size(), 1u);
    EXPECT_EQ(log.posts[0]->urlText(), JDimPost().url);
}
