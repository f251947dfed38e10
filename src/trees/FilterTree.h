#pragma once
// The filter tree's items without any widget: the "履歴" branch, the category roots and the
// "カスタム" branch with the user's filters, their lazy expansion, the commands on custom
// filters, and the one filter text that the selected items stand for. The desktop tree
// mirrors it item for item; the command-line program prints it.
#include "platform/Time32.h"
#include "stats/PostStatistics.h"
#include "trees/CustomFilter.h"
#include "trees/TreeNode.h"

#include <functional>
#include <string>
#include <string_view>

namespace lorvanel {

class FilterTree {
public:
    FilterTree();

    CustomFilterList& customFilters() { return filters_; }
    const CustomFilterList& customFilters() const { return filters_; }

    const TreeNodes& topLevel() const { return top_; }

    // Deletes every item. When the log holds posts, builds the "履歴" branch from the
    // selection's statistics (expanded) and the roots "時間帯", "曜日" and "板"; then the
    // "カスタム" branch, expanded. now is the clock's time.
    void rebuild(const PostStatistics& selection, bool logHasPosts, Time32 now);
    // The item selected after a rebuild: the "履歴" root, or null without posts.
    const TreeNode* rebuiltSelection() const;

    // First expansion of an item: a year, month or category root gets its children from the
    // whole log's statistics. The item is marked expanded either way; returns whether
    // children were added.
    bool expand(TreeNode& node, const PostStatistics& whole);
    // Expands every expandable item once, depth first, in tree order.
    void expandAll(const PostStatistics& whole);

    TreeNode* customRoot();

    // Appends the filter to the list and its item to the end of the "カスタム" branch.
    TreeNode& addCustomFilter(CustomFilter filter);
    // Stores a new name and text into the filter that a kind-8 item shows, and relabels it.
    void editCustomFilter(TreeNode& node, CustomFilter filter);
    // Removes the filter that a kind-8 item shows and deletes the item.
    void deleteCustomFilter(TreeNode& node);
    // Restores the default filters and rebuilds the "カスタム" branch at the end of the tree.
    void restoreDefaultFilters();
    // The same in steps, for a view that announces the branch's removal and insertion: the
    // branch goes first (its items point at the records), then the list is restored, then
    // the new branch is appended.
    void removeCustomBranch();
    void restoreDefaultList() { filters_.restoreDefaults(); }
    void appendCustomBranch();

    // The filter text of the selected items: each top-level branch joins its selected items
    // with "|" ("&" for "カスタム"), a selected item standing for its whole subtree, and the
    // branches' groups are joined with "&". Empty when nothing but top-level items (or
    // nothing) is selected.
    std::string combinedText(const TreeNodeSet& selected) const;
    // Calls f for every item in tree order (depth first, parents before children).
    void forEach(const std::function<void(TreeNode&)>& f);

    // The first item in tree order whose labels from the top level, joined by "/", are path;
    // items on the way are expanded as needed. Null when there is none.
    TreeNode* findPath(std::string_view path, const PostStatistics& whole);

private:
    std::unique_ptr<TreeNode> makeCustomBranch();

    CustomFilterList filters_;
    TreeNodes top_;
};

} // namespace lorvanel
