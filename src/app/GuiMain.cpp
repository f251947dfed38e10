// lorvanel: the desktop program.
#include "app/CLorvanelApp.h"
#include "app/CMainFrame.h"
#include "app/StartupTour.h"
#include "doc/CDoc.h"
#include "platform/Alert.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdio>

namespace {

// `--self-test` shows no message box, which nobody would close: each message goes to
// standard error and fails the check.
class SelfTestAlerts : public lorvanel::AlertSink {
public:
    void alert(std::string_view text) override {
        std::fprintf(stderr, "lorvanel: %s\n", lorvanel::toQString(text).toUtf8().constData());
        ++count;
    }
    int count = 0;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lorvanel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lorvanel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lorvanel.png")));

    lorvanel::CLorvanelApp::StartOptions options;
    options.currentDirectory = lorvanel::pathFromQString(QDir::currentPath());
    options.executablePath = lorvanel::pathFromQString(QApplication::applicationFilePath());
    options.programDirectories = {
        lorvanel::pathFromQString(QApplication::applicationDirPath() + QLatin1Char('/')),
        std::string(LORVANEL_DATA_DIR) + "/"};
    // --self-test (a start-up check for CI): load the files, show and paint every tab, exit
    // 0 when that went without a message, else 1.
    bool selfTest = false;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--self-test")) {
            selfTest = true;
            continue;
        }
        if (args[i] == QStringLiteral("--jdim")) {
            options.openJDimLog = true;
            continue;
        }
        options.files.push_back(
            lorvanel::pathFromQString(QDir::current().absoluteFilePath(args[i])));
    }

    SelfTestAlerts selfTestAlerts;
    if (selfTest) {
        lorvanel::setAlertSink(&selfTestAlerts);
        options.installAlertSink = false;
    }
    lorvanel::CLorvanelApp lorvanelApp;
    if (!lorvanelApp.initInstance(options)) return 1;
    if (selfTest) {
        QCoreApplication::processEvents();
        const std::size_t posts = lorvanelApp.document().postLog().posts.size();
        const bool loaded = (options.files.empty() && !options.openJDimLog) || posts > 0;
        const int tabs = lorvanel::tourTabs(*lorvanelApp.mainFrame());
        lorvanelApp.exitInstance();
        lorvanel::setAlertSink(nullptr);
        std::fprintf(stderr, "lorvanel --self-test: %zu posts, %d tabs shown, %d messages\n", posts,
                     tabs, selfTestAlerts.count);
        return loaded && selfTestAlerts.count == 0 ? 0 : 1;
    }
    const int status = app.exec();
    lorvanelApp.exitInstance();
    return status;
}
