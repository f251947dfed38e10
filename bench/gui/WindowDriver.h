#pragma once
// Drives the desktop program's main window as a user does, offscreen: opening a log,
// choosing filters in the filter tree, clearing them, expanding tree nodes and switching
// tabs, each followed by the paint that the user would see.
#include <QString>

#include <memory>
#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace lorvanel {
class CDoc;
class CLorvanelApp;
class CMainFrame;
} // namespace lorvanel

namespace lorvanel::bench {

// A choice in the filter tree: the item's caption, and the filter text that it stands for
// (applied to the document directly where the tree has no such item).
struct TreeChoice {
    QString caption;
    std::string filterText; // CP932
};

class WindowDriver {
public:
    // The window is shown (offscreen) with a settings file in settingsDirectory.
    explicit WindowDriver(const std::string& settingsDirectory);
    ~WindowDriver();

    CDoc& document();
    CMainFrame& frame();

    // Opens the log and paints every tab once, ending on the first; false when it failed.
    bool open(const std::string& path);
    // Lets the window handle what is pending and paints what is visible, as the screen would.
    void paint();
    // Shows and paints every tab of the main view in turn, then the one that was current.
    void paintEveryTab();

    int tabCount() const;
    QString tabCaption(int index) const;
    void showTab(int index); // and paints it

    // Selects the choice in the filter tree (or applies its text) and paints. Returns whether
    // the tree had the item.
    bool choose(const TreeChoice& choice);
    // The tree's "フィルタ解除" command, then the paint.
    void clearFilter();
    // Expands (or collapses) the tree's node with that caption and paints; false without it.
    bool setExpanded(const QString& caption, bool expanded);

    // The filter tree, when the window has one.
    QTreeWidget* filterTree() const;

private:
    QTreeWidgetItem* findTreeItem(const QString& caption) const;

    std::unique_ptr<CLorvanelApp> app_;
};

} // namespace lorvanel::bench
