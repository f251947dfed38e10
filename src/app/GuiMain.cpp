// lorvanel: the desktop program.
#include "app/CLorvanelApp.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

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
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i)
        options.files.push_back(
            lorvanel::pathFromQString(QDir::current().absoluteFilePath(args[i])));

    lorvanel::CLorvanelApp lorvanelApp;
    if (!lorvanelApp.initInstance(options)) return 1;
    const int status = app.exec();
    lorvanelApp.exitInstance();
    return status;
}
