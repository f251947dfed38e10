#pragma once
// The filter tree of the main window's left pane: the history, the hour, weekday and board
// categories and the user's custom filters, a tree view over FilterTreeModel. The selection
// lives in the view's selection model only; every change of it, and every change of the
// custom filters, announces the combined filter text of the selected items, which the main
// window applies. The context menu creates, copies, edits and deletes custom filters.
#include "trees/TreeNode.h"

#include <QItemSelection>
#include <QTreeView>

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class QRubberBand;

namespace lorvanel {

class CDlgFilter;
class CDoc;
class DocBridge;
class FilterTree;
class FilterTreeModel;
class IniFile;

class CFilterTree : public QTreeView {
    Q_OBJECT
public:
    // Shows the document's data with the default custom filters.
    explicit CFilterTree(DocBridge& bridge, QWidget* parent = nullptr);

    // The custom filters ("CustomFilter"); loading rebuilds the tree.
    void loadSettings(const IniFile& ini);
    void saveSettings(IniFile& ini) const;

    // Multiple selection (Ctrl, Shift, rubber band) is on when the tree is created.
    void setMultiSelection(bool on);
    bool multiSelection() const { return selectionMode() == QAbstractItemView::ExtendedSelection; }

    // The menu that a right click raises for the current selection; null when there is none.
    // The caller owns it.
    QMenu* createContextMenu();
    // The commands of the context menu.
    void newFilter();
    void duplicateFilter();
    void restoreDefaults();
    void deleteFilter();
    void editFilter();
    void newFilterFromSelection();

    // Runs the filter dialog; true on OK. Tests replace it to answer without showing it.
    std::function<bool(CDlgFilter&)> runDialog;

    // The core's tree behind the rows (this hides QAbstractItemView::model(), which is
    // itemModel() here).
    const FilterTree& model() const;
    FilterTreeModel* itemModel() const { return model_; }
    // The item data behind an index; null for none.
    TreeNode* nodeOf(const QModelIndex& index) const;
    // The first item in tree order whose labels from the top level, joined by "/", are path
    // (UTF-8 labels); items on the way are expanded. Invalid when there is none.
    QModelIndex findItem(const QString& path);
    // The filter text of the selected items.
    std::string combinedText() const;

    // Selects the items that stand for a filter text (one item, or an hour's and a weekday's
    // items for "(hourH)&(weekW)"), expanding the items on the way, and applies their text as
    // a selection change does; a text without such items (a day without posts) is applied as
    // it stands with nothing selected.
    void selectFilterText(const std::string& text);
    // Selects exactly these items, expanding the items on the way, and applies their text as a
    // selection change does (the first becomes the current item).
    void selectItems(const QModelIndexList& items);

    // The main window could not apply the text the tree announced last (it did not compile, a
    // regular expression gave up, the user cancelled): the tree shows the selection whose
    // text is applied again.
    void filterNotApplied() { notApplied_ = true; }

signals:
    // The posts to show are those the text selects (CP932; empty for the whole log).
    void filterTextChanged(const std::string& text);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Which items with children are open, by their expansionKey.
    using Expansion = std::unordered_map<std::string, bool>;
    void rebuild();
    // Opens the rows below parent that were open in kept, or, for an item kept does not know,
    // that the core marks expanded; closes those kept has closed.
    void expandMarked(const QModelIndex& parent, const Expansion& kept = {});
    Expansion expansion() const;
    // Announces text, then keeps the selection as applied, or shows the applied one again
    // when the main window could not apply it.
    void announce(const std::string& text);
    // Selects the items of the last applied selection again, without announcing.
    void showAppliedSelection();
    void selectionChanged();
    // The generated item whose filter text is text; years, months and category roots are
    // given their children on the way. Invalid when there is none.
    QModelIndex findFilterItem(const std::string& text);
    // Announces the combined text of the selection when it differs from the one applied;
    // always when forced.
    void announceSelection(bool force);
    TreeNodeSet selectedNodes() const;
    // The item the context menu and its commands concern: the current item when it is
    // selected, else the first selected one.
    QModelIndex commandItem() const;
    // Opens the dialog; on OK appends its filter to the list and the "カスタム" branch.
    void addFromDialog(const std::string& name, const std::string& text);
    bool execDialog(CDlgFilter& dialog);

    CDoc& doc_;
    FilterTreeModel* model_;
    // The filter text the main window last applied for this tree, and its items.
    std::string applied_;
    QList<QPersistentModelIndex> appliedItems_;
    // Counts announcements, so that one whose application a newer one replaced keeps out.
    unsigned announcements_ = 0;
    bool notApplied_ = false;
    // The files of the log the rows were last built for: a rebuild for the same files keeps
    // what the user opened and closed.
    std::vector<std::string> rowsFor_;
    // Set while the tree changes its own rows or selection, so that the selection changes
    // that causes are not taken for the user's.
    bool rebuilding_ = false;
    // Set while the main window applies what the tree announced: the change that causes is
    // the tree's own and does not rebuild it.
    bool announcing_ = false;
    QRubberBand* band_ = nullptr;
    // Where a press outside the items began a possible rubber band; x < 0 when none did.
    QPoint bandOrigin_{-1, -1};
    QItemSelection bandBase_;
    TreeNodeSet bandStart_;
};

} // namespace lorvanel
