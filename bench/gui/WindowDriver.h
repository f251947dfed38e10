#pragma once
// Drives the desktop program's main window as a user does, offscreen: opening a log,
// choosing items of the filter tree, clearing the filter, expanding tree nodes, switching
// tabs and graph kinds, each followed by the paint that the user would see.
#include <QModelIndex>
#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace lorvanel {
class CDoc;
class CFilterTree;
class CLorvanelApp;
class CMainFrame;
} // namespace lorvanel

namespace lorvanel::bench {

// An item of the filter tree: the caption of its parent (empty for a top-level item) and the
// start of its own caption up to the count that generated items carry ("2016年" finds
// "2016年(51234)"); filterText (CP932) is what the item stands for, applied to the document
// directly only when the tree lacks the item.
struct TreeChoice {
    QString parent;
    QString caption;
    std::string filterText;
};

class WindowDriver {
public:
    // The window is shown (offscreen) with the settings file of settingsDirectory.
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

    int graphKindCount() const;
    QString graphKindCaption(int index) const;
    // Picks the kind in the graph tab's chooser, as a user does, and paints.
    void chooseGraphKind(int index);

    // Finds the choice's item (expanding its parent, as a user would before clicking) and
    // paints; invalid when the tree has no such item. Not part of any timed step.
    QModelIndex locate(const TreeChoice& choice);
    // One change of the tree's selection to the item, as a click makes it, the operation it
    // starts waited for, and the paint.
    void select(const QModelIndex& item);
    // The filter text applied to the document directly, and the paint: what a choice falls
    // back to without its item.
    void applyText(const std::string& filterText);
    // locate + select, or applyText when the tree lacks the item; returns whether the tree
    // had it.
    bool choose(const TreeChoice& choice);

    // The main frame's "フィルタ解除", then the paint.
    void clearFilter();
    // Expands (or collapses) the top-level node with that caption and paints; false without
    // it.
    bool setExpanded(const QString& caption, bool expanded);

    CFilterTree* filterTree() const;

private:
    QModelIndex childItem(const QModelIndex& parent, const QString& caption) const;
    // Lets a running operation of the window finish, the event loop running.
    void settle();
    // Whether the platform shows the window, so that the event loop paints it.
    bool exposed();

    std::unique_ptr<CLorvanelApp> app_;
};

} // namespace lorvanel::bench
