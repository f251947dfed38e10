// The option parser that every sub-command shares, seen from outside: the same options, the
// same errors and the same exit statuses whatever the command.
#include "platform/Encoding.h"
#include "support/CliRunner.h"
#include "support/LogBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using lorvanel::testing::CliResult;
using lorvanel::testing::LogBuilder;
using lorvanel::testing::runCli;
using lorvanel::testing::TempDir;

namespace {

// The commands that load logs and take --limit-mb and --filter.
const std::vector<std::string> kLoadingCommands = {"report", "keywords", "dump", "posts"};

std::string writeLog(const TempDir& dir) {
    LogBuilder b(1);
    b.addSeries(3, 1199210645);
    return b.writeTo(dir, "log.txt");
}

} // namespace

TEST(CommandLine, AFilterThatDoesNotCompileFailsEveryCommandBeforeLoading) {
    TempDir dir;
    const std::string log = writeLog(dir);
    for (const std::string& command : kLoadingCommands) {
        const CliResult r = runCli({command, "--filter", "hour99", log});
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_EQ(r.out, "") << command;
        // The compiler's message, once, and no analysis log: nothing was loaded.
        const std::string message = lorvanel::cp932ToUtf8("値の範囲が不正です。 '99'");
        EXPECT_EQ(r.err.find(message), r.err.rfind(message)) << command << ": " << r.err;
        EXPECT_NE(r.err.find("lorvanel-cli " + command + ": --filter: "), std::string::npos)
            << r.err;
        EXPECT_EQ(r.err.find(lorvanel::cp932ToUtf8("ファイルを開いています")), std::string::npos)
            << r.err;
    }
}

TEST(CommandLine, UsageErrorsAreTheSameForEveryCommand) {
    TempDir dir;
    const std::string log = writeLog(dir);
    for (const std::string& command : kLoadingCommands) {
        // A text that can't be written in Shift_JIS is a usage error, not a filter error.
        for (const std::vector<std::string>& args :
             std::vector<std::vector<std::string>>{{command, "--filter", "msg_\xC3\xA9", log},
                                                   {command, "--limit-mb", "x", log},
                                                   {command, log, "--limit-mb"},
                                                   {command, "--bogus", log},
                                                   {command},
                                                   {command, "--"}}) {
            const CliResult r = runCli(args);
            EXPECT_EQ(r.status, 2) << command << " " << args.size();
            EXPECT_EQ(r.out, "") << command;
            // The message, then the command's usage.
            EXPECT_EQ(r.err.rfind("lorvanel-cli " + command + ": ", 0), 0u) << r.err;
            EXPECT_NE(r.err.find("  " + command + " "), std::string::npos) << r.err;
        }
    }
}

TEST(CommandLine, OptionsAndFilesInAnyOrderAndDashDashEndsTheOptions) {
    TempDir dir;
    const std::string log = writeLog(dir);
    dir.write("-odd.txt", lorvanel::testing::readFile(log));
    for (const std::string& command : kLoadingCommands) {
        const CliResult before = runCli({command, "--limit-mb", "1", "--filter", "hour3", log});
        const CliResult after = runCli({command, log, "--filter", "hour3", "--limit-mb", "1"});
        EXPECT_EQ(before.status, 0) << command << before.err;
        // The report's analysis log holds durations; everything before it must match.
        const auto stable = [](const std::string& out) {
            return out.substr(0, out.find(lorvanel::cp932ToUtf8("★解析ログ")));
        };
        EXPECT_EQ(stable(before.out), stable(after.out)) << command;
        // After "--" a name that starts with '-' is a file; before it, an unknown option.
        const CliResult r = runCli({command, "--limit-mb", "1", "--", "-odd.txt"}, dir.path());
        EXPECT_EQ(r.status, 0) << command << r.err;
        EXPECT_NE(r.out, "") << command;
        EXPECT_EQ(runCli({command, "-odd.txt"}, dir.path()).status, 2) << command;
    }
}
