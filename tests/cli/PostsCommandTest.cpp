// lorvanel-cli posts, run as a program: the golden cases of tests/data/posts and its exit
// statuses.
#include "input/LogFormat.h"
#include "support/BaseTimes.h"
#include "support/CliRunner.h"
#include "support/GoldenCases.h"
#include "support/LogBuilder.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using lorvanel::testing::CliResult;
using lorvanel::testing::readFile;
using lorvanel::testing::runCli;
using lorvanel::testing::TempDir;

namespace {

const std::string kCases = std::string(LORVANEL_SOURCE_DIR) + "/tests/data/posts";

// One argument per line of the case's "args" file, empty lines included.
std::vector<std::string> argsOf(const std::string& path) {
    std::vector<std::string> args{"posts"};
    const std::string text = readFile(path);
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        args.push_back(text.substr(start, nl - start));
    return args;
}

} // namespace

// Each case folder of tests/data/posts holds the log (input.txt), the arguments, run in the
// folder, and the expected standard output, written by hand from the rules of the list's rows.
class PostsGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(PostsGolden, PrintsTheExpectedText) {
    const std::string dir = lorvanel::testing::goldenCaseDir("posts", GetParam());
    std::string expected;
    ASSERT_TRUE(lorvanel::testing::readGoldenFile(dir, "args", expected)) << dir;
    ASSERT_TRUE(lorvanel::testing::readGoldenFile(dir, "expected.txt", expected)) << dir;
    const CliResult r = runCli(argsOf(dir + "/args"), dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, expected);
}

LORVANEL_GOLDEN_CASES(PostsGolden, "posts")

TEST(PostsCommand, ExitStatuses) {
    const std::string log = kCases + "/all-rows/input.txt";
    // Usage errors: a malformed or reversed range, --from without --search, --rows with
    // --search, a malformed --from, no file.
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--rows", "3", log},
                                               {"--rows", "a-4", log},
                                               {"--rows", "-4", log},
                                               {"--rows", "1-", log},
                                               {"--rows", "5-3", log},
                                               {"--rows", "99999999999999999999-1", log},
                                               {"--from", "3", log},
                                               {"--rows", "1-2", "--search", "x", log},
                                               {"--search", "x", "--from", "-1", log},
                                               {"--search", "x", "--from", "", log},
                                               {"--search"},
                                               {"--bogus", log},
                                               {}}) {
        std::vector<std::string> all{"posts"};
        all.insert(all.end(), args.begin(), args.end());
        const CliResult r = runCli(all);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args.front()) << " " << r.err;
        EXPECT_EQ(r.out, "");
    }
    // The load fails: a file of no known format, or none at all.
    TempDir dir;
    const CliResult plain = runCli({"posts", dir.write("plain.txt", "just text\r\n")});
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.out, "");
    EXPECT_EQ(runCli({"posts", dir.file("missing.txt")}).status, 1);
    // A filter that does not compile: its message on standard error, nothing printed.
    const CliResult bad = runCli({"posts", "--filter", "hour99", log});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("'99'"), std::string::npos) << bad.err;
    // A filter that selects nothing: an empty list, so nothing to print and no failure.
    const CliResult none = runCli({"posts", "--filter", "dir_none", "--rows", "0-0", log});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "");
}

TEST(PostsCommand, StatisticsThatFailPrintNoPosts) {
    // Posts of 100 lines are not counted in the line statistics: a selection of only such
    // posts has no statistics, as the report and the tree say; the list shows nothing.
    using namespace lorvanel;
    using namespace lorvanel::testing;
    TempDir dir;
    LogBuilder b(kFormatJane);
    LogPost shortPost = postAt(kBase);
    LogPost longPost = postAt(kBase + 60);
    for (int i = 0; i < 100; ++i) longPost.body += (i ? "\r\n" : "") + std::to_string(i);
    b.add(shortPost).add(longPost);
    const std::string log = b.writeTo(dir, "log.txt");
    const CliResult all = runCli({"posts", "--rows", "0-3", log});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_NE(all.out, "");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"posts", "--filter", "line100", log},
             {"posts", "--filter", "line100", "--search", "1", log}}) {
        const CliResult failed = runCli(args);
        EXPECT_EQ(failed.status, 1) << failed.err;
        EXPECT_EQ(failed.out, "");
    }
    TempDir longOnly;
    LogBuilder c(kFormatJane);
    c.add(longPost);
    const CliResult whole = runCli({"posts", c.writeTo(longOnly, "log.txt")});
    EXPECT_EQ(whole.status, 1);
    EXPECT_EQ(whole.out, "");
}

TEST(PostsCommand, SearchOptionsOfTheSearchBar) {
    using namespace lorvanel;
    using namespace lorvanel::testing;
    TempDir dir;
    LogBuilder b(kFormatJane);
    // One body line each: post i's body row is 4 i + 2.
    const char* const bodies[] = {"ABC", "ａｂｃ", "あいう", "アイウ", "ｱｲｳ", "アbc"};
    for (int i = 0; i < 6; ++i) {
        LogPost p = postAt(kBase + 60 * i);
        p.body = bodies[i];
        b.add(p);
    }
    const std::string log = b.writeTo(dir, "log.txt");
    auto hits = [&](std::vector<std::string> options, const char* pattern) {
        std::vector<std::string> args{"posts", "--search", utf8(pattern)};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(log);
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out;
    };
    EXPECT_EQ(hits({}, "abc"), "");
    EXPECT_EQ(hits({"--ignore-case"}, "abc"), "2\n6\n");
    EXPECT_EQ(hits({"--ignore-case"}, "ＢＣ"), "2\n6\n22\n"); // "bc" of アbc too
    EXPECT_EQ(hits({}, "アイウ"), "14\n");
    EXPECT_EQ(hits({"--ignore-case"}, "アイウ"), "14\n18\n");
    EXPECT_EQ(hits({"--ignore-kana"}, "あいう"), "10\n14\n18\n");
    EXPECT_EQ(hits({"--ignore-kana"}, "ABC"), "2\n6\n");
    EXPECT_EQ(hits({"--regex"}, "^A.C$"), "2\n");
    EXPECT_EQ(hits({"--regex", "--ignore-case"}, "^a.c$"), "2\n6\n");
    EXPECT_EQ(hits({"--regex", "--ignore-kana"}, "^[アイ]"), "10\n14\n18\n22\n");
    // Whole characters: "A" is the second byte of "ア" in CP932.
    EXPECT_EQ(hits({"--ignore-case"}, "a"), "2\n6\n");
    // An expression that does not compile: its message, nothing loaded or printed.
    const CliResult bad = runCli({"posts", "--search", "(", "--regex", log});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("'('"), std::string::npos) << bad.err;
    // The options belong to --search.
    EXPECT_EQ(runCli({"posts", "--regex", log}).status, 2);
}
