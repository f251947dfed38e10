#include "GuiTestSupport.h"

#include "app/CFilterTree.h"
#include "app/FilterTreeModel.h"
#include "app/CMainFrame.h"
#include "app/COptionSheet.h"
#include "platform/Encoding.h"
#include "support/LogBuilder.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QtTest>

#include <map>

namespace lorvanel::testing {

std::string cp932(const QString& text) {
    std::string out;
    const QByteArray utf8 = text.toUtf8();
    utf8ToCp932(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), out);
    return out;
}

WorkingDirectory::WorkingDirectory() : previous_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
}

WorkingDirectory::~WorkingDirectory() {
    QDir::setCurrent(previous_);
}

std::string WorkingDirectory::path() const {
    return QFile::encodeName(dir_.path()).toStdString();
}

std::string WorkingDirectory::write(const std::string& name, const std::string& bytes) const {
    const std::string p = file(name);
    QFile f(QString::fromStdString(p));
    if (f.open(QIODevice::WriteOnly)) f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return p;
}

QString WorkingDirectory::iniText() const {
    QFile f(QString::fromStdString(iniPath()));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    return QString::fromUtf8(
        cp932ToUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

std::string janeLogText(const std::vector<JanePost>& posts) {
    LogBuilder log(1);
    int thread = 1199210000;
    for (const JanePost& p : posts) {
        LogPost post;
        post.date = cp932(p.date);
        post.title = cp932(p.title);
        post.url = "http://news.2ch.net/test/read.cgi/" + cp932(p.dir) + "/" +
                   std::to_string(thread++) + "/";
        post.body = cp932(p.body);
        log.add(post);
    }
    return log.text();
}

std::vector<JanePost> janeSeries(int n, const QString& day, const QString& dir) {
    std::vector<JanePost> posts;
    for (int i = 0; i < n; ++i) {
        JanePost p;
        p.date = day + QStringLiteral(" %1:00:00").arg(i % 24, 2, 10, QLatin1Char('0'));
        p.title = QStringLiteral("スレ%1").arg(i + 1);
        p.dir = dir;
        posts.push_back(p);
    }
    return posts;
}

QString ScriptedPrompts::chooseLogFile(QWidget*) {
    if (logFiles.empty()) return {};
    QString next = logFiles.front();
    logFiles.erase(logFiles.begin());
    return next;
}

QString ScriptedPrompts::chooseBrowserProgram(QWidget*) {
    if (browsers.empty()) return {};
    QString next = browsers.front();
    browsers.erase(browsers.begin());
    return next;
}

CUiPrompts::DropChoice ScriptedPrompts::confirmDrop(QWidget*) {
    ++dropAsked;
    return drop;
}

bool ScriptedPrompts::runOptionSheet(COptionSheet& sheet) {
    if (onSheet) onSheet(sheet);
    return sheet.result() == QDialog::Accepted;
}

bool ScriptedPrompts::openWithDesktop(const QUrl& url) {
    opened.push_back(url);
    return true;
}

CLorvanelApp::StartOptions startOptions(const WorkingDirectory& dir) {
    CLorvanelApp::StartOptions o;
    o.currentDirectory = dir.path();
    o.executablePath = "/opt/lorvanel/bin/lorvanel";
    o.programDirectories = {dir.path() + "/"};
    // The user's folders lie in the test's directory too: no test touches the real ones.
    o.userDirs.home = dir.path() + "/home";
    o.userDirs.configHome = dir.path() + "/config";
    o.userDirs.dataHome = dir.path() + "/data";
    o.userDirs.cacheHome = dir.path() + "/cache";
    o.installAlertSink = false;
    return o;
}

StartedWindow::StartedWindow(const WorkingDirectory& dir, CLorvanelApp::StartOptions options) {
    auto p = std::make_unique<ScriptedPrompts>();
    prompts = p.get();
    app = std::make_unique<CLorvanelApp>(std::move(p));
    if (options.currentDirectory.empty()) options = startOptions(dir);
    ok = app->initInstance(options);
}

bool StartedWindow::load(const std::vector<std::string>& logs) {
    return ok && frame()->loadFiles(logs, false, 0);
}

bool StartedWindow::show(QSize size) {
    if (!ok) return false;
    if (!size.isEmpty()) frame()->resize(size);
    frame()->show();
    return QTest::qWaitForWindowExposed(frame());
}

CMainView* StartedWindow::tabs() const {
    return frame()->mainView();
}

std::map<std::string, TestFactory>& registry() {
    static std::map<std::string, TestFactory> r;
    return r;
}

TestRegistration::TestRegistration(const char* name, TestFactory factory) {
    registry()[name] = std::move(factory);
}

QModelIndex existingFilterRow(const CFilterTree* tree, const QStringList& labels) {
    const QAbstractItemModel* model = tree->itemModel();
    QModelIndex at;
    for (const QString& label : labels) {
        QModelIndex next;
        for (int row = 0; row < model->rowCount(at) && !next.isValid(); ++row)
            if (model->index(row, 0, at).data().toString() == label)
                next = model->index(row, 0, at);
        if (!next.isValid()) return {};
        at = next;
    }
    return at;
}

} // namespace lorvanel::testing
