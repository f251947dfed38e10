#pragma once
// One item of the filter tree as the core sees it: its label, its item data, whether it is
// expanded, and its children (owned, so their addresses stay put). Which items are selected
// is the view's business; the core is handed them.
#include "trees/FilterTreeItem.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace lorvanel {

struct TreeNode {
    std::string label; // CP932
    // None for the "履歴" root only.
    std::optional<FilterTreeItem> item;
    // Shows an expansion button although its children are made only on first expansion.
    bool hasChildrenMark = false;
    bool expanded = false;
    TreeNode* parent = nullptr;
    std::vector<std::unique_ptr<TreeNode>> children;

    TreeNode& append(std::string label, std::optional<FilterTreeItem> item) {
        auto node = std::make_unique<TreeNode>();
        node->label = std::move(label);
        node->item = std::move(item);
        node->parent = this;
        children.push_back(std::move(node));
        return *children.back();
    }
    FilterKind kind() const { return item ? item->kind : FilterKind::Leaf; }
};

using TreeNodes = std::vector<std::unique_ptr<TreeNode>>;
// The selected items of a tree.
using TreeNodeSet = std::unordered_set<const TreeNode*>;

} // namespace lorvanel
