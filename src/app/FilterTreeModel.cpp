#include "app/FilterTreeModel.h"

#include "trees/TreeListing.h"
#include "ui/QtText.h"

#include <algorithm>
#include <functional>

namespace lorvanel {

FilterTreeModel::FilterTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

TreeNode* FilterTreeModel::nodeOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<TreeNode*>(index.internalPointer()) : nullptr;
}

const TreeNodes& FilterTreeModel::childrenOf(const TreeNode* node) const {
    return node ? node->children : tree_.topLevel();
}

int FilterTreeModel::rowOf(const TreeNode* node) const {
    const TreeNodes& siblings = childrenOf(node->parent);
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [node](const auto& n) { return n.get() == node; });
    return it == siblings.end() ? -1 : static_cast<int>(it - siblings.begin());
}

QModelIndex FilterTreeModel::indexOf(const TreeNode* node) const {
    if (!node) return {};
    const int row = rowOf(node);
    return row < 0 ? QModelIndex() : createIndex(row, 0, const_cast<TreeNode*>(node));
}

QModelIndex FilterTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0 || (parent.isValid() && parent.column() != 0)) return {};
    const TreeNodes& children = childrenOf(nodeOf(parent));
    if (static_cast<std::size_t>(row) >= children.size()) return {};
    return createIndex(row, 0, children[static_cast<std::size_t>(row)].get());
}

QModelIndex FilterTreeModel::parent(const QModelIndex& index) const {
    const TreeNode* node = nodeOf(index);
    return node ? indexOf(node->parent) : QModelIndex();
}

int FilterTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() && parent.column() != 0) return 0;
    return static_cast<int>(childrenOf(nodeOf(parent)).size());
}

int FilterTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool FilterTreeModel::hasChildren(const QModelIndex& parent) const {
    if (parent.isValid() && parent.column() != 0) return false;
    const TreeNode* node = nodeOf(parent);
    if (!node) return !tree_.topLevel().empty();
    // An item not expanded yet shows its button; its children come with fetchMore.
    return !node->children.empty() || (node->hasChildrenMark && !node->expanded);
}

bool FilterTreeModel::expandable(const TreeNode* node) const {
    return node && whole_ && node->hasChildrenMark && !node->expanded && node->children.empty();
}

void FilterTreeModel::expandItem(const QModelIndex& parent) {
    TreeNode* node = nodeOf(parent);
    if (!expandable(node)) return;
    // The core adds the children at once; views must hear of the rows before they exist, so
    // they are taken out and put back between the announcements.
    tree_.expand(*node, *whole_);
    TreeNodes children = std::move(node->children);
    node->children.clear();
    if (children.empty()) {
        // The button goes: the item has nothing to show.
        emit dataChanged(parent, parent);
        return;
    }
    beginInsertRows(parent, 0, static_cast<int>(children.size()) - 1);
    node->children = std::move(children);
    endInsertRows();
}

QVariant FilterTreeModel::data(const QModelIndex& index, int role) const {
    const TreeNode* node = nodeOf(index);
    if (!node) return {};
    switch (role) {
    case Qt::DisplayRole:
        return toQString(node->label);
    case Qt::ToolTipRole: {
        // The whole label (a narrow pane cuts it), then the filter text the item stands for.
        const QString label = toQString(node->label);
        const std::string text = itemFilterText(*node);
        return text.empty() ? label : label + QLatin1Char('\n') + toQString(text);
    }
    default:
        return {};
    }
}

Qt::ItemFlags FilterTreeModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void FilterTreeModel::rebuild(const PostStatistics& selection, bool logHasPosts, Time32 now) {
    beginResetModel();
    tree_.rebuild(selection, logHasPosts, now);
    endResetModel();
}

QModelIndex FilterTreeModel::findPath(std::string_view path) {
    // As FilterTree::findPath matches (a label may hold "/"), but items on the way get their
    // children through expandItem, so that views hear of the new rows.
    std::function<QModelIndex(const QModelIndex&, std::string_view)> find =
        [&](const QModelIndex& parent, std::string_view rest) -> QModelIndex {
        for (int row = 0; row < rowCount(parent); ++row) {
            const QModelIndex child = index(row, 0, parent);
            const std::string& label = nodeOf(child)->label;
            if (rest == label) return child;
            if (rest.size() > label.size() && rest.substr(0, label.size()) == label &&
                rest[label.size()] == '/') {
                expandItem(child);
                const QModelIndex deeper = find(child, rest.substr(label.size() + 1));
                if (deeper.isValid()) return deeper;
            }
        }
        return QModelIndex();
    };
    return find(QModelIndex(), path);
}

QModelIndex FilterTreeModel::addCustomFilter(CustomFilter filter) {
    TreeNode* root = tree_.customRoot();
    if (!root) {
        const int row = rowCount();
        beginInsertRows(QModelIndex(), row, row);
        tree_.addCustomFilter(std::move(filter));
        endInsertRows();
        return indexOf(tree_.customRoot()->children.back().get());
    }
    const QModelIndex parent = indexOf(root);
    const int row = static_cast<int>(root->children.size());
    beginInsertRows(parent, row, row);
    TreeNode& node = tree_.addCustomFilter(std::move(filter));
    endInsertRows();
    return indexOf(&node);
}

void FilterTreeModel::editCustomFilter(const QModelIndex& index, CustomFilter filter) {
    TreeNode* node = nodeOf(index);
    if (!node || node->kind() != FilterKind::Custom) return;
    tree_.editCustomFilter(*node, std::move(filter));
    emit dataChanged(index, index);
}

void FilterTreeModel::deleteCustomFilter(const QModelIndex& index) {
    TreeNode* node = nodeOf(index);
    if (!node || node->kind() != FilterKind::Custom || !node->parent) return;
    beginRemoveRows(index.parent(), index.row(), index.row());
    tree_.deleteCustomFilter(*node);
    endRemoveRows();
}

void FilterTreeModel::restoreDefaultFilters() {
    if (TreeNode* root = tree_.customRoot()) {
        const int row = rowOf(root);
        beginRemoveRows(QModelIndex(), row, row);
        tree_.removeCustomBranch();
        endRemoveRows();
    }
    tree_.restoreDefaultList();
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    tree_.appendCustomBranch();
    endInsertRows();
}

} // namespace lorvanel
