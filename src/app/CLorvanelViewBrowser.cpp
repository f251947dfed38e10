#include "app/CLorvanelViewBrowser.h"

#include "doc/Settings.h"
#include "ui/QtText.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace lorvanel {

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
    alertUser(QStringLiteral("ブラウザを起動できませんでした。\r\n(既定のブラウザ: %1)").arg(link));
    return false;
}

} // namespace lorvanel
