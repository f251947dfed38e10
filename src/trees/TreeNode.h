#pragma once
// One item of the filter tree as the core sees it: its label, its item data, whether it is
// selected or expanded, and its children (owned, so their addresses stay put).
#include "trees/FilterTreeItem.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lorvanel {

struct TreeNode {
    std::string label; // CP932
    // None for the "履歴" root only.
    std::optional<FilterTreeItem> item;
    // Shows an expansion button although its children are made only on first expansion.
    bool hasChildrenMark = false;
    bool expanded = false;
    bool selected = false;
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

} // namespace lorvanel
