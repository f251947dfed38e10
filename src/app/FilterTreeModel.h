#pragma once
// The filter pane's item model: the core's filter tree shown as rows, children made on first
// expansion (fetchMore), labels and filter texts from the core. It holds no selection; the
// commands on custom filters go through it so that views hear of every row that comes or goes.
#include "trees/FilterTree.h"

#include <QAbstractItemModel>

namespace lorvanel {

class FilterTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit FilterTreeModel(QObject* parent = nullptr);

    const FilterTree& tree() const { return tree_; }
    CustomFilterList& customFilters() { return tree_.customFilters(); }

    // The item behind an index (null for the root), and the index of an item.
    TreeNode* nodeOf(const QModelIndex& index) const;
    QModelIndex indexOf(const TreeNode* node) const;

    // Rebuilds every row from the statistics (see FilterTree::rebuild).
    void rebuild(const PostStatistics& selection, bool logHasPosts, Time32 now);
    // The whole-log statistics that first expansions read; must outlive the model's use.
    void setWholeLogStatistics(const PostStatistics* whole) { whole_ = whole; }
    // The first item whose labels from the top level, joined by "/", are path (CP932);
    // items on the way get their children. Invalid when there is none.
    QModelIndex findPath(std::string_view path);

    QModelIndex addCustomFilter(CustomFilter filter);
    void editCustomFilter(const QModelIndex& index, CustomFilter filter);
    void deleteCustomFilter(const QModelIndex& index);
    void restoreDefaultFilters();

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const TreeNodes& childrenOf(const TreeNode* node) const;
    int rowOf(const TreeNode* node) const;

    FilterTree tree_;
    const PostStatistics* whole_ = nullptr;
};

} // namespace lorvanel
