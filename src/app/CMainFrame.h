#pragma once
// The main window: menus, tool bar and status bar around a splitter of the filter pane and
// the main view, the commands that open, merge, reload and close post logs, the recent-file
// and keyword-file menus, and file drops.
#include "doc/DocListener.h"

#include <QMainWindow>

#include <cstdint>
#include <string>
#include <vector>

class QLabel;
class QSplitter;
class QTabWidget;

namespace lorvanel {

class CFilterTree;
class CMainView;
class COperationRunner;
class CProgressStatus;
class CUiPrompts;

// Command identifiers of the menus and the tool bar.
namespace cmd {
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileMerge = 32817;
inline constexpr int kFileClose = 57602;
inline constexpr int kReload = 32819;
inline constexpr int kReadWhole = 32829;
inline constexpr int kOpenInEditor = 32818;
inline constexpr int kOpenJDimLog = 32840;
inline constexpr int kRecentFirst = 3328;
inline constexpr int kRecentLast = 3343;
inline constexpr int kKeywordFirst = 3345;
inline constexpr int kKeywordLast = 3409;
inline constexpr int kAutoKeywords = 32797;
inline constexpr int kFilterTree = 32798;
inline constexpr int kMultiSelect = 32824;
inline constexpr int kClearFilter = 32793;
inline constexpr int kOptions = 32773;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
inline constexpr int kCopy = 57634;
inline constexpr int kSelectAll = 57642;
} // namespace cmd

class CMainFrame : public QMainWindow, public DocListener {
    Q_OBJECT
public:
    CMainFrame(CDoc& doc, CUiPrompts& prompts, QWidget* parent = nullptr);
    ~CMainFrame() override;

    void documentUpdated(CDoc& doc, const DocUpdate& update) override;

    // Every load of the window ends here: a wait cursor and a status message while the
    // document loads. Returns the document's success.
    bool loadFiles(const std::vector<std::string>& paths, bool merge, std::uint64_t byteLimit);

    void fileOpen();
    void fileMerge();
    // Opens every file of JDim's post log as one log, or says where it was looked for.
    void openJDimLog();
    void fileClose();
    void reload();
    void readWholeFiles();
    void openInEditor();
    // The recent entry at index (0 = newest).
    void openRecent(int index);
    void runAutoKeywords();
    void runKeywordFile(const std::string& path);
    void toggleFilterTree();
    void clearFilter();
    // The filter tree's text applied on the worker (empty: the whole log); a newer choice
    // cancels one still running.
    void applyFilterText(const std::string& text);
    void editOptions();
    void about();
    // Files dropped on the window (paths as the file manager gave them).
    void dropPaths(const QStringList& paths);

    // Restores the placement stored in the settings file; false when there is none.
    bool restorePlacement();
    void savePlacement();

    // Fills the recent files and the keyword files in, as opening the menus does.
    void rebuildRecentMenu();
    void rebuildKeywordMenu();

    QAction* action(int id) const;
    QMenu* fileMenu() const { return fileMenu_; }
    QMenu* toolsMenu() const { return toolsMenu_; }
    CMainView* mainView() const { return view_; }
    COperationRunner& operations() const { return *runner_; }
    CProgressStatus* progressStatus() const { return progress_; }
    QTabWidget* filterPane() const { return leftPane_; }
    CFilterTree* filterTree() const { return filterTree_; }
    QSplitter* splitter() const { return splitter_; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addCommand(QMenu* menu, int id, const QString& text);
    void createMenus();
    void createToolBar();
    void updateCommands();
    void updateTitle();
    void copyOrSelectAll(bool selectAll);

    CDoc& doc_;
    CUiPrompts& prompts_;
    QSplitter* splitter_;
    QTabWidget* leftPane_;
    CFilterTree* filterTree_;
    CMainView* view_;
    QMenu* fileMenu_ = nullptr;
    QMenu* toolsMenu_ = nullptr;
    QLabel* counts_ = nullptr;
    COperationRunner* runner_;
    CProgressStatus* progress_ = nullptr;
    bool placementSaved_ = false;
};

} // namespace lorvanel
