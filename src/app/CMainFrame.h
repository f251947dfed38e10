#pragma once
// The main window: menus, tool bar and status bar around a splitter of the filter pane and
// the main view, the commands that open, merge, reload and close post logs, the recent-file
// and keyword-file menus, and file drops. It applies the filter text that the filter pane
// announces.
#include "app/Commands.h"

#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QSplitter;
class QTabWidget;

namespace lorvanel {

class CDoc;
class CFilterTree;
class CLogFollower;
class CMainView;
class COperationRunner;
class CProgressStatus;
class CSelectionNavigator;
class CUiPrompts;
class DocBridge;
class IniFile;

// The window's fixed commands, each carrying its command number as data.
struct MainActions {
    QAction* fileOpen = nullptr;
    QAction* fileMerge = nullptr;
    QAction* openJDimLog = nullptr;
    QAction* fileClose = nullptr;
    QAction* reload = nullptr;
    QAction* readWhole = nullptr;
    QAction* openInEditor = nullptr;
    QAction* exit = nullptr;
    QAction* copy = nullptr;
    QAction* selectAll = nullptr;
    QAction* find = nullptr;
    QAction* filterTree = nullptr;
    QAction* multiSelect = nullptr;
    QAction* clearFilter = nullptr;
    QAction* autoKeywords = nullptr;
    QAction* options = nullptr;
    QAction* about = nullptr;
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CDoc& doc, CUiPrompts& prompts, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The sections of the settings that the window and its panes keep: the placement, the
    // custom filters and the graph's. Read once at start, written once at exit.
    void loadSettings(const IniFile& ini);
    void saveSettings(IniFile& ini);
    // Writes a change into the settings file. When it cannot be written (a file the user
    // made read-only) the user is told, once a run however often it fails; false then.
    bool writeSettings(const std::function<void(IniFile&)>& change);

    // Narrows the document to the posts the filter text selects (the whole log when empty),
    // as the filter pane asks; on the worker, a newer choice cancelling one still running.
    void applyFilterText(const std::string& text);

    // Every load of the window ends here: prepared on the worker while the window answers,
    // a status message meanwhile. Returns the document's success.
    bool loadFiles(const std::vector<std::string>& paths, bool merge, std::uint64_t byteLimit);

    void fileOpen();
    void fileMerge();
    // Opens every file of JDim's post log as one log, or says where it was looked for.
    void openJDimLog();
    void fileClose();
    // F5; false when nothing is open or the load failed.
    bool reload();
    void readWholeFiles();
    void openInEditor();
    // The recent entry at index (0 = newest).
    void openRecent(int index);
    void runAutoKeywords();
    void runKeywordFile(const std::string& path);
    void toggleFilterTree();
    void clearFilter();
    void editOptions();
    void about();
    // Files dropped on the window (paths as the file manager gave them).
    void dropPaths(const QStringList& paths);

    // Restores the placement read with the settings; false when there is none.
    bool restorePlacement();

    // Fills the recent files and the keyword files in, as opening the menus does.
    void rebuildRecentMenu();
    void rebuildKeywordMenu();

    const MainActions& actions() const { return actions_; }
    // The fixed command with that number; null for none.
    QAction* action(int id) const;
    QMenu* fileMenu() const { return fileMenu_; }
    QMenu* toolsMenu() const { return toolsMenu_; }
    CMainView* mainView() const { return view_; }
    COperationRunner& operations() const { return *runner_; }
    CProgressStatus* progressStatus() const { return progress_; }
    QTabWidget* filterPane() const { return leftPane_; }
    CFilterTree* filterTree() const { return filterTree_; }
    // The status bar's text of the applied filter, beside the count.
    QLabel* filterStatus() const { return filterLabel_; }
    QLabel* countStatus() const { return counts_; }
    DocBridge& bridge() const { return *bridge_; }
    CSelectionNavigator& navigator() const { return *navigator_; }
    CLogFollower& follower() const { return *follower_; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QAction* addCommand(QMenu* menu, int id, const QString& text);
    void createMenus();
    void documentChanged();
    void rememberPlacement();
    void createToolBar();
    void updateCommands();
    // The applied filter's text in the status bar, cut to the window's width.
    void showAppliedFilter();
    void updateTitle();
    void copyOrSelectAll(bool selectAll);

    CDoc& doc_;
    CUiPrompts& prompts_;
    DocBridge* bridge_;
    MainActions actions_;
    QSplitter* splitter_;
    QTabWidget* leftPane_;
    CFilterTree* filterTree_;
    CMainView* view_;
    CSelectionNavigator* navigator_;
    CLogFollower* follower_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* toolsMenu_ = nullptr;
    QLabel* counts_ = nullptr;
    QLabel* filterLabel_ = nullptr;
    // The text of the filter applied by the filter tree; empty for the whole log.
    QString appliedFilter_;
    // Counts the filter texts asked for, so that a choice a newer one replaced is not taken
    // for one that failed.
    unsigned filterChoices_ = 0;
    COperationRunner* runner_;
    CProgressStatus* progress_ = nullptr;
    // The placement read with the settings, and the one the window had when it was closed.
    std::optional<std::string> placement_;
    bool closed_ = false;
    bool placementShown_ = false; // placement_ is one the window had on the screen
    bool toldUnsaved_ = false;    // the user heard that the settings could not be saved
};

} // namespace lorvanel
