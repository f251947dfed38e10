// lorvanel-cli graph, run as a program: the --series golden cases of tests/data/graph-series
// (each folder: args, one per line, run in the folder; log.txt; expected.txt checked against
// the series and painter rules, the density block against a separate computation of the
// kernel), usage errors and PNG pictures.
#include "support/CliRunner.h"
#include "support/LogBuilder.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace {

using lorvanel::testing::CliResult;
using lorvanel::testing::readFile;
using lorvanel::testing::runCli;

const std::string kCases = std::string(LORVANEL_SOURCE_DIR) + "/tests/data/graph-series";

std::vector<std::string> lines(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    std::string line;
    while (std::getline(in, line)) out.push_back(line);
    return out;
}

// Width and height of a PNG file from its header; 0 x 0 when it isn't one.
std::pair<int, int> pngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
    auto be32 = [&](std::size_t at) {
        int v = 0;
        for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    return {be32(16), be32(20)};
}

} // namespace

TEST(GraphCli, SeriesGoldenCases) {
    std::vector<std::string> cases;
    for (const auto& entry : std::filesystem::directory_iterator(kCases))
        if (entry.is_directory()) cases.push_back(entry.path().string());
    std::sort(cases.begin(), cases.end());
    ASSERT_GE(cases.size(), 7u);
    for (const std::string& dir : cases) {
        SCOPED_TRACE(dir);
        std::vector<std::string> args = {"graph"};
        for (const std::string& a : lines(readFile(dir + "/args")))
            if (!a.empty()) args.push_back(a);
        const CliResult r = runCli(args, dir);
        EXPECT_EQ(r.status, 0) << r.err;
        const std::vector<std::string> got = lines(r.out),
                                       want = lines(readFile(dir + "/expected.txt"));
        ASSERT_FALSE(want.empty());
        for (std::size_t i = 0; i < std::max(got.size(), want.size()); ++i)
            ASSERT_EQ(i < got.size() ? got[i] : "<missing>", i < want.size() ? want[i] : "<extra>")
                << "line " << i + 1;
    }
}

TEST(GraphCli, UsageErrorsExitWithTwo) {
    const std::string log = kCases + "/cumulative-three-boards/log.txt";
    EXPECT_EQ(runCli({"graph", "--series", log}).status, 2);                // no kind
    EXPECT_EQ(runCli({"graph", "--kind", "9", "--series", log}).status, 2); // no such kind
    EXPECT_EQ(runCli({"graph", "--kind", "0", log}).status, 2);             // no output
    EXPECT_EQ(runCli({"graph", "--kind", "0", "--series", "--png", "a.png", log}).status, 2);
    EXPECT_EQ(runCli({"graph", "--kind", "0", "--size", "640", "--series", log}).status, 2);
    EXPECT_EQ(runCli({"graph", "--kind", "0", "--show-total", "2", "--series", log}).status, 2);
    EXPECT_EQ(runCli({"graph", "--kind", "0", "--series"}).status, 2);
    const CliResult help = runCli({"graph", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--show-total"), std::string::npos);
}

TEST(GraphCli, AMissingLogFailsWithTheReason) {
    lorvanel::testing::TempDir dir;
    const CliResult r = runCli({"graph", "--kind", "1", "--series", dir.file("none.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(r.err.empty());
}

// The cumulative graph charts the report's board ranking: the same boards, in the same order
// (equal counts included), with the same counts. Boards whose posts come in the reverse of
// the tie order, a foreign board and a directory the board list doesn't know are all there.
TEST(GraphCli, CumulativeBoardsFollowTheReportsRankingTiesIncluded) {
    using lorvanel::testing::LogBuilder;
    using lorvanel::testing::LogPost;
    lorvanel::testing::TempDir dir;
    LogBuilder log(1);
    int day = 1;
    auto add = [&](const std::string& url, int n) {
        for (int i = 0; i < n; ++i, ++day) {
            LogPost p;
            p.date =
                "2008/01/" + std::string(day < 10 ? "0" : "") + std::to_string(day) + " 12:00:00";
            p.url = url;
            log.add(p);
        }
    };
    // Unlisted directories of the main BBS are named by the directory itself.
    add("http://news.2ch.net/test/read.cgi/zc/1199210000/", 3);
    add("http://news.2ch.net/test/read.cgi/zb/1199210000/", 3);
    add("http://example.com/test/read.cgi/za/1199210000/", 3);
    add("http://news.2ch.net/test/read.cgi/zz/1199210000/", 5);
    add("http://news.2ch.net/test/read.cgi/news/1199210000/", 3);
    add("http://news.2ch.net/test/read.cgi/za/1199210000/", 2);
    add("http://news.2ch.net/test/read.cgi/zc/1199210000/", 1);
    const std::string path = log.writeTo(dir, "tied.txt");

    // The report's board section: "name    bar(count)" rows after its heading.
    const CliResult report = runCli({"report", path});
    ASSERT_EQ(report.status, 0) << report.err;
    std::vector<std::pair<std::string, int>> reportRows;
    bool inBoards = false;
    const std::regex row(R"(^(\S.*?) +\**\((\d+)\)\r?$)");
    for (const std::string& line : lines(report.out)) {
        if (line.rfind(U8("★"), 0) == 0) inBoards = line.find(U8("★板別書き込み回数")) == 0;
        std::smatch m;
        if (inBoards && std::regex_match(line, m, row))
            reportRows.emplace_back(m[1].str(), std::stoi(m[2].str()));
    }
    // zc 4, zz 5, zb 3, za＠example.com 3, news 3, za 2: three boards tie at 3.
    ASSERT_EQ(reportRows.size(), 6u) << report.out;
    EXPECT_EQ(reportRows[0].first, "zz");
    EXPECT_EQ(reportRows[1].first, "zc");
    int ties = 0;
    for (std::size_t i = 1; i < reportRows.size(); ++i)
        ties += reportRows[i].second == reportRows[i - 1].second;
    ASSERT_EQ(ties, 2) << report.out;

    // Each board's line ends at its count; series 0 is the whole selection.
    const CliResult graph = runCli({"graph", "--kind", "0", "--series", path});
    ASSERT_EQ(graph.status, 0) << graph.err;
    std::vector<std::pair<std::string, int>> graphRows;
    for (const std::string& line : lines(graph.out)) {
        if (line.rfind("series\t", 0) != 0) continue;
        std::vector<std::string> fields;
        std::istringstream in(line);
        for (std::string f; std::getline(in, f, '\t');) fields.push_back(f);
        ASSERT_GE(fields.size(), 6u) << line;
        if (fields[1] == "0") continue;
        graphRows.emplace_back(fields[2], static_cast<int>(std::stof(fields.back())));
    }
    EXPECT_EQ(graphRows, reportRows) << graph.out;
}

#ifdef LORVANEL_CLI_PNG
TEST(GraphCli, PngPicturesHaveTheRequestedSize) {
    lorvanel::testing::TempDir dir;
    const std::string log = kCases + "/cumulative-three-boards/log.txt";
    for (const char* kind : {"0", "1", "2"}) {
        const std::string png = dir.file(std::string("g") + kind + ".png");
        const CliResult r = runCli({"graph", "--kind", kind, "--png", png, log});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(pngSize(readFile(png)), (std::pair<int, int>{640, 480})) << kind;
    }
    const std::string small = dir.file("small.png");
    EXPECT_EQ(runCli({"graph", "--kind", "2", "--size", "320x200", "--png", small, log}).status, 0);
    EXPECT_EQ(pngSize(readFile(small)), (std::pair<int, int>{320, 200}));
    // A picture that can't be written fails and leaves nothing behind.
    const std::string nowhere = dir.file("no-such-dir/g.png");
    const CliResult bad = runCli({"graph", "--kind", "0", "--png", nowhere, log});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("lorvanel-cli: " + nowhere + ": "), std::string::npos) << bad.err;
    EXPECT_FALSE(std::filesystem::exists(nowhere));
}
#endif
