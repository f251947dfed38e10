// lorvanel-cli keywords, run as a program.
#include "support/BaseTimes.h"
#include "support/CliRunner.h"
#include "support/LogBuilder.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

using lorvanel::testing::CliResult;
using lorvanel::testing::LogBuilder;
using lorvanel::testing::LogPost;
using lorvanel::testing::postAt;
using lorvanel::testing::readFile;
using lorvanel::testing::runCli;
using lorvanel::testing::TempDir;

namespace {

using lorvanel::testing::kBase;
const std::string kRule = "--------------------------------------------\r\n";

CliResult keywords(std::vector<std::string> args) {
    args.insert(args.begin(), "keywords");
    return runCli(args);
}

// Four posts of one thread, one a minute from 2008/01/02 03:04:05.
std::string writeLog(const TempDir& dir) {
    const char* bodies[] = {"テストです", "テスト２回目", "テストテスト", "ｔｅｓｔ test"};
    LogBuilder log(1);
    for (int i = 0; i < 4; ++i) {
        LogPost p = postAt(kBase + i * 60);
        p.title = "雑談スレ";
        p.body = bodies[i];
        if (i == 0) {
            p.newThread = true;
            p.url = "http://news.2ch.net/news/";
        }
        log.add(p);
    }
    return log.writeTo(dir, "log.txt");
}

} // namespace

TEST(KeywordsCommand, AutomaticAnalysis) {
    TempDir dir;
    const std::string log = writeLog(dir);
    const CliResult r = keywords({log});
    EXPECT_EQ(r.status, 0) << r.err;
    // Every body word is in 2 posts or fewer, so the list is cut to nothing; the thread's
    // words count once per post.
    EXPECT_EQ(r.out, U8("キーワード解析\r\n★書き込みキーワード\r\n　\r\n\r\n") + kRule +
                         U8("★スレッドキーワード\r\n　スレ(4) 雑談(4) \r\n"));
    // Raw Shift_JIS on request.
    const CliResult raw = keywords({"--sjis", log});
    EXPECT_EQ(raw.out, "キーワード解析\r\n★書き込みキーワード\r\n　\r\n\r\n" + kRule +
                           "★スレッドキーワード\r\n　スレ(4) 雑談(4) \r\n");
}

TEST(KeywordsCommand, KeywordFileAnalysis) {
    TempDir dir;
    const std::string log = writeLog(dir);
    const std::string file = dir.write("k.txt", "★G\r\nテスト\r\n");
    const CliResult r = keywords({"--file", file, log});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, U8("k\r\n★k\r\n期間: 2008/01/02～2008/01/02\r\nG: 3/4(75.00%)\r\n"
                        "総合: 3/4(75.00%)\r\n") +
                         kRule + U8("★k結果詳細\r\n・G: 3/4(75.00%)\r\n　テスト(3) \r\n"));
}

TEST(KeywordsCommand, FilteredSelection) {
    TempDir dir;
    const std::string log = writeLog(dir);
    const std::string file = dir.write("k.txt", "★G\r\nテスト\r\n");
    // The posts were written at 3 o'clock: hour3 keeps them all, hour4 none.
    CliResult r = keywords({"--filter", "hour3", "--file", file, log});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(U8("G: 3/4(75.00%)")), std::string::npos);
    r = keywords({"--filter", "hour4", log});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(U8("★スレッドキーワード\r\n　")), std::string::npos);
    r = keywords({"--filter", "hour4", "--file", file, log});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("no posts"), std::string::npos);
    r = keywords({"--filter", "((", log});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err, "");
}

TEST(KeywordsCommand, Failures) {
    TempDir dir;
    const std::string log = writeLog(dir);
    const std::string noGroup = dir.write("plain.txt", "テスト\r\n");
    CliResult r = keywords({"--file", noGroup, log});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("no group"), std::string::npos);
    r = keywords({"--file", dir.file("missing.txt"), log});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.txt"), std::string::npos);
    r = keywords({dir.file("missing.log")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    r = keywords({noGroup}); // not a log
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
}

TEST(KeywordsCommand, UsageErrors) {
    EXPECT_EQ(keywords({}).status, 2);
    EXPECT_EQ(keywords({"--bogus", "x.txt"}).status, 2);
    EXPECT_EQ(keywords({"--limit-mb"}).status, 2);
    EXPECT_EQ(keywords({"--limit-mb", "lots", "x.txt"}).status, 2);
    EXPECT_EQ(keywords({"x.txt", "--file"}).status, 2);
    EXPECT_EQ(keywords({"--filter", "\xff", "x.txt"}).status, 2); // not UTF-8
}
