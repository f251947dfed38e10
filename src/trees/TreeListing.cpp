#include "trees/TreeListing.h"

#include "trees/CustomFilter.h"
#include "trees/FilterTree.h"

namespace lorvanel {

namespace {

void list(const TreeNodes& nodes, int depth, std::string& out) {
    for (const auto& node : nodes) {
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
        out += node->label;
        out += '\t';
        out += itemFilterText(*node);
        out += '\t';
        out += node->item ? std::to_string(static_cast<int>(node->item->kind)) : "-";
        out += '\n';
        list(node->children, depth + 1, out);
    }
}

} // namespace

std::string itemFilterText(const TreeNode& node) {
    if (!node.item) return {};
    if (node.item->kind == FilterKind::Custom)
        return node.item->filter ? node.item->filter->text : std::string();
    return node.item->text;
}

std::string treeListing(const FilterTree& tree) {
    std::string out;
    list(tree.topLevel(), 0, out);
    return out;
}

} // namespace lorvanel
