// lorvanel-cli check-filter and the --filter option, run as a separate process.
#include "platform/Encoding.h"
#include "platform/LocalTime.h"
#include "support/CliRunner.h"
#include "support/LogBuilder.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

using namespace lorvanel;
using lorvanel::testing::CliResult;
using lorvanel::testing::LogBuilder;
using lorvanel::testing::LogPost;
using lorvanel::testing::runCli;
using lorvanel::testing::TempDir;
using lorvanel::testing::utf8;

namespace {

// A Jane log of five posts in January 2008: two long ones (one of them ASCII art), a short
// one, a long one at night and a new thread.
std::string writeLog(const TempDir& dir) {
    LogBuilder log(1);
    LogPost p = lorvanel::testing::postAt(fromLocalTime(2008, 1, 7, 10, 0, 0));
    p.body = "一\r\n二\r\n三\r\n四\r\n五\r\n六";
    log.add(p);
    p = lorvanel::testing::postAt(fromLocalTime(2008, 1, 8, 10, 0, 0));
    p.body = "＿＿\r\n／＼\r\n＼／\r\n（）\r\n｜｜\r\n￣￣";
    log.add(p);
    p = lorvanel::testing::postAt(fromLocalTime(2008, 1, 9, 10, 0, 0));
    p.body = "短い";
    log.add(p);
    p = lorvanel::testing::postAt(fromLocalTime(2008, 1, 10, 23, 0, 0));
    p.body = "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7";
    log.add(p);
    p = lorvanel::testing::postAt(fromLocalTime(2008, 1, 11, 10, 0, 0));
    p.newThread = true;
    p.url = "http://news.2ch.net/news/";
    log.add(p);
    return log.writeTo(dir, "log.txt");
}

// The "seq" values of the JSON lines of a dump.
std::vector<int> dumpedSeqs(const std::string& out) {
    std::vector<int> seqs;
    for (std::size_t at = out.find("{\"seq\":"); at != std::string::npos;
         at = out.find("{\"seq\":", at + 1))
        seqs.push_back(std::atoi(out.c_str() + at + 7));
    return seqs;
}

std::string countLine(int n) {
    return utf8("書き込み回数 ") + std::to_string(n) + utf8("回");
}

} // namespace

TEST(CheckFilterCli, AcceptsValidTexts) {
    for (const char* text : {"!AA&line6-", "!(week1|week7)&(hour4-6|hour13-15)",
                             "msgr_\"(>|＞)[1-9]\"", "brd_ニュース速報", "msg_\"ポ\""}) {
        const CliResult r = runCli({"check-filter", utf8(text)});
        EXPECT_EQ(r.status, 0) << text;
        EXPECT_EQ(r.out, "OK\n") << text;
        EXPECT_EQ(r.err, "") << text;
    }
}

TEST(CheckFilterCli, PrintsTheCompilersMessageExactly) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"hour24", "値の範囲が不正です。 '24'"},
        {"msg_ポ", "構文エラー\n'|'\n"},
        {"", "構文エラー\n''\n"},
        {"a", "定義されていないコマンドです。\n'a'\n"},
        {"date20080230", "日時の指定が不正です\n'20080230'"},
        {"msgr_\"[\"", "正規表現の書式が不正です\n'['"},
    };
    for (const Case& c : cases) {
        const CliResult r = runCli({"check-filter", utf8(c.text)});
        EXPECT_EQ(r.status, 1) << c.text;
        EXPECT_EQ(r.out, utf8(c.message)) << c.text;
        EXPECT_EQ(r.err, "") << c.text;
    }
}

TEST(CheckFilterCli, UsageErrors) {
    EXPECT_EQ(runCli({"check-filter"}).status, 2);
    EXPECT_EQ(runCli({"check-filter", "AA", "AA"}).status, 2);
    // U+00E9 has no Shift_JIS code; invalid UTF-8 can't be converted either.
    const CliResult r = runCli({"check-filter", "msg_\xC3\xA9"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Shift_JIS"), std::string::npos) << r.err;
    EXPECT_EQ(runCli({"check-filter", "msg_\xFF"}).status, 2);
}

TEST(ReportFilterCli, ReportsTheSelection) {
    TempDir dir;
    const std::string log = writeLog(dir);
    const CliResult whole = runCli({"report", log});
    ASSERT_EQ(whole.status, 0) << whole.err;
    EXPECT_NE(whole.out.find(countLine(5)), std::string::npos) << whole.out;

    const CliResult longPosts = runCli({"report", "--filter", "!AA&line6-", log});
    ASSERT_EQ(longPosts.status, 0) << longPosts.err;
    EXPECT_NE(longPosts.out.find(countLine(2)), std::string::npos) << longPosts.out;
    EXPECT_NE(longPosts.out.find(utf8("書き込み行数 13行")), std::string::npos) << longPosts.out;
    // The analysis log still follows the report.
    EXPECT_NE(longPosts.out.find(utf8("★解析ログ")), std::string::npos);

    const CliResult night = runCli({"report", "--filter", utf8("hour22- | suretate"), log});
    ASSERT_EQ(night.status, 0) << night.err;
    EXPECT_NE(night.out.find(countLine(2)), std::string::npos) << night.out;
}

TEST(ReportFilterCli, ASelectionOfNothingLeavesOnlyTheAnalysisLog) {
    TempDir dir;
    const CliResult r = runCli({"report", "--filter", "date2009", writeLog(dir)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind(utf8("--------------------------------------------\r\n★解析ログ\r\n"), 0),
              0u)
        << r.out;
}

TEST(ReportFilterCli, ABadFilterFailsWithTheCompilersMessage) {
    TempDir dir;
    const std::string log = writeLog(dir);
    CliResult r = runCli({"report", "--filter", "hour25", log});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(utf8("値の範囲が不正です。 '25'")), std::string::npos) << r.err;

    r = runCli({"report", "--filter", "msg_\xC3\xA9", log});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--filter"), std::string::npos) << r.err;
    EXPECT_EQ(runCli({"report", log, "--filter"}).status, 2);
}

TEST(DumpFilterCli, PrintsTheSelectedPosts) {
    TempDir dir;
    const std::string log = writeLog(dir);
    CliResult r = runCli({"dump", log});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dumpedSeqs(r.out), (std::vector{1, 2, 3, 4, 5}));

    r = runCli({"dump", "--filter", "!AA&line6-", log});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dumpedSeqs(r.out), (std::vector{1, 4}));

    r = runCli({"dump", "--filter", utf8("msg_短|suretate"), log});
    EXPECT_EQ(dumpedSeqs(r.out), (std::vector{3, 5}));

    r = runCli({"dump", "--filter", "date2009", log});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");

    r = runCli({"dump", "--filter", "line", log});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(utf8("定義されていないコマンドです。")), std::string::npos) << r.err;
}

TEST(DumpFilterCli, BoardsOutsideTheFamilyAreKnownByTheirNames) {
    TempDir dir;
    LogBuilder builder(1);
    LogPost p = lorvanel::testing::postAt(fromLocalTime(2008, 1, 7, 10, 0, 0));
    builder.add(p);
    p = lorvanel::testing::postAt(fromLocalTime(2008, 1, 8, 10, 0, 0));
    p.url = "http://bbs.example.org/test/read.cgi/forum/1199000000/";
    builder.add(p);
    const std::string log = builder.writeTo(dir, "log.txt");
    const CliResult all = runCli({"dump", log});
    ASSERT_NE(all.out.find(utf8("\"board\":\"forum＠bbs.example.org\"")), std::string::npos)
        << all.out;
    const CliResult r = runCli({"dump", "--filter", utf8("brd_forum＠bbs.example.org"), log});
    EXPECT_EQ(dumpedSeqs(r.out), (std::vector{2}));
}
