#pragma once
// What the desktop program's tests share: a temporary working directory, Jane-format logs
// written from UTF-8 texts, dialogs answered by script, and the registry of test classes.
#include "app/CLorvanelApp.h"
#include "app/CUiPrompts.h"
#include "doc/Settings.h"

#include <QModelIndex>
#include <QObject>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lorvanel {
class CDoc;
class CFilterTree;
class CMainFrame;
class CMainView;
} // namespace lorvanel

namespace lorvanel::testing {

// A temporary directory that is the current directory while the object lives.
class WorkingDirectory {
public:
    WorkingDirectory();
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

    std::string path() const;
    std::string file(const std::string& name) const { return path() + "/" + name; }
    std::string iniPath() const { return file("lorvanel.ini"); }
    // Writes bytes to a file of the directory and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;
    // The settings file as UTF-8 text (its bytes are CP932).
    QString iniText() const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

// One post of a Jane log; texts are UTF-8 and written as CP932.
struct JanePost {
    QString date = QStringLiteral("2008/01/02 03:04:05");
    QString title = QStringLiteral("テストスレ");
    QString dir = QStringLiteral("news");
    QString body = QStringLiteral("本文");
};

// The CP932 bytes of a UTF-8 text (the tests' texts are all within Shift_JIS).
std::string cp932(const QString& text);

std::string janeLogText(const std::vector<JanePost>& posts);
// n posts an hour apart from the day given as "YYYY/MM/DD".
std::vector<JanePost> janeSeries(int n, const QString& day,
                                 const QString& dir = QStringLiteral("news"));

// Dialogs answered without being shown.
class ScriptedPrompts : public CUiPrompts {
public:
    QString chooseLogFile(QWidget*) override;
    QString chooseBrowserProgram(QWidget*) override;
    DropChoice confirmDrop(QWidget*) override;
    bool runOptionSheet(COptionSheet& sheet) override;
    void showAbout(QWidget*) override { ++aboutShown; }
    bool openWithDesktop(const QUrl& url) override;

    std::vector<QString> logFiles; // answers of the open dialog, in order
    std::vector<QString> browsers; // answers of the "..." dialog, in order
    DropChoice drop = DropChoice::New;
    int dropAsked = 0;
    std::function<void(COptionSheet&)> onSheet; // acts on the sheet, then OK or Cancel
    int aboutShown = 0;
    std::vector<QUrl> opened;
};

// Gives a pane its sections of the settings file as the application does: read when the
// object is made, written back by flush() and when it goes (declare it after the pane).
template <class Pane> class FileSettings {
public:
    explicit FileSettings(Pane& pane) : pane_(pane) { pane_.loadSettings(readSettingsFile()); }
    ~FileSettings() { flush(); }
    FileSettings(const FileSettings&) = delete;
    FileSettings& operator=(const FileSettings&) = delete;
    void flush() {
        updateSettingsFile([this](IniFile& ini) { pane_.saveSettings(ini); });
    }

private:
    Pane& pane_;
};

// Start-up options for the working directory: settings file "lorvanel.ini" there.
CLorvanelApp::StartOptions startOptions(const WorkingDirectory& dir);

// The program as most window tests begin with it: started in the working directory (or with
// the options given) and dialogs answered by prompts; ok says whether it started. Helpers
// load a log and show the window.
struct StartedWindow {
    explicit StartedWindow(const WorkingDirectory& dir,
                           CLorvanelApp::StartOptions options = CLorvanelApp::StartOptions{});
    // Loads the files as one log without a size limit; ok when loaded.
    bool load(const std::vector<std::string>& logs);
    // Resizes the window (unless size is empty), shows it and waits until it is exposed.
    bool show(QSize size = QSize());

    CMainFrame* frame() const { return app->mainFrame(); }
    CDoc& doc() const { return app->document(); }
    CMainView* tabs() const;

    std::unique_ptr<CLorvanelApp> app;
    ScriptedPrompts* prompts = nullptr;
    bool ok = false;
};

// The filter pane's row whose labels from the top level are labels, among the rows that
// exist now: unlike CFilterTree::findItem it opens nothing on the way. Invalid when there is
// none.
QModelIndex existingFilterRow(const CFilterTree* tree, const QStringList& labels);

// Test classes register themselves; the test program runs the one named on its command line.
using TestFactory = std::function<std::unique_ptr<QObject>()>;
struct TestRegistration {
    TestRegistration(const char* name, TestFactory factory);
};

} // namespace lorvanel::testing

#define LORVANEL_GUI_TEST(Class)                                                                   \
    static const lorvanel::testing::TestRegistration registration##Class(                          \
        #Class, [] { return std::unique_ptr<QObject>(new Class); });
