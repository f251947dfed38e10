// The filter tree's model: the "履歴" branch, lazy expansion from the whole log's statistics,
// the combined text of a selection and the commands on custom filters.
#include "trees/FilterTree.h"
#include "filter/CompileFilter.h"
#include "filter/FilterSelection.h"
#include "report/ComputeStatistics.h"
#include "support/MemoryLog.h"
#include "support/RecordingAlertSink.h"
#include "trees/GeneratedNodes.h"
#include "trees/TreeListing.h"

#include <gtest/gtest.h>

namespace lorvanel {
namespace {

using testing::at;
using testing::TestPost;

class FilterTreeTest : public ::testing::Test {
protected:
    // Loads posts and computes their statistics relative to now; the tree is rebuilt.
    void load(const std::vector<TestPost>& posts, Time32 now) {
        testing::fillPostLog(log, posts);
        ASSERT_EQ(log.posts.size(), posts.size());
        FixedClock clock(now);
        AnalyzeOptions options;
        ASSERT_TRUE(computeStatistics(stats, log.posts, options, clock));
        tree.rebuild(stats, true, now);
    }
    // Posts in 2006 and 2008 but none in 2007.
    void loadTwoYears(Time32 now) {
        load(testing::postsAt({at(2006, 11, 20, 10), at(2006, 12, 5, 13, 30),
                               at(2008, 1, 15, 13, 10), at(2008, 1, 15, 20), at(2008, 1, 20, 9),
                               at(2008, 2, 1, 13, 45)}),
             now);
    }
    TreeNode& node(std::string_view path) {
        TreeNode* n = tree.findPath(path, stats);
        EXPECT_NE(n, nullptr) << path;
        static TreeNode none;
        return n ? *n : none;
    }
    // The listing up to the "カスタム" root, which every test would repeat.
    std::string generatedListing() const {
        const std::string all = treeListing(tree);
        return all.substr(0, all.find("カスタム\t"));
    }
    std::string select(const std::vector<std::string_view>& paths) {
        selected.clear();
        for (std::string_view p : paths) selected.insert(&node(p));
        return tree.combinedText(selected);
    }
    std::size_t countSelected(std::string_view text) {
        PostList out;
        return selectPostsWithFilter(out, log.posts, text).value_or(999999);
    }

    PostLog log;
    PostStatistics stats;
    FilterTree tree;
    TreeNodeSet selected;
};

TEST_F(FilterTreeTest, HistoryListsRecentNodesThenYearsNewestFirst) {
    // Monday 21 January 2008: the week runs from Sunday the 20th.
    load(testing::postsAt({at(2007, 12, 31, 23, 30), at(2008, 1, 13, 10), at(2008, 1, 15, 10),
                           at(2008, 1, 15, 11), at(2008, 1, 20, 9), at(2008, 1, 21, 7)}),
         at(2008, 1, 21, 8));
    EXPECT_EQ(generatedListing(), "履歴\t\t-\n"
                                  "  今日(1)\tdate20080121\t0\n"
                                  "  昨日(1)\tdate20080120\t0\n"
                                  "  今週(2)\tdate20080120-20080126\t0\n"
                                  "  先週(3)\tdate20080113-20080119\t0\n"
                                  "  2008年(5)\tdate2008\t1\n"
                                  "  2007年(1)\tdate2007\t1\n"
                                  "時間帯\t\t3\n"
                                  "曜日\t\t4\n"
                                  "板\t\t5\n");
    EXPECT_EQ(tree.rebuiltSelection(), tree.topLevel().front().get());
    EXPECT_TRUE(tree.topLevel().front()->expanded);
}

TEST_F(FilterTreeTest, OnASundayThisWeekStartsThatDay) {
    // Sunday 3 February 2008: today and this week are empty, last week holds the 1st.
    loadTwoYears(at(2008, 2, 3, 0, 0, 1));
    EXPECT_EQ(generatedListing(), "履歴\t\t-\n"
                                  "  先週(1)\tdate20080127-20080202\t0\n"
                                  "  2008年(4)\tdate2008\t1\n"
                                  "  2007年(0)\tdate2007\t1\n"
                                  "  2006年(2)\tdate2006\t1\n"
                                  "時間帯\t\t3\n"
                                  "曜日\t\t4\n"
                                  "板\t\t5\n");
    EXPECT_EQ(weekFilterText(at(2008, 2, 3, 0, 0, 0)), "date20080203-20080209");
    EXPECT_EQ(weekFilterText(at(2008, 2, 2, 23, 59, 59)), "date20080127-20080202");
    // Across a year's end.
    EXPECT_EQ(weekFilterText(at(2008, 1, 1)), "date20071230-20080105");
}

TEST_F(FilterTreeTest, OldPostsShowOnlyYears) {
    loadTwoYears(at(2009, 6, 1));
    ASSERT_EQ(tree.topLevel().front()->children.size(), 3u);
    EXPECT_EQ(tree.topLevel().front()->children.front()->label, "2008年(4)");
}

TEST_F(FilterTreeTest, AnEmptyLogShowsOnlyTheCustomBranch) {
    tree.rebuild(PostStatistics(), false, at(2008, 1, 1));
    ASSERT_EQ(tree.topLevel().size(), 1u);
    EXPECT_EQ(tree.topLevel().front()->label, "カスタム");
    EXPECT_EQ(tree.topLevel().front()->children.size(), 12u);
    EXPECT_EQ(tree.rebuiltSelection(), nullptr);
    EXPECT_EQ(tree.combinedText({}), "");
}

TEST_F(FilterTreeTest, YearsAndMonthsExpandWithinTheLogsPeriod) {
    loadTwoYears(at(2009, 6, 1));
    tree.expandAll(stats);
    EXPECT_EQ(generatedListing().substr(0, generatedListing().find("時間帯\t")),
              "履歴\t\t-\n"
              "  2008年(4)\tdate2008\t1\n"
              "    2月(1)\tdate200802\t2\n"
              "      1日(1)\tdate20080201\t0\n"
              "    1月(3)\tdate200801\t2\n"
              "      20日(1)\tdate20080120\t0\n"
              "      15日(2)\tdate20080115\t0\n"
              "  2007年(0)\tdate2007\t1\n"
              "    12月(0)\tdate200712\t2\n"
              "    11月(0)\tdate200711\t2\n"
              "    10月(0)\tdate200710\t2\n"
              "    9月(0)\tdate200709\t2\n"
              "    8月(0)\tdate200708\t2\n"
              "    7月(0)\tdate200707\t2\n"
              "    6月(0)\tdate200706\t2\n"
              "    5月(0)\tdate200705\t2\n"
              "    4月(0)\tdate200704\t2\n"
              "    3月(0)\tdate200703\t2\n"
              "    2月(0)\tdate200702\t2\n"
              "    1月(0)\tdate200701\t2\n"
              "  2006年(2)\tdate2006\t1\n"
              "    12月(1)\tdate200612\t2\n"
              "      5日(1)\tdate20061205\t0\n"
              "    11月(1)\tdate200611\t2\n"
              "      20日(1)\tdate20061120\t0\n");
}

TEST_F(FilterTreeTest, ExpansionIgnoresTextsThatNameNoPeriod) {
    loadTwoYears(at(2009, 6, 1));
    TreeNode n;
    n.item = FilterTreeItem{"date2010", FilterKind::Year, nullptr};
    EXPECT_FALSE(tree.expand(n, stats));
    n.item = FilterTreeItem{"date200", FilterKind::Month, nullptr};
    EXPECT_FALSE(tree.expand(n, stats));
    n.item = FilterTreeItem{"date200813", FilterKind::Month, nullptr};
    EXPECT_FALSE(tree.expand(n, stats));
    n.item = FilterTreeItem{"date999999999999", FilterKind::Year, nullptr};
    EXPECT_FALSE(tree.expand(n, stats));
    EXPECT_TRUE(n.children.empty());
    // Expanding twice adds nothing the second time.
    TreeNode& hours = node("時間帯");
    EXPECT_TRUE(tree.expand(hours, stats));
    EXPECT_FALSE(tree.expand(hours, stats));
    EXPECT_EQ(hours.children.size(), 24u);
    EXPECT_EQ(hours.children[13]->label, "13時(3)");
    EXPECT_EQ(hours.children[13]->item->text, "hour13");
}

TEST_F(FilterTreeTest, CombinedTextFollowsTreeOrderAndBranches) {
    loadTwoYears(at(2009, 6, 1));
    EXPECT_EQ(select({"履歴/2007年(0)", "履歴/2008年(4)"}), "date2008|date2007");
    EXPECT_EQ(select({"時間帯/13時(3)", "履歴/2008年(4)/1月(3)/15日(2)"}),
              "(date20080115)&(hour13)");
    EXPECT_EQ(countSelected(tree.combinedText(selected)), 1u);
    EXPECT_EQ(select({"曜日/日(1)", "時間帯/13時(3)"}), "(hour13)&(week1)");
    // A selected item stands for its subtree; unselected items pass on their children's.
    EXPECT_EQ(select({"履歴/2008年(4)", "履歴/2008年(4)/1月(3)"}), "date2008");
    EXPECT_EQ(select({"履歴/2008年(4)/1月(3)/15日(2)", "履歴/2008年(4)/1月(3)/20日(1)",
                      "履歴/2006年(2)"}),
              "date20080120|date20080115|date2006");
    // トリップ stands above sage in the list, whatever order they were picked in.
    EXPECT_EQ(select({"カスタム/sage", "カスタム/トリップ"}), "(name_#)&(mail_sage)");
    EXPECT_EQ(select({"カスタム/sage"}), "(mail_sage)");
    EXPECT_EQ(select({"カスタム/sage", "履歴/2008年(4)", "時間帯/13時(3)"}),
              "(date2008)&(hour13)&((mail_sage))");
    // Top-level items contribute nothing.
    EXPECT_EQ(select({"時間帯"}), "");
    EXPECT_EQ(select({"履歴", "カスタム"}), "");
}

TEST_F(FilterTreeTest, EveryGeneratedNodeSelectsAsManyPostsAsItsLabelSays) {
    std::vector<TestPost> posts = testing::postsAt(
        {at(2007, 12, 30, 23, 59, 59), at(2007, 12, 31, 0, 0, 0), at(2008, 1, 5, 0, 30),
         at(2008, 1, 6, 13), at(2008, 1, 6, 13, 20), at(2008, 1, 7, 5), at(2008, 1, 8, 22),
         at(2008, 1, 9, 23, 59, 59), at(2008, 1, 10, 0, 0, 0)});
    posts[1].dir = "newsplus";
    posts[2].dir = "qwerty";
    posts[3].dir = "livejupiter";
    posts[4].foreignServer = "jbbs.example.net";
    posts[4].dir = "game";
    load(posts, at(2008, 1, 10, 12));
    tree.expandAll(stats);
    int checked = 0;
    tree.forEach([&](TreeNode& n) {
        if (!n.item || n.item->kind > FilterKind::Month) return;
        const std::size_t open = n.label.rfind('(');
        ASSERT_NE(open, std::string::npos) << n.label;
        const std::size_t expected = std::stoul(n.label.substr(open + 1));
        EXPECT_EQ(countSelected(n.item->text), expected) << n.label << " " << n.item->text;
        ++checked;
    });
    // 4 recent nodes, 2 years, 2 months, 8 days, 24 hours, 7 weekdays, 5 boards.
    EXPECT_EQ(checked, 52);
}

TEST_F(FilterTreeTest, ABoardNameEndingInABackslashTrailByteFailsToCompile) {
    std::vector<TestPost> posts = testing::postsAt({at(2008, 1, 1)});
    posts[0].dir = "表";
    load(posts, at(2008, 1, 2));
    EXPECT_EQ(select({"板/表(1)"}), "brd_\"表\"");
    std::string message;
    EXPECT_FALSE(compileFilterQuietly(tree.combinedText(selected), &message));
    EXPECT_EQ(message.substr(0, 10), "構文エラー");
}

TEST_F(FilterTreeTest, CustomFilterCommandsKeepListAndBranchInStep) {
    loadTwoYears(at(2009, 6, 1));
    TreeNode& added = tree.addCustomFilter({"mine", "msg_a,b"});
    EXPECT_EQ(tree.customRoot()->children.back().get(), &added);
    EXPECT_EQ(tree.customFilters().items().back()->text, "msg_a,b");
    EXPECT_EQ(tree.combinedText({&added}), "(msg_a,b)");

    tree.editCustomFilter(added, {"renamed", "AA"});
    EXPECT_EQ(added.label, "renamed");
    EXPECT_EQ(tree.combinedText({&added}), "(AA)");

    TreeNode& sage = node("カスタム/sage");
    tree.deleteCustomFilter(sage);
    EXPECT_EQ(tree.customFilters().size(), 12u);
    EXPECT_EQ(tree.findPath("カスタム/sage", stats), nullptr);

    tree.restoreDefaultFilters();
    EXPECT_EQ(tree.topLevel().back()->label, "カスタム");
    EXPECT_TRUE(tree.topLevel().back()->expanded);
    std::vector<std::string> labels;
    for (const auto& c : tree.topLevel().back()->children) labels.push_back(c->label);
    ASSERT_EQ(labels.size(), 13u);
    EXPECT_EQ(labels[7], "sage");
    EXPECT_EQ(labels[12], "renamed");
}

TEST_F(FilterTreeTest, PathsFindTheFirstMatchAndExpandOnTheWay) {
    loadTwoYears(at(2009, 6, 1));
    EXPECT_EQ(node("履歴/2006年(2)/11月(1)/20日(1)").item->text, "date20061120");
    EXPECT_EQ(tree.findPath("履歴/2006年(2)/11月(1)/21日(1)", stats), nullptr);
    EXPECT_EQ(tree.findPath("履歴/", stats), nullptr);
    EXPECT_EQ(tree.findPath("", stats), nullptr);
    // A label may hold the separator itself.
    tree.addCustomFilter({"a/b", "AA"});
    EXPECT_EQ(node("カスタム/a/b").label, "a/b");
}

} // namespace
} // namespace lorvanel
