// The keywords sub-command of lorvanel-cli, run as a process.
#include "support/TempDir.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

using lorvanel::testing::TempDir;

namespace {

struct CliRun {
    int status;
    std::string out;
};

// Runs lorvanel-cli keywords with the arguments (already quoted); stderr is discarded.
CliRun runKeywords(const std::string& args) {
    const std::string command =
        std::string(LORVANEL_CLI_PATH) + " keywords " + args + " 2>/dev/null";
    CliRun r{-1, {}};
    FILE* p = popen(command.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

} // namespace

TEST(KeywordsCommand, UsageErrors) {
    EXPECT_EQ(runKeywords("").status, 2);
    EXPECT_EQ(runKeywords("--bogus x.txt").status, 2);
    EXPECT_EQ(runKeywords("--limit-mb").status, 2);
    EXPECT_EQ(runKeywords("--limit-mb lots x.txt").status, 2);
    EXPECT_EQ(runKeywords("x.txt --file").status, 2);
}

TEST(KeywordsCommand, FailuresPrintNothingAndExitWith1) {
    TempDir dir;
    const std::string notALog = dir.write("note.txt", "just some text\r\n");
    CliRun r = runKeywords("'" + dir.file("missing.txt") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    r = runKeywords("'" + notALog + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
}
