#pragma once
// The filter tree of the main window's left pane: the history, the hour, weekday and board
// categories and the user's custom filters. Every change of the selected items announces
// their combined filter text, which the main window applies; the context menu creates,
// copies, edits and deletes custom filters.
#include "trees/FilterTree.h"

#include <QSet>
#include <QTreeWidget>

#include <functional>

class QRubberBand;

namespace lorvanel {

class CDlgFilter;
class CDoc;
class DocBridge;
class IniFile;

class CFilterTree : public QTreeWidget {
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

    const FilterTree& model() const { return model_; }
    // The item data behind a widget item; null for none.
    TreeNode* nodeOf(const QTreeWidgetItem* item) const;
    // The first item in tree order whose labels from the top level, joined by "/", are path
    // (UTF-8 labels); items on the way are expanded. Null when there is none.
    QTreeWidgetItem* findItem(const QString& path);
    // The filter text of the selected items, as applied on the last selection change.
    std::string combinedText();

signals:
    // The selection or a selected custom filter changed: the posts to show are those the
    // text selects (CP932; empty for the whole log).
    void filterTextChanged(const std::string& text);

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
    // Tells the main window the filter text of the selection.
    void announce(const std::string& text);
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
    // Set while the main window applies what the tree announced: the change that causes is
    // the tree's own and does not rebuild it.
    bool announcing_ = false;
    QRubberBand* band_ = nullptr;
    // Where a press outside the items began a possible rubber band; x < 0 when none did.
    QPoint bandOrigin_{-1, -1};
    QItemSelection bandBase_;
    QSet<QTreeWidgetItem*> bandStart_;
};

} // namespace lorvanel
