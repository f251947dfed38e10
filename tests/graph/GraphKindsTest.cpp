// The three graph kinds over small logs: series helpers, which boards are charted, which
// averages appear, the axes, blank selections and the settings they keep.
#include "RecordingSurface.h"

#include "graph/ChartPainter.h"
#include "graph/ChartTrace.h"
#include "graph/CumulativeGraph.h"
#include "graph/GraphKinds.h"
#include "graph/GraphSeries.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "report/ComputeStatistics.h"
#include "support/MemoryLog.h"

#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <random>
#include <set>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::TestPost;

namespace {

std::vector<float> iota(int n) {
    std::vector<float> v(n);
    std::iota(v.begin(), v.end(), 0.0f);
    return v;
}

// Posts on consecutive days from 2010-01-01, `perDay` a day, with the board's dir.
std::vector<TestPost> daily(int days, int perDay = 1, const std::string& dir = "news") {
    std::vector<TestPost> posts;
    for (int d = 0; d < days; ++d) {
        for (int i = 0; i < perDay; ++i) {
            TestPost p;
            p.time = at(2010, 1, 1 + d, 12, i);
            p.dir = dir;
            posts.push_back(p);
        }
    }
    return posts;
}

// Posts per board: counts[j] posts in board "brdNN", interleaved over one day each minute.
std::vector<TestPost> boards(const std::vector<int>& counts) {
    std::vector<TestPost> posts;
    int minute = 0;
    for (std::size_t j = 0; j < counts.size(); ++j) {
        for (int i = 0; i < counts[j]; ++i) {
            TestPost p;
            p.time = at(2010, 1, 1, 0, 0) + 60 * minute++;
            char dir[32];
            std::snprintf(dir, sizeof dir, "brd%02zu", j + 1);
            p.dir = dir;
            posts.push_back(p);
        }
    }
    return posts;
}

// Draws a kind over a log and keeps the trace.
struct KindRun {
    PostLog log;
    lorvanel::testing::RecordingSurface surface;
    ChartPainter painter;
    ChartTrace trace;
    std::unique_ptr<GraphKind> kind;

    KindRun(int index, const std::vector<TestPost>& posts, IniFile* settings = nullptr) {
        lorvanel::testing::fillPostLog(log, posts);
        kind = createGraphKind(index, painter, settings);
        kind->attach(&log.posts);
    }
    const ChartTrace& draw() {
        trace = ChartTrace{};
        painter.setTrace(&trace);
        painter.begin(surface, {0, 0, 640, 480});
        kind->draw();
        return trace;
    }
    std::vector<std::string> seriesNames() {
        std::vector<std::string> names;
        for (const auto& s : draw().series) names.push_back(s.name);
        return names;
    }
};

} // namespace

TEST(GraphSeries, MovingAveragesShiftTheirWindowsAtTheEdges) {
    const std::vector<float> days = iota(100);
    const std::vector<float> week = movingAverage(days, 7);
    ASSERT_EQ(week.size(), 100u);
    EXPECT_FLOAT_EQ(week[0], 3);   // days 0..6
    EXPECT_FLOAT_EQ(week[3], 3);   // days 0..6
    EXPECT_FLOAT_EQ(week[4], 4);   // days 1..7
    EXPECT_FLOAT_EQ(week[49], 49); // days 46..52
    EXPECT_FLOAT_EQ(week[99], 96); // days 93..99
    const std::vector<float> month = movingAverage(days, 30);
    EXPECT_FLOAT_EQ(month[0], 14.5);  // days 0..29
    EXPECT_FLOAT_EQ(month[15], 14.5); // days 0..29
    EXPECT_FLOAT_EQ(month[16], 15.5); // days 1..30
    EXPECT_FLOAT_EQ(month[99], 84.5); // days 70..99
    EXPECT_EQ(movingAverage(days, 1), days);
    EXPECT_EQ(movingAverage(iota(5), 7), std::vector<float>(5, 2.0f));
}

TEST(GraphSeries, ResamplingKeepsTheFirstAndTheLastValue) {
    // Point k takes value floor(k * (D - 1) / (N - 1)).
    const std::vector<float> v = resampled(iota(400), 200);
    ASSERT_EQ(v.size(), 200u);
    for (int k = 0; k < 200; ++k) EXPECT_EQ(v[k], static_cast<float>(k * 399 / 199)) << k;
    EXPECT_EQ(v.front(), 0.0f);
    EXPECT_EQ(v.back(), 399.0f);
    EXPECT_EQ(resampled(iota(200), 200), iota(200));
    const std::vector<float> w = resampled(iota(201), 200);
    ASSERT_EQ(w.size(), 200u);
    EXPECT_EQ(w.back(), 200.0f);
    EXPECT_EQ(w[100], 100.0f); // 100 * 200 / 199
    EXPECT_EQ(resampled(iota(5000), 1), std::vector<float>{0.0f});
    // A running total of a long range ends at the total.
    std::vector<float> ones(3653, 1.0f);
    makeRunningTotal(ones);
    EXPECT_EQ(resampled(ones, 200).back(), 3653.0f);
    std::vector<float> running = {1, 0, 2, 3};
    makeRunningTotal(running);
    EXPECT_EQ(running, (std::vector<float>{1, 1, 3, 6}));
}

TEST(GraphSeries, BoardsAfterTheFifthNeedFivePercent) {
    auto ranking = [](std::vector<std::size_t> counts) {
        std::vector<BoardCount> r;
        for (std::size_t c : counts) r.push_back({"b", c});
        return r;
    };
    // Twelve boards, the 6th to the 12th holding 6 % each: ten are charted.
    EXPECT_EQ(chartedBoardCount(ranking({12, 10, 8, 7, 7, 6, 6, 6, 6, 6, 6, 6}), 100), 10u);
    // The 6th at 4 %: five.
    EXPECT_EQ(chartedBoardCount(ranking({20, 16, 12, 10, 8, 4, 4, 4, 4, 4, 4, 4}), 100), 5u);
    // Against the top board (show total off): 1 of 20 is 5 %.
    EXPECT_EQ(chartedBoardCount(ranking({20, 9, 8, 7, 6, 1, 0}), 20), 6u);
    EXPECT_EQ(chartedBoardCount(ranking({3, 2}), 5), 2u);
    EXPECT_EQ(chartedBoardCount(ranking({}), 5), 0u);
}

TEST(CumulativeGraph, ChartsTenBoardsOrFiveAndTheWholeSelection) {
    KindRun ten(0, boards({12, 10, 8, 7, 7, 6, 6, 6, 6, 6, 6, 20}));
    std::vector<std::string> names = ten.seriesNames();
    ASSERT_EQ(names.size(), 11u);
    EXPECT_EQ(names[0], "全体");
    EXPECT_EQ(names[1], "brd12"); // the busiest board first
    EXPECT_EQ(names[2], "brd01");
    EXPECT_EQ(names[7], "brd06"); // six boards of 6 % tie: in name order, four of them fit
    EXPECT_EQ(names[10], "brd09");
    const ChartTrace& t = ten.trace;
    EXPECT_EQ(t.series[0].colour, kBlack);
    EXPECT_EQ(t.series[1].colour, (Rgb{0, 0, 255}));
    EXPECT_EQ(t.series[10].colour, (Rgb{0, 128, 0}));
    EXPECT_EQ(t.title, "日別書き込み回数の累積推移");
    EXPECT_EQ(t.y.maximum, 100); // 100 posts
    EXPECT_TRUE(t.fill);
    EXPECT_TRUE(t.grid);
    EXPECT_EQ(t.gridColour, (Rgb{208, 208, 208}));
    // All posts lie on one day: every series is one running total.
    EXPECT_EQ(t.series[0].values, std::vector<float>{100});
    EXPECT_EQ(t.series[1].values, std::vector<float>{20});

    KindRun five(0, boards({20, 16, 12, 10, 8, 4, 4, 4, 4, 4, 4, 4}));
    EXPECT_EQ(five.seriesNames().size(), 6u);
}

TEST(CumulativeGraph, RunningTotalsSpreadOverTheRangeAndResampled) {
    // 300 days: board "a" posts on every day, board "b" from day 100 to day 149 only.
    std::vector<TestPost> posts = daily(300, 1, "aaa");
    for (int d = 100; d < 150; ++d) {
        TestPost p;
        p.time = at(2010, 1, 1 + d, 13);
        p.dir = "bbb";
        posts.push_back(p);
    }
    std::sort(posts.begin(), posts.end(),
              [](const TestPost& a, const TestPost& b) { return a.time < b.time; });
    KindRun run(0, posts);
    const ChartTrace& t = run.draw();
    ASSERT_EQ(t.series.size(), 3u);
    for (const auto& s : t.series) EXPECT_EQ(s.values.size(), 200u);
    // Point k is day floor(k * 299 / 199): the running total after that day, the last point
    // the last day's, so the line ends at the selection's total.
    EXPECT_EQ(t.series[0].values[0], 1);
    EXPECT_EQ(t.series[0].values[199], 300 + 50); // day 299
    const auto& b = t.series[2].values;
    EXPECT_EQ(b[66], 0); // day 99
    EXPECT_EQ(b[67], 1); // day 100
    EXPECT_EQ(b[199], 50);
}

TEST(CumulativeGraph, ShowTotalOffScalesToTheTopBoardAndIsKeptInTheSettings) {
    IniFile ini;
    ini.parse("[Graph_Ruiseki]\r\nShowTotal=0\r\n");
    {
        KindRun run(0, boards({20, 9, 8, 7, 6, 1}), &ini);
        const ChartTrace& t = run.draw();
        EXPECT_EQ(t.y.maximum, 20);
        ASSERT_EQ(t.series.size(), 6u); // the 6th board holds 5 % of the top board's 20
        EXPECT_EQ(t.series[0].name, "brd01");
        EXPECT_EQ(t.series[0].index, 0);
        // The option turns the whole selection back on.
        const auto options = run.kind->options();
        ASSERT_EQ(options.size(), 1u);
        EXPECT_EQ(options[0].caption, "全体を表示");
        EXPECT_FALSE(options[0].checked);
        run.kind->command(options[0].command);
        EXPECT_TRUE(run.kind->options()[0].checked);
        EXPECT_EQ(run.draw().series.size(), 6u); // 1 of 51 is under 5 %: five boards
        EXPECT_EQ(run.trace.series[0].name, "全体");
    }
    EXPECT_EQ(ini.getInt("Graph_Ruiseki", "ShowTotal", -1), 1);
}

TEST(CumulativeGraph, OneBoardDrawsNoWholeSelectionLineAndOnePostNothing) {
    KindRun one(0, boards({5}));
    const auto names = one.seriesNames();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], "brd01");
    EXPECT_EQ(one.trace.series[0].index, 0);

    for (int kind = 0; kind < 2; ++kind) {
        KindRun single(kind, boards({1}));
        EXPECT_EQ(single.draw().text(), "blank\n");
        EXPECT_TRUE(single.surface.calls.empty());
        EXPECT_FALSE(single.kind->readout(300, 200));
    }
    KindRun detached(0, boards({3}));
    detached.kind->attach(nullptr);
    EXPECT_EQ(detached.draw().text(), "blank\n");
}

// Many boards with equal counts, two listed directories of one name and boards outside the
// family: the board lines are the statistics' first rows of the board table, and each line
// is the running total of its board's posts per day as counted from the posts' texts.
TEST(CumulativeGraph, BoardLinesAreTheStatisticsRowsAndTheirPostsPerDay) {
    struct Board {
        std::string dir;
        std::string server; // "" for the family
        int posts;
    };
    // 四国 twice with 40 posts each; ties of 30 and 20 around the fifth and the tenth line.
    const std::vector<Board> kinds = {{"shikoku", "", 40},      {"sikoku", "", 40}, {"zz1", "", 30},
                                      {"zz2", "", 30},          {"zz3", "", 30},    {"zz4", "", 30},
                                      {"zz1", "y.example", 30}, {"zz5", "", 20},    {"zz6", "", 20},
                                      {"zz7", "", 20},          {"zz8", "", 20},    {"", "", 5},
                                      {"", "y.example", 5}};
    std::vector<TestPost> posts;
    std::mt19937 rng(11);
    for (const Board& b : kinds)
        for (int i = 0; i < b.posts; ++i) {
            TestPost p;
            p.dir = b.dir;
            p.foreignServer = b.server;
            posts.push_back(p);
        }
    std::shuffle(posts.begin(), posts.end(), rng);
    // Over 400 days, so that the lines are resampled.
    std::uniform_int_distribution<int> minute(0, 400 * 1440 - 1);
    std::set<Time32> taken;
    for (TestPost& p : posts) {
        do p.time = at(2010, 1, 1, 0, 0) + 60 * minute(rng);
        while (!taken.insert(p.time).second);
    }
    KindRun run(0, posts);
    const ChartTrace& t = run.draw();

    PostStatistics s;
    ASSERT_TRUE(computeStatistics(s, run.log.posts, AnalyzeOptions{}, FixedClock(at(2012, 1, 1))));
    ASSERT_GE(t.series.size(), 6u);
    EXPECT_EQ(t.series[0].name, "全体");
    // The posts per day of each board, counted by its directory or its name outside.
    const DayRange range = DayRange::of(*run.log.posts.front(), *run.log.posts.back());
    std::map<std::string, std::vector<float>> daysOf;
    std::map<std::string, std::string> nameOf;
    for (const PostRecord* p : run.log.posts) {
        const std::string key =
            p->knownBbs() ? "family " + std::string(p->dir) : "outside " + p->boardName();
        std::vector<float>& days = daysOf[key];
        days.resize(static_cast<std::size_t>(range.days));
        days[static_cast<std::size_t>(range.indexOf(*p))] += 1;
        nameOf[key] = p->boardName();
    }
    for (std::size_t j = 1; j < t.series.size(); ++j) {
        SCOPED_TRACE(j);
        const ChartTrace::Series& line = t.series[j];
        EXPECT_EQ(line.name, s.boards[j - 1].text);
        ASSERT_FALSE(line.values.empty());
        EXPECT_EQ(line.values.back(), static_cast<float>(s.boards[j - 1].count));
        // Some board not charted yet has exactly this line: two boards of one name and count
        // are drawn in either order, each with its own days.
        bool found = false;
        for (auto it = daysOf.begin(); it != daysOf.end() && !found; ++it) {
            std::vector<float> total = it->second;
            makeRunningTotal(total);
            if (nameOf[it->first] != line.name || resampled(total, 200) != line.values) continue;
            daysOf.erase(it);
            found = true;
        }
        EXPECT_TRUE(found) << line.name;
    }
    // Both boards named 四国 are charted, and their lines differ.
    EXPECT_EQ(t.series[1].name, t.series[2].name);
    EXPECT_NE(t.series[1].values, t.series[2].values);
}

TEST(FluctuationGraph, AveragesAppearWithLongerSelections) {
    EXPECT_EQ(KindRun(1, daily(13)).seriesNames(),
              (std::vector<std::string>{"1day", "total average"}));
    EXPECT_EQ(KindRun(1, daily(14)).seriesNames(),
              (std::vector<std::string>{"1day", "7days average", "total average"}));
    EXPECT_EQ(KindRun(1, daily(59)).seriesNames().size(), 3u);
    KindRun sixty(1, daily(60));
    EXPECT_EQ(sixty.seriesNames(), (std::vector<std::string>{"1day", "7days average",
                                                             "30days average", "total average"}));
    const ChartTrace& t = sixty.trace;
    EXPECT_EQ(t.series[0].values.size(), 60u);
    EXPECT_EQ(t.series[0].colour, (Rgb{96, 96, 96}));
    EXPECT_EQ(t.series[1].colour, (Rgb{0, 0, 255}));
    EXPECT_EQ(t.series[2].colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(t.series[3].colour, (Rgb{0, 255, 0}));
    EXPECT_EQ(t.series[3].values, (std::vector<float>{1, 1}));
    EXPECT_EQ(t.series[3].index, 3);
    EXPECT_EQ(t.title, "日別書き込み回数の変動推移");
}

TEST(FluctuationGraph, AxisTopFollowsTheBusiestDayOrTheWeeklyAverage) {
    // 30 days, one of them with 7 posts: the largest day is the maximum.
    std::vector<TestPost> posts = daily(30);
    for (int i = 1; i < 7; ++i) {
        TestPost p;
        p.time = at(2010, 1, 10, 12, i);
        posts.push_back(p);
    }
    std::sort(posts.begin(), posts.end(),
              [](const TestPost& a, const TestPost& b) { return a.time < b.time; });
    KindRun month(1, posts);
    EXPECT_EQ(month.draw().y.maximum, 7);
    EXPECT_EQ(month.trace.series[0].values[9], 7);
    EXPECT_EQ(month.trace.series[0].values[10], 1);
    // 181 days, 2 a day: 1.7 x 2.0 is under 5, so the axis ends at 5.
    KindRun longer(1, daily(181, 2));
    EXPECT_EQ(longer.draw().y.maximum, 5);
    EXPECT_EQ(longer.trace.series[1].values.size(), 181u);
    // 400 days with 10 a day: 1.7 x 10 = 17, in steps of 2 up to 18.
    KindRun busy(1, daily(400, 10));
    EXPECT_EQ(busy.draw().y.maximum, 18);
    EXPECT_EQ(busy.trace.series[0].values.size(), 400u); // 1day keeps one point per day
    EXPECT_EQ(busy.trace.series[1].values.size(), 200u);
}

TEST(TimeDistributionGraph, PointsForEveryPostOnHourLabels) {
    std::vector<TestPost> posts;
    for (int d = 0; d < 10; ++d) {
        TestPost p;
        p.time = at(2010, 1, 1 + d, 23, 55);
        posts.push_back(p);
        p.time = at(2010, 1, 2 + d, 0, 5);
        posts.push_back(p);
    }
    KindRun run(2, posts);
    const ChartTrace& t = run.draw();
    EXPECT_EQ(t.title, "書き込み時間の分布");
    ASSERT_EQ(t.y.labels.size(), 25u);
    EXPECT_EQ(t.y.labels[0], "0時");
    EXPECT_EQ(t.y.labels[24], "24時");
    EXPECT_EQ(t.densityPoints, 20u);
    EXPECT_FALSE(t.fill);
    EXPECT_FALSE(t.grid);
    EXPECT_EQ(t.gridColour, kBlack);
    // The blob of each night wraps: the bottom and top rows are both hot.
    ASSERT_EQ(t.densityIndices.size(), 240u * 180u);
    EXPECT_GT(t.densityIndices[0 * 240 + 0], 0);
    EXPECT_GT(t.densityIndices[179 * 240 + 0], 0);
    EXPECT_EQ(t.densityIndices[90 * 240 + 0], 0);
    // The density image is drawn before the frame.
    ASSERT_FALSE(run.surface.calls.empty());
    EXPECT_EQ(run.surface.calls.front().op, lorvanel::testing::SurfaceCall::Op::Image);
    // Readout over the hour axis.
    const auto r = run.kind->readout(50, 430 - 390 / 2);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->y, "12時");
    EXPECT_EQ(r->x, "10/01/01");
}

TEST(TimeDistributionGraph, ASelectionWithinOneMinuteHasAFrameButNoPoints) {
    KindRun run(2, boards({1}));
    EXPECT_EQ(run.draw().densityPoints, 0u);
    EXPECT_TRUE(run.trace.frameDrawn);
    EXPECT_TRUE(run.trace.ticks.empty());
    EXPECT_NE(run.trace.text().find("density\t0\t0\n"), std::string::npos);
    KindRun none(2, {});
    EXPECT_EQ(none.draw().text(), "blank\n");
}

TEST(GraphKinds, TheTableListsTheKindsInTheChoosersOrder) {
    ASSERT_EQ(graphKindCount(), 5);
    ChartPainter painter;
    for (int i = 0; i < graphKindCount(); ++i) {
        auto kind = createGraphKind(i, painter, nullptr);
        ASSERT_TRUE(kind);
        EXPECT_EQ(kind->title(), graphKindTitle(i));
        EXPECT_EQ(kind->hasOptions(), i == 0);
    }
    EXPECT_FALSE(createGraphKind(5, painter, nullptr));
    EXPECT_EQ(graphKindTitle(-1), "");
}
