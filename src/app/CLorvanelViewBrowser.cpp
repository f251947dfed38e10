#include "app/CLorvanelViewBrowser.h"

#include "doc/Settings.h"
#include "ui/QtText.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace lorvanel {

namespace {
// What the desktop starts for a web address on Linux, as Qt asks for it: the browser named by
// $DEFAULT_BROWSER or $BROWSER, else xdg-open.
QString desktopUrlHandler() {
    for (const char* name : {"DEFAULT_BROWSER", "BROWSER"}) {
        const QString program = qEnvironmentVariable(name);
        if (!program.isEmpty()) return program;
    }
    return QStringLiteral("xdg-open");
}
} // namespace

bool openThreadInBrowser(const std::string& url) {
    const QString link = toQString(url);
    const Settings& s = settings();
    if (s.enableBrowserSetting == 1) {
        const QString program = s.browsers.empty() ? QString() : pathToQString(s.browsers.front());
        if (program.isEmpty()) {
            alertUser(QStringLiteral("ブラウザを起動できませんでした。\r\n"
                                     "オプションでブラウザのプログラムが指定されていません。"));
            return false;
        }
        // The URL comes from the log file: it is the program's one argument, never a command
        // line that a shell would split or interpret.
        if (QProcess::startDetached(program, {link})) return true;
        alertUser(QStringLiteral("ブラウザを起動できませんでした。\r\n%1").arg(program));
        return false;
    }
    if (QDesktopServices::openUrl(QUrl(link, QUrl::TolerantMode))) return true;
    alertUser(QStringLiteral("ブラウザを起動できませんでした。\r\n(既定のブラウザ: %1)\r\n%2")
                  .arg(desktopUrlHandler(), link));
    return false;
}

} // namespace lorvanel
