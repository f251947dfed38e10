#include "app/CLorvanelApp.h"

#include "app/CMainFrame.h"
#include "app/CUiPrompts.h"
#include "doc/CDoc.h"
#include "doc/Settings.h"
#include "doc/UserFiles.h"
#include "input/BoardDirectory.h"
#include "input/PathList.h"
#include "platform/Paths.h"
#include "ui/GuiAlertSink.h"
#include "ui/QtText.h"
#include "ui/QtTranslations.h"

#include <QCoreApplication>

namespace lorvanel {

CLorvanelApp::CLorvanelApp(std::unique_ptr<CUiPrompts> prompts)
    : prompts_(prompts ? std::move(prompts) : std::make_unique<CUiPrompts>()) {}

CLorvanelApp::~CLorvanelApp() {
    if (!exited_) exitInstance();
}

bool CLorvanelApp::initInstance(const StartOptions& options) {
    if (QCoreApplication* app = QCoreApplication::instance()) installQtJapanese(*app);
    alerts_ = std::make_unique<GuiAlertSink>();
    if (options.installAlertSink) {
        setAlertSink(alerts_.get());
        ownsAlertSink_ = true;
    }
    setUserFileDirs(options.userDirs);
    setSettingsFile(
        chooseSettingsFile(options.currentDirectory, options.executablePath, options.userDirs));
    setProgramDirectories(options.programDirectories);
    const IniFile ini = readSettingsFile();
    settings() = Settings{};
    settings().read(ini);

    if (!boardDirectory().loadBoardList()) {
        alertUser(QStringLiteral("初期化に失敗しました"));
        exited_ = true;
        if (ownsAlertSink_) setAlertSink(nullptr);
        ownsAlertSink_ = false;
        return false;
    }

    doc_ = std::make_unique<CDoc>();
    readAnalyzeOptions(ini, doc_->analyzeOptions());
    doc_->setRecentFileSink(this);
    frame_ = std::make_unique<CMainFrame>(*doc_, *prompts_);
    frame_->loadSettings(ini);
    alerts_->setMainWindow(frame_.get());

    // The window is placed and shown before the first load so that its wait cursor and
    // status message are seen.
    if (options.show) {
        frame_->restorePlacement();
        frame_->show();
    }

    if (options.openJDimLog) {
        frame_->openJDimLog();
    } else if (!options.files.empty()) {
        frame_->loadFiles(options.files, false, settings().byteLimit());
    } else if (settings().autoLoadLast && !settings().recentFiles.empty()) {
        std::vector<std::string> paths;
        addPathString(paths, settings().recentFiles.front());
        frame_->loadFiles(paths, false, settings().byteLimit());
    }
    return true;
}

void CLorvanelApp::exitInstance() {
    if (exited_) return;
    exited_ = true;
    if (frame_ && frame_->isVisible()) frame_->close();
    // Everything the run changed goes in one write (the window's sections, the analysis
    // options and the settings), so that a file that can't be written is reported once and
    // nothing of it is lost half-way.
    // The window tells of a file it could not write only once a run.
    const auto change = [&](IniFile& ini) {
        if (frame_) frame_->saveSettings(ini);
        if (doc_) writeAnalyzeOptions(ini, doc_->analyzeOptions());
        settings().write(ini);
    };
    std::string error;
    if (frame_)
        frame_->writeSettings(change);
    else if (!updateSettingsFile(change, &error))
        alertUser(pathToQString(error));
    frame_.reset();
    doc_.reset();
    if (ownsAlertSink_) setAlertSink(nullptr);
    ownsAlertSink_ = false;
}

void CLorvanelApp::addRecentFile(const std::string& joinedPaths) {
    settings().recentFiles.addToFront(joinedPaths);
}

} // namespace lorvanel
