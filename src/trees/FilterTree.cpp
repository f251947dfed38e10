#include "trees/FilterTree.h"

#include "trees/GeneratedNodes.h"

#include <algorithm>

namespace lorvanel {

namespace {

constexpr const char* kCustomRoot = "カスタム";

// What the items of one branch contribute, joined with joiner: a selected item its own text
// (a custom filter's in parentheses) and nothing of its children, any other item what its
// children contribute.
std::string collect(const TreeNodes& nodes, char joiner, const TreeNodeSet& selected) {
    std::string out;
    for (const auto& node : nodes) {
        std::string part;
        if (!selected.count(node.get())) {
            part = collect(node->children, joiner, selected);
        } else if (node->item && node->item->kind == FilterKind::Custom) {
            if (node->item->filter && !node->item->filter->text.empty())
                part = "(" + node->item->filter->text + ")";
        } else if (node->item) {
            part = node->item->text;
        }
        if (part.empty()) continue;
        if (!out.empty()) out += joiner;
        out += part;
    }
    return out;
}

void visit(const TreeNodes& nodes, const std::function<void(TreeNode&)>& f) {
    for (const auto& node : nodes) {
        f(*node);
        visit(node->children, f);
    }
}

} // namespace

FilterTree::FilterTree() {
    for (const CustomFilter& d : defaultCustomFilters()) filters_.append(d);
}

std::unique_ptr<TreeNode> FilterTree::makeCustomBranch() {
    auto root = std::make_unique<TreeNode>();
    root->label = kCustomRoot;
    root->item = FilterTreeItem{std::string(), FilterKind::CustomRoot, nullptr};
    root->expanded = true;
    for (const auto& filter : filters_.items())
        root->append(filter->name, FilterTreeItem{std::string(), FilterKind::Custom, filter.get()});
    return root;
}

void FilterTree::rebuild(const PostStatistics& selection, bool logHasPosts, Time32 now) {
    top_.clear();
    if (logHasPosts) {
        top_.push_back(buildHistoryBranch(selection, now));
        for (FilterKind kind :
             {FilterKind::HourRoot, FilterKind::WeekdayRoot, FilterKind::BoardRoot})
            top_.push_back(makeCategoryRoot(kind));
    }
    top_.push_back(makeCustomBranch());
}

const TreeNode* FilterTree::rebuiltSelection() const {
    return !top_.empty() && !top_.front()->item ? top_.front().get() : nullptr;
}

bool FilterTree::expand(TreeNode& node, const PostStatistics& whole) {
    const bool added = expandGeneratedNode(node, whole);
    node.expanded = true;
    return added;
}

void FilterTree::expandAll(const PostStatistics& whole) {
    // Children appear as their parent is expanded, so the walk visits them too.
    std::function<void(const TreeNodes&)> walk = [&](const TreeNodes& nodes) {
        for (const auto& node : nodes) {
            if (node->hasChildrenMark && node->children.empty()) expand(*node, whole);
            walk(node->children);
        }
    };
    walk(top_);
}

TreeNode* FilterTree::customRoot() {
    for (const auto& node : top_)
        if (node->kind() == FilterKind::CustomRoot) return node.get();
    return nullptr;
}

TreeNode& FilterTree::addCustomFilter(CustomFilter filter) {
    CustomFilter& stored = filters_.append(std::move(filter));
    TreeNode* root = customRoot();
    if (!root) {
        top_.push_back(makeCustomBranch());
        return *top_.back()->children.back();
    }
    return root->append(stored.name, FilterTreeItem{std::string(), FilterKind::Custom, &stored});
}

void FilterTree::editCustomFilter(TreeNode& node, CustomFilter filter) {
    if (node.kind() != FilterKind::Custom || !node.item->filter) return;
    node.label = filter.name;
    *node.item->filter = std::move(filter);
}

void FilterTree::deleteCustomFilter(TreeNode& node) {
    if (node.kind() != FilterKind::Custom || !node.parent) return;
    filters_.remove(node.item->filter);
    TreeNodes& siblings = node.parent->children;
    siblings.erase(std::find_if(siblings.begin(), siblings.end(),
                                [&](const auto& n) { return n.get() == &node; }));
}

void FilterTree::restoreDefaultFilters() {
    // The items point at the records that are about to go: the branch goes first.
    removeCustomBranch();
    restoreDefaultList();
    appendCustomBranch();
}

void FilterTree::removeCustomBranch() {
    top_.erase(std::remove_if(top_.begin(), top_.end(),
                              [](const auto& n) { return n->kind() == FilterKind::CustomRoot; }),
               top_.end());
}

void FilterTree::appendCustomBranch() {
    top_.push_back(makeCustomBranch());
}

std::string FilterTree::combinedText(const TreeNodeSet& selected) const {
    std::string result;
    std::string lastGroup;
    int groups = 0;
    for (const auto& top : top_) {
        const char joiner = top->kind() == FilterKind::CustomRoot ? '&' : '|';
        std::string group = collect(top->children, joiner, selected);
        if (group.empty()) continue;
        if (!result.empty()) result += '&';
        result += "(" + group + ")";
        lastGroup = std::move(group);
        ++groups;
    }
    return groups == 1 ? lastGroup : result;
}

void FilterTree::forEach(const std::function<void(TreeNode&)>& f) {
    visit(top_, f);
}

TreeNode* FilterTree::findPath(std::string_view path, const PostStatistics& whole) {
    std::function<TreeNode*(const TreeNodes&, std::string_view)> find =
        [&](const TreeNodes& nodes, std::string_view rest) -> TreeNode* {
        for (const auto& node : nodes) {
            const std::string& label = node->label;
            if (rest == label) return node.get();
            if (rest.size() > label.size() && rest.substr(0, label.size()) == label &&
                rest[label.size()] == '/') {
                if (node->children.empty() && node->hasChildrenMark) expand(*node, whole);
                if (TreeNode* found = find(node->children, rest.substr(label.size() + 1)))
                    return found;
            }
        }
        return nullptr;
    };
    return find(top_, path);
}

} // namespace lorvanel
