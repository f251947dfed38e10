// lorvanel-cli report, run as a program.
#include "support/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string quoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CliResult runCli(const std::vector<std::string>& args) {
    lorvanel::testing::TempDir dir;
    std::string command = quoted(LORVANEL_CLI_PATH);
    for (const std::string& a : args) command += " " + quoted(a);
    command += " >" + quoted(dir.file("out")) + " 2>" + quoted(dir.file("err"));
    CliResult r;
    const int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = slurp(dir.file("out"));
    r.err = slurp(dir.file("err"));
    return r;
}

} // namespace

// The expected texts here are UTF-8: the test's own literals are CP932, so they are written
// with u8 and compared as bytes.
#define U8(s) std::string(reinterpret_cast<const char*>(u8##s))

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
    EXPECT_EQ(r.err, U8("対応していないlorvanel.txtです。\n"));

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
