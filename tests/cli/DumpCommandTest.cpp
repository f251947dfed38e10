// lorvanel-cli dump, run as a program.
#include "input/LogFormat.h"
#include "support/BaseTimes.h"
#include "support/CliRunner.h"
#include "support/GoldenCases.h"
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

CliResult dump(std::vector<std::string> args) {
    args.insert(args.begin(), "dump");
    return runCli(args);
}

std::vector<std::string> lines(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

} // namespace

// tests/data/dump/<case>/: the log input.txt and its dump expected.jsonl.
class DumpGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(DumpGolden, PrintsTheExpectedPosts) {
    const std::string dir = lorvanel::testing::goldenCaseDir("dump", GetParam());
    std::string expected;
    ASSERT_TRUE(lorvanel::testing::readGoldenFile(dir, "input.txt", expected)) << dir;
    ASSERT_TRUE(lorvanel::testing::readGoldenFile(dir, "expected.jsonl", expected)) << dir;
    const CliResult r = dump({dir + "/input.txt"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, expected);
}

LORVANEL_GOLDEN_CASES(DumpGolden, "dump")

TEST(DumpCommand, AnalysisLogGoesToStandardError) {
    TempDir dir;
    LogBuilder b(lorvanel::kFormatJane);
    b.addSeries(2, kBase);
    LogPost bad = postAt(kBase + 600);
    bad.date = "2008/01/02 03:14";
    b.add(bad);
    const std::string path = b.writeTo(dir, "lorvanel.txt");
    const CliResult r = dump({path});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lines(r.out).size(), 3u);
    const std::vector<std::string> err = lines(r.err);
    ASSERT_EQ(err.size(), 7u) << r.err;
    EXPECT_EQ(err[0], U8("ファイルを開いています '") + path + "'\r");
    EXPECT_EQ(err[3], U8("レスに分解しています\r"));
    EXPECT_EQ(err[4], U8("(2008/01/02 03:14) 時刻の書式が不正です。\r"));
    EXPECT_EQ(err[5].rfind(U8("完了 "), 0), 0u);
}

TEST(DumpCommand, FailedLoadExitsWithOneAndShowsTheMessageBoxLine) {
    TempDir dir;
    const CliResult r = dump({dir.write("plain.txt", "just text\r\n")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    // The message once, named after the program; the analysis log doesn't repeat it.
    EXPECT_EQ(r.err, U8("lorvanel-cli: 対応していないlorvanel.txtです。\n"));
    const CliResult lf = dump({dir.write(
        "lf.txt",
        LogBuilder(lorvanel::kFormatJane).addSeries(1, kBase).text().replace(44, 2, "\n"))});
    EXPECT_EQ(lf.status, 1);
    EXPECT_NE(lf.err.find(U8("CRLF以外の改行コードには対応していません。\n")), std::string::npos);
    EXPECT_NE(lf.err.find(U8("lorvanel.txtの解析に失敗しました。\n")), std::string::npos);
}

TEST(DumpCommand, SeveralFilesAreMergedInTimeOrder) {
    TempDir dir;
    LogBuilder jane(lorvanel::kFormatJane);
    jane.addSeries(2, kBase, 120);
    LogBuilder hz(lorvanel::kFormatHotzonu);
    hz.addSeries(2, kBase + 60, 120);
    const CliResult r = dump({jane.writeTo(dir, "a.txt"), hz.writeTo(dir, "b.txt"),
                              dir.write("junk.txt", "nothing\r\n")});
    EXPECT_EQ(r.status, 0);
    const std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const std::string head = "{\"seq\":" + std::to_string(i + 1) +
                                 ",\"time\":" + std::to_string(kBase + 60 * i) + ",";
        EXPECT_EQ(out[i].rfind(head, 0), 0u) << out[i];
    }
}

TEST(DumpCommand, LimitReadsTheNewestMegabytes) {
    TempDir dir;
    LogBuilder b(lorvanel::kFormatJane);
    LogPost p = postAt(kBase);
    p.body = std::string(1000, 'x');
    for (int i = 0; i < 1500; ++i) {
        p.date = postAt(kBase + i).date;
        b.add(p);
    }
    const std::string path = b.writeTo(dir, "big.txt");
    const CliResult all = dump({"--limit-mb", "0", path});
    const CliResult limited = dump({"--limit-mb", "1", path});
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(limited.status, 0);
    EXPECT_EQ(lines(all.out).size(), 1500u);
    // Every post has the same size; the partial one at the start of the megabyte is skipped.
    const std::size_t postSize = LogBuilder::postText(lorvanel::kFormatJane, p).size();
    const std::vector<std::string> last = lines(limited.out);
    ASSERT_EQ(last.size(), (std::size_t{1} << 20) / postSize);
    // The newest post is the same one, renumbered within the part read.
    const std::string newest = lines(all.out).back();
    EXPECT_TRUE(newest.substr(newest.find(',')) == last.back().substr(last.back().find(',')));
}

TEST(DumpCommand, UsageErrorsExitWithTwo) {
    EXPECT_EQ(dump({}).status, 2);
    EXPECT_EQ(dump({"--bogus", "x.txt"}).status, 2);
    EXPECT_EQ(dump({"--limit-mb"}).status, 2);
    EXPECT_EQ(dump({"--limit-mb", "lots", "x.txt"}).status, 2);
    const CliResult help = dump({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("dump [--limit-mb N] [--filter TEXT] FILE..."), std::string::npos);
    // A file named like an option can follow "--".
    EXPECT_EQ(dump({"--", "--missing.txt"}).status, 1);
}
