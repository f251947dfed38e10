// lorvanel-cli report, run as a program.
#include "support/CliRunner.h"
#include "support/GoldenCases.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace {

using lorvanel::testing::CliResult;
using lorvanel::testing::readFile;
using lorvanel::testing::runCli;

} // namespace

// The expected texts here are UTF-8: the test's own literals are CP932, so they are written

TEST(ReportCli, UsageErrorsExitWithTwo) {
    EXPECT_EQ(runCli({"report"}).status, 2);
    EXPECT_EQ(runCli({"report", "--bogus", "x.txt"}).status, 2);
    EXPECT_EQ(runCli({"report", "--now"}).status, 2);
    EXPECT_EQ(runCli({"report", "--now", "99999999999", "x.txt"}).status, 2);
    EXPECT_EQ(runCli({"report", "--limit-mb", "-1", "x.txt"}).status, 2);
    const CliResult help = runCli({"report", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--no-month-thread-ranking"), std::string::npos);
}

TEST(ReportCli, AFileOfNoKnownFormatFailsButStillPrintsTheWindowText) {
    lorvanel::testing::TempDir dir;
    const std::string path = dir.write("plain.txt", "just some text\r\n");
    const CliResult r = runCli({"report", path});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, U8("--------------------------------------------\r\n★解析ログ\r\n"
                        "対応していないlorvanel.txtです。\r\n"));
    // The message box's text goes to standard error as one line.
    EXPECT_EQ(r.err, U8("lorvanel-cli: 対応していないlorvanel.txtです。\n"));

    const CliResult raw = runCli({"report", "--sjis", path});
    EXPECT_EQ(raw.status, 1);
    EXPECT_EQ(raw.out, "--------------------------------------------\r\n★解析ログ\r\n"
                       "対応していないlorvanel.txtです。\r\n");
}

TEST(ReportCli, AMissingFileFails) {
    lorvanel::testing::TempDir dir;
    const CliResult r = runCli({"report", "--", dir.file("none.txt")});
    EXPECT_EQ(r.status, 1);
    const std::string tail = U8("--------------------------------------------\r\n★解析ログ\r\n");
    EXPECT_EQ(r.out.rfind(tail, 0), 0u);
    EXPECT_GT(r.out.size(), tail.size()); // the system's message follows
    EXPECT_FALSE(r.err.empty());
}

namespace {

// The analysis log's durations vary from run to run; the expected texts hold 0.
std::string withoutDurations(const std::string& utf8) {
    static const std::regex duration(U8("完了 [0-9]+㍉ﾋﾞｮ"));
    return std::regex_replace(utf8, duration, U8("完了 0㍉ﾋﾞｮ"));
}

std::vector<std::string> splitLines(const std::string& s) {
    std::vector<std::string> lines;
    std::istringstream in(s);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

class ReportCliGolden : public ::testing::TestWithParam<std::string> {};

} // namespace

// Whole outputs for logs committed with their cases: the report part was checked line by
// line against the report's rules, the analysis log part against the loading messages.
TEST_P(ReportCliGolden, PrintsTheExpectedText) {
    const std::string dir = lorvanel::testing::goldenCaseDir("report-cli", GetParam());
    std::string bytes;
    ASSERT_TRUE(lorvanel::testing::readGoldenFile(dir, "args", bytes)) << dir;
    ASSERT_TRUE(lorvanel::testing::readGoldenFile(dir, "expected.txt", bytes)) << dir;
    const std::vector<std::string> args = [&] {
        std::vector<std::string> a = {"report"};
        for (const std::string& line : splitLines(readFile(dir + "/args")))
            if (!line.empty()) a.push_back(line);
        return a;
    }();
    const CliResult r = runCli(args, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string actual = withoutDurations(r.out);
    const std::string expected = readFile(dir + "/expected.txt");
    const std::vector<std::string> got = splitLines(actual), want = splitLines(expected);
    for (std::size_t i = 0; i < std::max(got.size(), want.size()); ++i)
        EXPECT_EQ(i < got.size() ? got[i] : "<missing>", i < want.size() ? want[i] : "<extra>")
            << "line " << i + 1;
    EXPECT_EQ(actual, expected);
}

LORVANEL_GOLDEN_CASES(ReportCliGolden, "report-cli")
