// lorvanel-cli graph --click on the demo log: what a click on each part of each graph kind
// selects is the filter text of the filter tree's item for it (built here from the same log),
// and that text selects exactly the posts the picture counts there.
#include "doc/CDoc.h"
#include "filter/CompileFilter.h"
#include "graph/CalendarLayout.h"
#include "graph/ChartPainter.h"
#include "graph/WeekHourLayout.h"
#include "graph/WeekHourModel.h"
#include "platform/LocalTime.h"
#include "stats/CalendarText.h"
#include "support/CliRunner.h"
#include "support/TestText.h"
#include "trees/FilterTree.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>

namespace lorvanel {
namespace {

using testing::CliResult;
using testing::runCli;

const std::string kDemo = std::string(LORVANEL_SOURCE_DIR) + "/resources/samples/demo-jane.txt";

struct Click {
    int x = 0;
    int y = 0;
};

// The filter text of every click (CP932), in order; an empty text where it selects nothing.
std::vector<std::string> clickTexts(int kind, int width, int height,
                                    const std::vector<Click>& clicks) {
    std::vector<std::string> args = {"graph", "--kind", std::to_string(kind), "--size",
                                     std::to_string(width) + "x" + std::to_string(height)};
    for (const Click& c : clicks) {
        args.push_back("--click");
        args.push_back(std::to_string(c.x) + "," + std::to_string(c.y));
    }
    args.push_back(kDemo);
    const CliResult r = runCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> out;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);) out.push_back(testing::cp932(line));
    EXPECT_EQ(out.size(), clicks.size());
    out.resize(clicks.size());
    return out;
}

// The demo log in a document, and its filter tree fully expanded.
class GraphClickCli : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        doc_ = new CDoc;
        ASSERT_TRUE(doc_->load({kDemo}, false, 0));
        tree_ = new FilterTree;
        tree_->rebuild(doc_->selectionStatistics(), true, 0);
        tree_->expandAll(doc_->wholeLogStatistics());
    }
    static void TearDownTestSuite() {
        delete tree_;
        delete doc_;
    }

    static const PostList& posts() { return doc_->postLog().posts; }

    // The tree's generated items by filter text, with the count in their labels.
    static std::map<std::string, int> treeCounts() {
        std::map<std::string, int> counts;
        tree_->forEach([&](TreeNode& n) {
            if (!n.item || n.item->text.empty() || n.item->kind == FilterKind::Custom) return;
            const std::size_t open = n.label.rfind('(');
            counts[n.item->text] = std::stoi(n.label.substr(open + 1));
        });
        return counts;
    }

    // The combined text of the tree with exactly the items of these texts selected.
    static std::string treeSelection(const std::vector<std::string>& texts) {
        TreeNodeSet selected;
        tree_->forEach([&](TreeNode& n) {
            if (!n.item) return;
            for (const std::string& t : texts)
                if (n.item->text == t) selected.insert(&n);
        });
        return tree_->combinedText(selected);
    }

    // The posts of the log that a filter text selects.
    static std::vector<const PostRecord*> select(const std::string& text) {
        std::string message;
        const FilterPtr filter = compileFilterQuietly(text, &message);
        EXPECT_TRUE(filter) << text << ": " << message;
        std::vector<const PostRecord*> out;
        if (!filter) return out;
        for (const PostRecord* p : posts())
            if (filter->Matches(*p)) out.push_back(p);
        return out;
    }

    static CDoc* doc_;
    static FilterTree* tree_;
};

CDoc* GraphClickCli::doc_ = nullptr;
FilterTree* GraphClickCli::tree_ = nullptr;

TEST_F(GraphClickCli, EveryCalendarDaySelectsExactlyThatDaysPosts) {
    const int width = 1200, height = 700;
    const CalendarModel model = buildCalendar(posts());
    const CalendarLayout layout = layoutCalendar(model, 0, 0, width, height);
    ASSERT_EQ(layout.hiddenYears, 0);
    std::vector<Click> clicks;
    std::vector<int> days;
    for (const CalendarStrip& s : layout.strips) {
        for (int day = s.firstDay; day <= s.lastDay; ++day) {
            clicks.push_back(
                {layout.dayX(s, day) + layout.pitch / 2, layout.dayY(s, day) + layout.pitch / 2});
            days.push_back(day);
        }
    }
    ASSERT_EQ(static_cast<int>(days.size()), static_cast<int>(model.counts.size()));
    // A click in the gap left of the first column and one below the last strip select nothing.
    clicks.push_back({layout.cellLeft - 1, layout.strips.front().cellTop + 1});
    clicks.push_back({layout.cellLeft + 1, layout.legendTop + 30});
    const std::vector<std::string> got = clickTexts(3, width, height, clicks);

    const std::map<std::string, int> tree = treeCounts();
    int daysWithPosts = 0;
    for (std::size_t i = 0; i < days.size(); ++i) {
        SCOPED_TRACE(dayText(days[i]));
        const std::vector<const PostRecord*> selected = select(got[i]);
        ASSERT_EQ(static_cast<int>(selected.size()), model.countOn(days[i]));
        for (const PostRecord* p : selected) ASSERT_EQ(p->local().dayNumber, days[i]);
        if (selected.empty()) {
            EXPECT_EQ(tree.count(got[i]), 0u); // the tree lists only days with posts
            continue;
        }
        ++daysWithPosts;
        const auto item = tree.find(got[i]);
        ASSERT_NE(item, tree.end()) << got[i];
        EXPECT_EQ(item->second, model.countOn(days[i]));
    }
    EXPECT_GT(daysWithPosts, 300);
    EXPECT_EQ(got[days.size()], "");
    EXPECT_EQ(got[days.size() + 1], "");
}

TEST_F(GraphClickCli, MonthAndYearLabelsSelectTheTreesMonthAndYearItems) {
    const int width = 1200, height = 700;
    const CalendarModel model = buildCalendar(posts());
    const CalendarLayout layout = layoutCalendar(model, 0, 0, width, height);
    std::vector<Click> clicks;
    std::vector<std::pair<int, int>> expected; // year, month (0: the year's label)
    for (const CalendarStrip& s : layout.strips) {
        clicks.push_back({layout.left + 10, s.cellTop + 7 * layout.pitch / 2});
        expected.push_back({s.year, 0});
        for (const CalendarMonthLabel& label : layout.monthLabels(s)) {
            clicks.push_back({label.x + 3, s.labelTop + 5});
            expected.push_back({s.year, label.month});
        }
    }
    ASSERT_EQ(expected.size(), 3u + 11u + 12u + 4u); // 2016/02 .. 2018/04 and three years
    const std::vector<std::string> got = clickTexts(3, width, height, clicks);

    const std::map<std::string, int> tree = treeCounts();
    for (std::size_t i = 0; i < clicks.size(); ++i) {
        const auto [year, month] = expected[i];
        SCOPED_TRACE(std::to_string(year) + "/" + std::to_string(month));
        const auto item = tree.find(got[i]);
        ASSERT_NE(item, tree.end()) << got[i];
        const std::vector<const PostRecord*> selected = select(got[i]);
        EXPECT_EQ(static_cast<int>(selected.size()), item->second);
        EXPECT_FALSE(selected.empty());
        for (const PostRecord* p : selected) {
            const LocalTime t = toLocalTime(p->time);
            ASSERT_TRUE(t.year == year && (month == 0 || t.month == month));
        }
    }
}

TEST_F(GraphClickCli, EveryWeekdayHourCellSelectsExactlyItsCount) {
    const int width = 640, height = 480;
    const WeekHourModel model = buildWeekHour(posts());
    const WeekHourLayout l = layoutWeekHour(0, 0, width, height);
    std::vector<Click> clicks;
    for (int w = 0; w < 7; ++w)
        for (int h = 0; h < 24; ++h)
            clicks.push_back({l.cellX(h) + l.cellWidth / 2, l.cellY(w) + l.cellHeight / 2});
    for (int w = 0; w < 7; ++w) {
        clicks.push_back({l.gridRight() + 12, l.cellY(w) + l.cellHeight / 2}); // total
        clicks.push_back({l.cellLeft - 10, l.cellY(w) + 1});                   // name
    }
    for (int h = 0; h < 24; ++h) {
        clicks.push_back({l.cellX(h) + 1, l.gridBottom() + 8});          // total
        clicks.push_back({l.cellX(h) + l.cellWidth - 1, l.cellTop - 6}); // number
    }
    clicks.push_back({l.gridRight() + 12, l.gridBottom() + 8}); // the corner: nothing
    const std::vector<std::string> got = clickTexts(4, width, height, clicks);

    const std::map<std::string, int> tree = treeCounts();
    // The hour items ("13時(N)") and the weekday items, Sunday first, in tree order.
    std::vector<std::string> hourItem(24), weekdayItem;
    tree_->forEach([&](TreeNode& n) {
        if (!n.parent || !n.item) return;
        if (n.parent->label == "時間帯") hourItem.at(std::stoi(n.label)) = n.item->text;
        if (n.parent->label == "曜日") weekdayItem.push_back(n.item->text);
    });
    ASSERT_EQ(weekdayItem.size(), 7u);

    std::size_t i = 0;
    int sum = 0;
    for (int w = 0; w < 7; ++w) {
        for (int h = 0; h < 24; ++h, ++i) {
            SCOPED_TRACE(std::to_string(w) + " " + std::to_string(h));
            EXPECT_EQ(got[i], treeSelection({hourItem[h], weekdayItem[w]}));
            const std::vector<const PostRecord*> selected = select(got[i]);
            ASSERT_EQ(static_cast<int>(selected.size()), model.counts[w][h]);
            for (const PostRecord* p : selected) {
                const LocalTime t = toLocalTime(p->time);
                ASSERT_TRUE(t.weekday == w && t.hour == h);
            }
            sum += model.counts[w][h];
        }
    }
    EXPECT_EQ(sum, static_cast<int>(posts().size()));
    for (int w = 0; w < 7; ++w, i += 2) {
        EXPECT_EQ(got[i], weekdayItem[w]);
        EXPECT_EQ(got[i + 1], weekdayItem[w]);
        EXPECT_EQ(tree.at(got[i]), model.weekdayTotals[w]);
        EXPECT_EQ(static_cast<int>(select(got[i]).size()), model.weekdayTotals[w]);
    }
    for (int h = 0; h < 24; ++h, i += 2) {
        EXPECT_EQ(got[i], hourItem[h]);
        EXPECT_EQ(got[i + 1], hourItem[h]);
        EXPECT_EQ(tree.at(got[i]), model.hourTotals[h]);
        EXPECT_EQ(static_cast<int>(select(got[i]).size()), model.hourTotals[h]);
    }
    EXPECT_EQ(got[i], "");
}

// Kinds 1 and 2 along every pixel column of a plot wider than the log has days: the days run
// from the first post's to the last post's without a gap or a step back, each the tree's day
// item when it has posts.
TEST_F(GraphClickCli, DailyGraphsSelectEveryDayAlongTheDateAxis) {
    const int width = 2000, height = 400;
    const SurfaceRect plot{50, 40, width - 40, height - 50};
    const int firstDay = posts().front()->local().dayNumber;
    const int lastDay = posts().back()->local().dayNumber;
    ASSERT_LT(lastDay - firstDay, plot.width());
    std::vector<Click> clicks;
    for (int x = plot.left; x <= plot.right; ++x)
        clicks.push_back({x, (plot.top + plot.bottom) / 2});
    clicks.push_back({plot.left - 1, plot.top + 5});
    clicks.push_back({plot.left + 5, plot.bottom + 1});
    const std::map<std::string, int> tree = treeCounts();
    for (int kind : {1, 2}) {
        SCOPED_TRACE(kind);
        const std::vector<std::string> got = clickTexts(kind, width, height, clicks);
        int previousDay = firstDay;
        for (std::size_t i = 0; i + 2 < clicks.size(); ++i) {
            SCOPED_TRACE("x " + std::to_string(clicks[i].x) + ": " + got[i]);
            int y = 0, m = 0, d = 0, used = 0;
            ASSERT_EQ(std::sscanf(got[i].c_str(), "date%4d%2d%2d%n", &y, &m, &d, &used), 3);
            ASSERT_EQ(used, static_cast<int>(got[i].size()));
            const int day = daysFromCivil(y, m, d);
            ASSERT_TRUE(day == previousDay || day == previousDay + 1);
            if (i == 0) {
                EXPECT_EQ(day, firstDay);
            }
            previousDay = day;
            const std::vector<const PostRecord*> selected = select(got[i]);
            for (const PostRecord* p : selected) ASSERT_EQ(p->local().dayNumber, day);
            if (selected.empty()) continue;
            ASSERT_NE(tree.find(got[i]), tree.end());
            EXPECT_EQ(tree.at(got[i]), static_cast<int>(selected.size()));
        }
        EXPECT_EQ(previousDay, lastDay);
        EXPECT_EQ(got[clicks.size() - 2], "");
        EXPECT_EQ(got[clicks.size() - 1], "");
    }
}

TEST_F(GraphClickCli, CumulativeLegendEntriesSelectTheirBoards) {
    // The plot of a 640 x 480 picture starts at (50, 40); entry i is centred 16 (i + 1) px down.
    std::vector<Click> clicks;
    for (int i = 0; i < 11; ++i) clicks.push_back({50 + 20, 40 + 16 * i + 16});
    clicks.push_back({50 + 300, 40 + 16 + 2}); // right of the first entry's name
    const std::vector<std::string> got = clickTexts(0, 640, 480, clicks);
    EXPECT_EQ(got[0], ""); // "全体", the whole selection, is no board
    const std::map<std::string, int> tree = treeCounts();
    std::set<std::string> boards;
    int previous = static_cast<int>(posts().size());
    std::size_t charted = 1;
    for (; charted < 11 && !got[charted].empty(); ++charted) {
        SCOPED_TRACE(got[charted]);
        ASSERT_EQ(got[charted].rfind("brd_", 0), 0u);
        const auto item = tree.find(got[charted]);
        ASSERT_NE(item, tree.end());
        // The board's posts are among those the text selects (a known board's name selects
        // its directory on every server, so foreign boards of that directory come along).
        const std::string name = got[charted].substr(5, got[charted].size() - 6);
        int own = 0;
        for (const PostRecord* p : select(got[charted])) own += p->boardName() == name;
        EXPECT_EQ(own, item->second);
        EXPECT_LE(item->second, previous); // the legend ranks the boards
        previous = item->second;
        boards.insert(got[charted]);
    }
    EXPECT_GE(charted - 1, 5u);
    EXPECT_EQ(boards.size(), charted - 1);
    for (std::size_t i = charted; i < got.size(); ++i) EXPECT_EQ(got[i], "") << i;
}

TEST(GraphClickCliUsage, ClicksNeedTwoNumbersAndDoNotGoWithSeries) {
    EXPECT_EQ(runCli({"graph", "--kind", "3", "--click", "10", kDemo}).status, 2);
    EXPECT_EQ(runCli({"graph", "--kind", "3", "--click", "10,x", kDemo}).status, 2);
    EXPECT_EQ(runCli({"graph", "--kind", "3", "--click", "1,2", "--series", kDemo}).status, 2);
    // With a picture the clicks are printed after it is written.
    const CliResult empty = runCli({"graph", "--kind", "3", "--filter", "date1999", "--click",
                                    "100,100", "--click", "200,200", kDemo});
    EXPECT_EQ(empty.status, 0) << empty.err;
    EXPECT_EQ(empty.out, "\n\n"); // nothing drawn, nothing to select
}

} // namespace
} // namespace lorvanel
