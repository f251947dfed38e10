// lorvanel-cli behaves as Unix tools do: errors named after the program and printed once,
// "--name=value", suggestions for misspelt names, one --now format, a local "date" in dump.
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

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

std::string writeLog(const TempDir& dir) {
    LogBuilder b(1);
    b.addSeries(5, 1199210645, 3600); // 2008/01/02 03:04:05 JST, hourly
    return b.writeTo(dir, "log.txt");
}

} // namespace

TEST(UnixConventions, AnErrorIsPrintedOnceOnStandardErrorAfterTheProgramsName) {
    TempDir dir;
    const std::string missing = dir.file("missing.txt");
    for (const std::string command : {"dump", "posts", "keywords", "graph"}) {
        std::vector<std::string> args{command, missing};
        if (command == "graph") args.insert(args.begin() + 1, {"--kind", "0", "--series"});
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_EQ(r.out, "") << command;
        EXPECT_EQ(occurrences(r.err, "No such file or directory"), 1u) << command << ": " << r.err;
        EXPECT_NE(r.err.find("lorvanel-cli: "), std::string::npos) << r.err;
    }
    // A directory: the error names it.
    const CliResult r = runCli({"dump", dir.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(occurrences(r.err, "lorvanel-cli: " + dir.path() + ": Is a directory\n"), 1u)
        << r.err;
}

TEST(UnixConventions, AnOptionsValueMayFollowAnEqualsSign) {
    TempDir dir;
    const std::string log = writeLog(dir);
    const CliResult spaced = runCli({"dump", "--filter", "hour3-4", "--limit-mb", "1", log});
    const CliResult joined = runCli({"dump", "--filter=hour3-4", "--limit-mb=1", log});
    EXPECT_EQ(spaced.status, 0);
    EXPECT_EQ(joined.status, 0) << joined.err;
    EXPECT_EQ(occurrences(spaced.out, "\n"), 2u);
    EXPECT_EQ(joined.out, spaced.out);
    // The value may hold "=" itself, and may be empty.
    const CliResult equalsInValue = runCli({"dump", "--filter=mail_a=b", log});
    EXPECT_EQ(equalsInValue.status, 0) << equalsInValue.err;
    EXPECT_EQ(runCli({"graph", "--kind=3", "--series", log}).status, 0);
    const CliResult empty = runCli({"graph", "--kind=", "--series", log});
    EXPECT_EQ(empty.status, 2);
    EXPECT_NE(empty.err.find("--kind needs a number from 0 to 4, not ''"), std::string::npos);
    // A flag takes no value.
    const CliResult flag = runCli({"graph", "--kind", "3", "--series=1", log});
    EXPECT_EQ(flag.status, 2);
    EXPECT_NE(flag.err.find("--series takes no value"), std::string::npos) << flag.err;
}

TEST(UnixConventions, AMisspeltNameSuggestsTheNearestOne) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"reprot", "x.txt"}, "unknown command 'reprot' (did you mean report?)"},
        {{"dumb", "x.txt"}, "unknown command 'dumb' (did you mean dump?)"},
        {{"check_filter", "x"}, "(did you mean check-filter?)"},
        {{"report", "--limt-mb", "1", "x.txt"},
         "unknown option '--limt-mb' (did you mean --limit-mb?)"},
        {{"graph", "--knd=3", "x.txt"}, "unknown option '--knd' (did you mean --kind?)"},
        {{"tree", "--selct", "a", "x.txt"}, "(did you mean --select?)"},
        {{"dump", "--jdmi", "x.txt"}, "(did you mean --jdim?)"},
        // Nothing near: no suggestion.
        {{"report", "--colour", "x.txt"}, "unknown option '--colour'\n"},
        {{"frobnicate"}, "unknown command 'frobnicate' (see lorvanel-cli --help)"},
    };
    for (const Case& c : cases) {
        const CliResult r = runCli(c.args);
        EXPECT_EQ(r.status, 2) << c.args[0];
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST(UnixConventions, NowIsALocalTimeInEveryCommandThatTakesIt) {
    TempDir dir;
    const std::string log = writeLog(dir);
    // The log's day in Tokyo: the first post is "today" at that moment.
    const std::string now = "2008/01/02 23:00:00";
    const CliResult report = runCli({"report", "--now", now, log});
    EXPECT_EQ(report.status, 0) << report.err;
    const CliResult tree = runCli({"tree", "--now=" + now, log});
    EXPECT_EQ(tree.status, 0) << tree.err;
    const std::string today = lorvanel::cp932ToUtf8("今日(5)");
    EXPECT_NE(tree.out.find(today), std::string::npos) << tree.out;
    for (const std::string command : {"report", "tree"}) {
        for (const std::string bad : {"1199210645", "2008/01/02", "2008/01/02 24:00:00"}) {
            const CliResult r = runCli({command, "--now", bad, log});
            EXPECT_EQ(r.status, 2) << command << " " << bad;
            EXPECT_NE(r.err.find("--now needs a local time \"YYYY/MM/DD HH:MM:SS\""),
                      std::string::npos)
                << r.err;
        }
    }
}

TEST(UnixConventions, DumpGivesEachPostsLocalDate) {
    TempDir dir;
    const CliResult r = runCli({"dump", writeLog(dir)});
    ASSERT_EQ(r.status, 0);
    // Tokyo time (the tests run with TZ=Asia/Tokyo): the dates as the log wrote them.
    EXPECT_NE(r.out.find("\"time\":1199210645,\"date\":\"2008-01-02T03:04:05\","),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"time\":1199225045,\"date\":\"2008-01-02T07:04:05\","),
              std::string::npos);
}
