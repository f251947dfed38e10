// lorvanel-cli check-filter, run as a separate process.
#include "platform/Encoding.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

using namespace lorvanel;

namespace {

struct CliResult {
    int status = -1;
    std::string out; // UTF-8
    std::string err;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

CliResult runCli(const std::vector<std::string>& args) {
    lorvanel::testing::TempDir dir;
    const std::string outPath = dir.file("out"), errPath = dir.file("err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<std::string> all{LORVANEL_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    CliResult result;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

// The UTF-8 form of a CP932 literal of this file.
std::string utf8(std::string_view cp932) {
    return cp932ToUtf8(cp932);
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
