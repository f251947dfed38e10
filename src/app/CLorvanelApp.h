#pragma once
// The application: start-up (settings, board list, document, main window, the last file set)
// and exit (analysis options, settings), in that order.
#include "app/CUiPrompts.h"
#include "doc/DocListener.h"
#include "doc/RecentFileSink.h"
#include "platform/UserDirs.h"

#include <memory>
#include <string>
#include <vector>

namespace lorvanel {

class CDoc;
class CMainFrame;
class GuiAlertSink;

class CLorvanelApp : public RecentFileSink {
public:
    struct StartOptions {
        std::string currentDirectory; // where the settings file lives
        std::string executablePath;   // names the settings file
        // Directories (ending in a separator) with the keyword files and FilterMemo.txt:
        // beside the executable, then the installed data directory.
        std::vector<std::string> programDirectories;
        // Files named on the command line: analysed instead of the last file set.
        std::vector<std::string> files;
        // --jdim: JDim's post log is analysed instead of the last file set.
        bool openJDimLog = false;
        // The user's folders: settings when the start-up directory has none, keyword files
        // of an installed program.
        UserDirs userDirs = lorvanel::userDirs();
        bool show = true;
        // Message boxes go to a GUI sink; tests keep their recording one.
        bool installAlertSink = true;
    };

    // The prompts answer the main window's dialogs; null uses the real dialogs.
    explicit CLorvanelApp(std::unique_ptr<CUiPrompts> prompts = nullptr);
    ~CLorvanelApp() override;

    // False when the program can't start (the user has been told why).
    bool initInstance(const StartOptions& options);
    // Writes what the run changed; the main window must be closed or not yet shown.
    void exitInstance();

    void addRecentFile(const std::string& joinedPaths) override;

    CDoc& document() { return *doc_; }
    CMainFrame* mainFrame() const { return frame_.get(); }

private:
    std::unique_ptr<CUiPrompts> prompts_;
    std::unique_ptr<GuiAlertSink> alerts_;
    std::unique_ptr<CDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
    bool exited_ = false;
    bool ownsAlertSink_ = false;
};

} // namespace lorvanel
