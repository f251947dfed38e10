#pragma once
// The generated part of the filter tree: the "履歴" branch with today, yesterday, this week,
// last week and the years, and the children that years, months and the category roots get
// on their first expansion, each labelled with its number of posts.
#include "platform/Time32.h"
#include "stats/PostStatistics.h"
#include "trees/TreeNode.h"

#include <memory>
#include <string_view>

namespace lorvanel {

// The "履歴" root (no item data) from the selection's statistics: today, yesterday, this
// week and last week (those with posts), then every year of the statistics, newest first.
// now decides which dates those four nodes stand for (local dates, weeks Sunday to Saturday).
std::unique_ptr<TreeNode> buildHistoryBranch(const PostStatistics& selection, Time32 now);

// A category root ("時間帯", "曜日" or "板"), marked as having children.
std::unique_ptr<TreeNode> makeCategoryRoot(FilterKind kind);

// Gives a year, a month or a category root its children from the whole log's statistics.
// Nothing happens to an item that already has children or has no item data, or whose text
// names no period of the log. Returns whether children were added.
bool expandGeneratedNode(TreeNode& node, const PostStatistics& whole);

// The filter text of a local date ("date20080115") and of the Sunday-to-Saturday week that
// holds a moment ("date20080113-20080119").
std::string dateFilterText(Time32 t);
std::string weekFilterText(Time32 t);

} // namespace lorvanel
