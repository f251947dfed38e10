#pragma once
// The filter tree of the main window's left pane: the history, the hour, weekday and board
// categories and the user's custom filters. Every change of the selected items narrows the
// document to the posts their combined filter text selects; the context menu creates,
// copies, edits and deletes custom filters.
#include "doc/DocListener.h"
#include "trees/FilterTree.h"

#include <QSet>
#include <QTreeWidget>

#include <functional>

class QRubberBand;

namespace lorvanel {

class CDlgFilter;

// Command identifiers of the tree's context menu.
namespace cmd {
inline constexpr int kFilterProperties = 32822;
inline constexpr int kFilterDelete = 32823;
inline constexpr int kFilterFromSelection = 32825;
inline constexpr int kFilterDuplicate = 32826;
inline constexpr int kFilterNew = 32827;
inline constexpr int kFilterRestoreDefaults = 32828;
} // namespace cmd

class CFilterTree : public QTreeWidget, public DocListener {
    Q_OBJECT
public:
    // Reads the custom filters from the settings file and shows the document's data.
    explicit CFilterTree(CDoc& doc, QWidget* parent = nullptr);
    // Writes the custom filters back to the settings file.
    ~CFilterTree() override;

    void documentUpdated(CDoc& doc, const DocUpdate& update) override;

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

    // How the tree's filter text (empty: the whole log) is applied; the main frame runs it on
    // its worker. Unset, the tree applies it to the document itself.
    std::function<void(const std::string& text)> applyText;

    // Runs the filter dialog; true on OK. Tests replace it to answer without showing it.
    std::function<bool(CDlgFilter&)> runDialog;

    const FilterTree& model() const { return model_; }
    // The item data behind a widget item; null for none.
    TreeNode* nodeOf(const QTreeWidgetItem* item) const;
    // The first item in tree order whose labels from the top level, joined by "/", are path
    // (UTF-8 labels); items on the way are expanded. Null when there is none.
    QTreeWidgetItem* findItem(const QString& path);
    // The filter text of the selected items, as applied on the last selection change.
    std::string combinedText();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void rebuild();
    QTreeWidgetItem* addItem(QTreeWidgetItem* parent, TreeNode& node);
    void addChildren(QTreeWidgetItem* item, TreeNode& node);
    void expandItem(QTreeWidgetItem* item);
    void selectionChanged();
    void syncSelection();
    // The item the context menu and its commands concern: the current item when it is
    // selected, else the first selected one.
    QTreeWidgetItem* commandItem() const;
    QTreeWidgetItem* customRootItem() const;
    // Opens the dialog; on OK appends its filter to the list and the "カスタム" branch.
    void addFromDialog(const std::string& name, const std::string& text);
    bool execDialog(CDlgFilter& dialog);

    CDoc& doc_;
    FilterTree model_;
    // Set while the tree changes its own items, so that the selection changes that causes
    // are not taken for the user's.
    bool rebuilding_ = false;
    QRubberBand* band_ = nullptr;
    // Where a press outside the items began a possible rubber band; x < 0 when none did.
    QPoint bandOrigin_{-1, -1};
    QItemSelection bandBase_;
    QSet<QTreeWidgetItem*> bandStart_;
};

} // namespace lorvanel
