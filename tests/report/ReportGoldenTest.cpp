// Whole reports of small logs built in memory, compared with the expected texts of
// tests/data/report/<case>/ (posts.tsv in, expected.txt out; UTF-8, CR LF) written by hand from the
// report's rules.
#include "report/ComputeStatistics.h"
#include "report/WriteReport.h"
#include "support/GoldenCases.h"
#include "support/MemoryLog.h"

#include "platform/Encoding.h"
#include "platform/File.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace lorvanel;
using lorvanel::testing::at;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string toCp932(const std::string& utf8) {
    std::string out;
    EXPECT_TRUE(utf8ToCp932(utf8, out)) << utf8;
    return out;
}

Time32 parseTime(const std::string& text) {
    int y, mo, d, h, mi, s;
    EXPECT_EQ(std::sscanf(text.c_str(), "%d/%d/%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s), 6) << text;
    return at(y, mo, d, h, mi, s);
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = s.find(sep, start);
        parts.push_back(s.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

// One case: the posts and load facts of posts.tsv, a fixed "now" and the options.
struct GoldenCase {
    std::vector<lorvanel::testing::TestPost> posts;
    lorvanel::testing::LoadFacts facts;
    Time32 now = 0;
    AnalyzeOptions options;
};

GoldenCase readCase(const std::string& path) {
    GoldenCase c;
    c.facts.formatNames.clear();
    std::istringstream in(readFile(path));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        if (line[0] == '#') {
            std::istringstream words(line.substr(1));
            std::string key;
            words >> key;
            std::string rest;
            std::getline(words >> std::ws, rest);
            if (key == "now")
                c.now = parseTime(rest);
            else if (key == "format")
                c.facts.formatNames.push_back(toCp932(rest));
            else if (key == "bytes")
                std::istringstream(rest) >> c.facts.bytesRead >> c.facts.fileSize;
            else if (key == "options")
                std::istringstream(rest) >> c.options.threadRanking >> c.options.monthThreadRanking;
            continue;
        }
        const std::vector<std::string> f = split(line, '\t');
        EXPECT_GE(f.size(), 4u) << line;
        if (f.size() < 4) continue;
        lorvanel::testing::TestPost p;
        p.time = parseTime(f[0]);
        const std::size_t atSign = f[1].find('@');
        p.dir = f[1].substr(0, atSign);
        if (atSign != std::string::npos) p.foreignServer = f[1].substr(atSign + 1);
        p.title = toCp932(f[2]);
        p.lines = std::stoi(f[3]);
        p.newThread = f.size() > 4 && f[4] == "N";
        c.posts.push_back(p);
    }
    return c;
}

class ReportGolden : public ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(ReportGolden, MatchesTheExpectedText) {
    const std::string dir = lorvanel::testing::goldenCaseDir("report", GetParam());
    std::string bytes;
    ASSERT_TRUE(lorvanel::testing::readGoldenFile(dir, "posts.tsv", bytes)) << dir;
    ASSERT_TRUE(lorvanel::testing::readGoldenFile(dir, "expected.txt", bytes)) << dir;
    GoldenCase c = readCase(dir + "/posts.tsv");
    PostLog log;
    lorvanel::testing::fillPostLog(log, c.posts, c.facts);
    ASSERT_EQ(log.posts.size(), c.posts.size());
    PostStatistics stats;
    ASSERT_TRUE(computeStatistics(stats, log.posts, c.options, FixedClock(c.now)));
    std::string report;
    ASSERT_TRUE(
        writeReport(report, stats, log.posts, log.formatNames, log.bytesRead, log.fileSize));

    const std::string expected = readFile(dir + "/expected.txt");
    const std::string actual = cp932ToUtf8(report);
    const std::vector<std::string> want = split(expected, '\n');
    const std::vector<std::string> got = split(actual, '\n');
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i)
        EXPECT_EQ(i < got.size() ? got[i] : "<missing>", i < want.size() ? want[i] : "<extra>")
            << "line " << i + 1;
    EXPECT_EQ(actual, expected);
}

LORVANEL_GOLDEN_CASES(ReportGolden, "report")
