// lorvanel: the desktop program.
#include "app/CLorvanelApp.h"
#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "app/StartupTour.h"
#include "doc/CDoc.h"
#include "doc/Settings.h"
#include "doc/UserFiles.h"
#include "platform/Alert.h"
#include "platform/DataDirs.h"
#include "platform/Paths.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

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

// The program's command line: lorvanel [--self-test] [--jdim] [FILE...], with --help and
// --version. Unknown options are a usage error.
struct ProgramArguments {
    bool selfTest = false;
    bool jdim = false;
    QStringList files;
    QString screenshot; // with --self-test: the window saved as a PNG picture
};

void describeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Analyses the posting logs that BBS browsers keep of their user's own "
                       "posts. Opens the files given, or else the file set analysed last."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("jdim"), QStringLiteral("Open JDim's post log.")});
    parser.addOption({QStringLiteral("self-test"),
                      QStringLiteral("Load the files, show and paint every tab, then exit: 0 "
                                     "when that went without a message, else 1.")});
    // For `make screenshot` only, so not in --help.
    QCommandLineOption screenshot(QStringLiteral("screenshot"), QString(), QStringLiteral("PNG"));
    screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(screenshot);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Post logs to open."),
                                 QStringLiteral("[FILE...]"));
}

// --help and --version answer before any window system is needed, so that they work in a
// terminal without a display. Qt's own options (-platform ...) are not known here: a parse
// that fails is decided again once QApplication has taken them out.
void answerHelpOrVersion(int argc, char** argv) {
    QCommandLineParser parser;
    describeOptions(parser);
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    parser.parse(args);
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        // Without an application object Qt doesn't know the program's name.
        QString help = parser.helpText();
        help.replace(QStringLiteral("<executable_name>"), QStringLiteral("lorvanel"));
        std::fputs(help.toLocal8Bit().constData(), stdout);
        std::exit(0);
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("lorvanel %s\n", LORVANEL_VERSION);
        std::exit(0);
    }
}

// The arguments QApplication left; a usage error prints the message and the help on standard
// error and exits with status 2.
ProgramArguments parseArguments(const QStringList& args) {
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(args)) {
        std::fprintf(stderr, "lorvanel: %s\n\n%s", parser.errorText().toLocal8Bit().constData(),
                     parser.helpText().toLocal8Bit().constData());
        std::exit(2);
    }
    return {parser.isSet(QStringLiteral("self-test")), parser.isSet(QStringLiteral("jdim")),
            parser.positionalArguments(), parser.value(QStringLiteral("screenshot"))};
}

// The window at a size that shows every pane, with the graph in front, as the README shows it.
bool saveScreenshot(lorvanel::CMainFrame& frame, const QString& path) {
    frame.resize(1200, 800);
    frame.mainView()->setCurrentIndex(1);
    QCoreApplication::processEvents();
    if (frame.grab().save(path, "PNG")) return true;
    std::fprintf(stderr, "lorvanel: %s: the picture could not be written\n",
                 path.toLocal8Bit().constData());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("lorvanel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LORVANEL_VERSION));
    answerHelpOrVersion(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Lorvanel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lorvanel.png")));
    const ProgramArguments arguments = parseArguments(QApplication::arguments());

    lorvanel::CLorvanelApp::StartOptions options;
    options.currentDirectory = lorvanel::pathFromQString(QDir::currentPath());
    options.executablePath = lorvanel::pathFromQString(QApplication::applicationFilePath());
    options.programDirectories = lorvanel::programDataDirectories(
        lorvanel::pathFromQString(QApplication::applicationDirPath()));
    // --self-test (a start-up check for CI): load the files, show and paint every tab, exit
    // 0 when that went without a message, else 1.
    const bool selfTest = arguments.selfTest;
    options.openJDimLog = arguments.jdim;
    for (const QString& file : arguments.files)
        options.files.push_back(lorvanel::pathFromQString(QDir::current().absoluteFilePath(file)));

    SelfTestAlerts selfTestAlerts;
    if (selfTest) {
        lorvanel::setAlertSink(&selfTestAlerts);
        options.installAlertSink = false;
    }
    lorvanel::CLorvanelApp lorvanelApp;
    if (!lorvanelApp.initInstance(options)) return 1;
    // An installed program gives the user a copy of the keyword files to edit at the first
    // start, not only once the Tools menu is opened.
    lorvanel::keywordDirectoryFor(lorvanel::settings().keywordDirectory,
                                  lorvanel::programDirectories(), lorvanel::userFileDirs());
    if (selfTest) {
        QCoreApplication::processEvents();
        const std::size_t posts = lorvanelApp.document().postLog().posts.size();
        const bool loaded = (options.files.empty() && !options.openJDimLog) || posts > 0;
        const int tabs = lorvanel::tourTabs(*lorvanelApp.mainFrame());
        if (!arguments.screenshot.isEmpty() &&
            !saveScreenshot(*lorvanelApp.mainFrame(), arguments.screenshot))
            return 1;
        // The program's data must be found wherever it was installed.
        const bool dataFound = lorvanel::findProgramFile("FilterMemo.txt") != "FilterMemo.txt";
        if (!dataFound)
            std::fputs("lorvanel --self-test: FilterMemo.txt is in none of the program's data "
                       "directories\n",
                       stderr);
        lorvanelApp.exitInstance();
        lorvanel::setAlertSink(nullptr);
        std::fprintf(stderr, "lorvanel --self-test: %zu posts, %d tabs shown, %d messages\n", posts,
                     tabs, selfTestAlerts.count);
        return loaded && dataFound && selfTestAlerts.count == 0 ? 0 : 1;
    }
    const int status = app.exec();
    lorvanelApp.exitInstance();
    return status;
}
