// A log written exactly as JDim writes it (escaping, URLs, line breaks, rotation) reads back
// field for field as the user typed it.
#include "filter/FilterSelection.h"
#include "input/AnalysisLog.h"
#include "input/Loader.h"
#include "input/PostList.h"
#include "input/PostLog.h"
#include "platform/LocalTime.h"
#include "support/JDimLogWriter.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

// What the post must read as: CP932 texts written out by hand from the typed ones.
struct Expected {
    std::string title, name, mail, body, board, dir;
    int lines;
    bool newThread;
};

struct Case {
    JDimTypedPost typed;
    Expected read;
};

const std::string kLinux = "https://mao.5ch.net/test/read.cgi/linux/1719000000/";

std::vector<Case> cases() {
    std::vector<Case> c;
    // A reply without a name, in sage, with every character the log escapes.
    c.push_back({{kLinux, U8("Linux"), U8("Linuxでゲーム Part5"), "", "sage",
                  U8("2024/07/01(月) 21:00:00"), U8("A&B \"引用\" <tag> 1>0 &amp; &lt;")},
                 {"Linuxでゲーム Part5", "", "sage", "A&B \"引用\" <tag> 1>0 &amp; &lt;", "Linux",
                  "linux", 1, false}});
    // Escapable characters in the subject, name and mail; a trip as typed.
    c.push_back({{kLinux, U8("Linux"), U8("A&B \"<スレ>\""), U8("名無し#trip&<>"), U8("sage\"&"),
                  U8("2024/07/02(火) 21:00:00"), U8("一行目\n二行目")},
                 {"A&B \"<スレ>\"", "名無し#trip&<>", "sage\"&", "一行目\r\n二行目", "Linux",
                  "linux", 2, false}});
    // URLs of every scheme, "&" raw inside them; "x://" texts that are no URL beside them.
    const std::string urls =
        "http://a.jp/?x=1&y=2<3> https://b.jp/&amp;z ftp://c.jp/a&b\nttp://d.jp/?a&b "
        "ttps://e.jp/&c tp://f.jp/&d tps://g.jp/&e sssp://h.jp/&f<a>\n"
        "hxxp://i.jp/&g h++p://j.jp/&h git://k.jp/&i ws://l.jp/&j sftp://m.jp/&k "
        "http://n.jp/a\"b&c http://o.jp/{&}";
    c.push_back({{kLinux, U8("Linux"), U8("Linuxでゲーム Part5"), "", "",
                  U8("2024/07/03(水) 21:00:00"), urls},
                 {"Linuxでゲーム Part5", "", "",
                  "http://a.jp/?x=1&y=2<3> https://b.jp/&amp;z ftp://c.jp/a&b\r\nttp://d.jp/?a&b "
                  "ttps://e.jp/&c tp://f.jp/&d tps://g.jp/&e sssp://h.jp/&f<a>\r\n"
                  "hxxp://i.jp/&g h++p://j.jp/&h git://k.jp/&i ws://l.jp/&j sftp://m.jp/&k "
                  "http://n.jp/a\"b&c http://o.jp/{&}",
                  "Linux", "linux", 3, false}});
    // A new thread; its message ends in a line break.
    c.push_back(
        {{"https://mao.5ch.net/test/read.cgi/linux/0000000000/", U8("Linux"),
          U8("Linuxでゲーム Part6"), U8("名無し"), "", U8("2024/07/04(木) 21:00:00"),
          U8("次スレです。\n")},
         {"Linuxでゲーム Part6", "名無し", "", "次スレです。\r\n", "Linux", "linux", 2, true}});
    // Emoji and other characters CP932 lacks, next to ones it has.
    c.push_back({{kLinux, U8("Linux"), U8("🎮スレ"), U8("𠮷野家"), "", U8("2024/07/05(金) 21:00:00"),
                  U8("深夜の雑談🐙🍣 ①ｱｲｳ")},
                 {"&#127918;スレ", "&#134071;野家", "", "深夜の雑談&#128025;&#127843; ①ｱｲｳ",
                  "Linux", "linux", 1, false}});
    // A pasted CR LF: CR "<br>" is one line break, also where it ends a URL.
    c.push_back({{kLinux, U8("Linux"), U8("Linuxでゲーム Part5"), "", "sage",
                  U8("2024/07/06(土) 21:00:00"), U8("一行目\r\n二行目\r\nhttp://a.jp/&x\r\n&")},
                 {"Linuxでゲーム Part5", "", "sage", "一行目\r\n二行目\r\nhttp://a.jp/&x\r\n&",
                  "Linux", "linux", 4, false}});
    // Two boards of one category of the rental BBS, each under the name JDim showed.
    c.push_back(
        {{"https://jbbs.shitaraba.net/bbs/read.cgi/internet/23456/1720000000/", U8("ネット雑談"),
          U8("したらば避難所"), "", "age", U8("2024/07/07(日) 01:15:42"), U8("おやすみ")},
         {"したらば避難所", "", "age", "おやすみ", "ネット雑談", "internet/23456", 1, false}});
    c.push_back(
        {{"https://jbbs.shitaraba.net/bbs/read.cgi/internet/34567/1720000001/", U8("別の避難所"),
          U8("雑談スレ"), "", "", U8("2024/07/08(月) 01:15:42"), U8("こんばんは")},
         {"雑談スレ", "", "", "こんばんは", "別の避難所", "internet/34567", 1, false}});
    // A new thread there.
    c.push_back(
        {{"https://jbbs.shitaraba.net/bbs/read.cgi/internet/23456/0000000000/", U8("ネット雑談"),
          U8("新スレ"), "", "", U8("2024/07/09(火) 01:15:42"), U8("立てました")},
         {"新スレ", "", "", "立てました", "ネット雑談", "internet/23456", 1, true}});
    return c;
}

} // namespace

TEST(JDimWrittenLog, EveryFieldReadsAsTyped) {
    const std::vector<Case> all = cases();
    std::vector<JDimTypedPost> typed;
    for (const Case& c : all) typed.push_back(c.typed);
    TempDir dir;
    std::vector<std::string> paths;
    for (const auto& [name, text] : jdimLogFiles(typed, 4)) paths.push_back(dir.write(name, text));
    ASSERT_EQ(paths.size(), 3u); // postlog-1, postlog-2, postlog

    analysisLog().clear();
    PostLog log;
    ASSERT_TRUE(loadFiles(log, paths, false, 0));
    ASSERT_EQ(log.posts.size(), all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE("post " + std::to_string(i + 1));
        const PostRecord& p = *log.posts[i];
        const Expected& e = all[i].read;
        EXPECT_EQ(p.title, e.title);
        EXPECT_EQ(p.name, e.name);
        EXPECT_EQ(p.mail, e.mail);
        EXPECT_EQ(p.body, e.body);
        EXPECT_EQ(p.urlText(), all[i].typed.url);
        EXPECT_EQ(p.dir, e.dir);
        EXPECT_EQ(p.boardName(), e.board);
        EXPECT_EQ(p.lineCount, e.lines);
        EXPECT_EQ(p.newThread(), e.newThread);
        // The logged local time, the weekday in brackets left out.
        std::string date = cp932(all[i].typed.date);
        date.erase(date.find('('), 4);
        EXPECT_EQ(formatLocalTime(p.time, "%Y/%m/%d %H:%M:%S"), date);
    }
    EXPECT_EQ(analysisLog().text().find("UTF-8"), std::string::npos) << analysisLog().text();

    // The board is selected by the name JDim logged, and each rental board stays apart.
    PostList selected;
    EXPECT_EQ(selectPostsWithFilter(selected, log.posts, "brd_\"ネット雑談\""), 2u);
    releasePosts(selected);
    EXPECT_EQ(selectPostsWithFilter(selected, log.posts, "brd_別の避難所"), 1u);
    releasePosts(selected);
}
