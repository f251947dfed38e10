// lorvanel-cli tree, run as a program: the cases of tests/data/tree-cli/ (expected texts
// written by hand from the tree's rules) and its failures.
#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using lorvanel::testing::CliResult;
using lorvanel::testing::readFile;
using lorvanel::testing::runCli;

// The expected texts are UTF-8, while the test's own literals are CP932.
#define U8(s) std::string(reinterpret_cast<const char*>(u8##s))

const std::string kCases = std::string(LORVANEL_SOURCE_DIR) + "/tests/data/tree-cli";

std::vector<std::string> lines(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

CliResult tree(std::vector<std::string> args, const std::string& cwd = "") {
    args.insert(args.begin(), "tree");
    return runCli(args, cwd);
}

const std::string kNow = "2008/01/21 08:00:00";

} // namespace

TEST(TreeCli, CasesPrintTheirExpectedTexts) {
    std::vector<std::string> cases;
    for (const auto& entry : std::filesystem::directory_iterator(kCases))
        cases.push_back(entry.path().string());
    std::sort(cases.begin(), cases.end());
    ASSERT_GE(cases.size(), 3u);
    for (const std::string& dir : cases) {
        SCOPED_TRACE(dir);
        std::vector<std::string> args;
        for (const std::string& a : lines(readFile(dir + "/args")))
            if (!a.empty()) args.push_back(a);
        const CliResult r = tree(args, dir);
        EXPECT_EQ(r.status, 0) << r.err;
        const std::vector<std::string> got = lines(r.out);
        const std::vector<std::string> want = lines(readFile(dir + "/expected.txt"));
        for (std::size_t i = 0; i < std::max(got.size(), want.size()); ++i)
            EXPECT_EQ(i < got.size() ? got[i] : "<missing>", i < want.size() ? want[i] : "<extra>")
                << "line " << i + 1;
        EXPECT_EQ(r.out, readFile(dir + "/expected.txt"));
    }
}

TEST(TreeCli, AnItemThatDoesNotExistIsAUsageError) {
    const CliResult r = tree({"--now", kNow, "--select", U8("時間帯/10時(2)"), "--select",
                              U8("時間帯/25時(0)"), "jane.txt"},
                             kCases + "/select");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, U8("no tree item: 時間帯/25時(0)\n"));
}

TEST(TreeCli, AFailedLoadShowsOnlyTheCustomBranch) {
    lorvanel::testing::TempDir dir;
    const CliResult r = tree({dir.write("plain.txt", "not a log\r\n")});
    EXPECT_EQ(r.status, 1);
    const std::vector<std::string> got = lines(r.out);
    ASSERT_EQ(got.size(), 13u);
    EXPECT_EQ(got[0], U8("カスタム\t\t7"));
    EXPECT_EQ(got[8], U8("  sage\tmail_sage\t8"));
    EXPECT_FALSE(r.err.empty());
}

TEST(TreeCli, AFilterThatDoesNotCompileKeepsTheWholeLog) {
    const CliResult r = tree({"--now", kNow, "--filter", "hour24", "jane.txt"}, kCases + "/select");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(U8("値の範囲が不正です。 '24'")), std::string::npos) << r.err;
    const std::vector<std::string> got = lines(r.out);
    ASSERT_GT(got.size(), 5u);
    EXPECT_EQ(got[5], U8("  2008年(5)\tdate2008\t1"));
}

TEST(TreeCli, BadOptionsAreUsageErrors) {
    const std::string dir = kCases + "/select";
    EXPECT_EQ(tree({"--expand", "some", "jane.txt"}, dir).status, 2);
    EXPECT_EQ(tree({"--now", "2008/01/21", "jane.txt"}, dir).status, 2);
    EXPECT_EQ(tree({"--now", "2008/13/01 00:00:00", "jane.txt"}, dir).status, 2);
    EXPECT_EQ(tree({"--select"}, dir).status, 2);
    EXPECT_EQ(tree({}, dir).status, 2);
}
