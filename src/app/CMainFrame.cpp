#include "app/CMainFrame.h"

#include "app/CAboutDlg.h"
#include "app/CFilterTree.h"
#include "app/CGraphFrame.h"
#include "app/CGraphView.h"
#include "app/CLogFollower.h"
#include "app/CLorvanelView2.h"
#include "app/CLorvanelViewFrame.h"
#include "app/CMainView.h"
#include "app/COperationRunner.h"
#include "app/COptionSheet.h"
#include "app/CProgressStatus.h"
#include "app/CReportFrame.h"
#include "app/CReportView.h"
#include "app/CSelectionNavigator.h"
#include "app/CUiPrompts.h"
#include "app/DocBridge.h"
#include "doc/CDoc.h"
#include "doc/DocFilter.h"
#include "doc/KeywordCommands.h"
#include "doc/Settings.h"
#include "doc/UserFiles.h"
#include "input/JDimLogFiles.h"
#include "input/PathList.h"
#include "platform/Alert.h"
#include "platform/File.h"
#include "platform/Paths.h"
#include "ui/QtText.h"
#include "ui/ScreenFit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>

namespace lorvanel {

namespace {

constexpr int kLeftPaneWidth = 160;
constexpr int kRightPaneWidth = 120;

bool isRecentId(int id) {
    return id >= cmd::kRecentFirst && id <= cmd::kRecentLast;
}
bool isKeywordId(int id) {
    return id >= cmd::kKeywordFirst && id <= cmd::kKeywordLast;
}

// The wait cursor and the status message of a load; both go when the load returns.
class BusyScope {
public:
    BusyScope(QStatusBar* bar, const QString& message) : bar_(bar) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        bar_->showMessage(message);
        // Let the message paint before the work blocks the event loop.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ~BusyScope() {
        bar_->clearMessage();
        QApplication::restoreOverrideCursor();
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    QStatusBar* bar_;
};

// "&1 lorvanel.txt" for one file, "&2 sent.ini ほか2件" for a set: the file name, never the
// stored entry with its quotes and folders.
QString recentMenuCaption(std::size_t index, const std::vector<std::string>& paths) {
    QString name = paths.empty() ? QString() : QFileInfo(pathToQString(paths.front())).fileName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (paths.size() > 1) name += QStringLiteral(" ほか%1件").arg(paths.size() - 1);
    return QStringLiteral("&%1 %2").arg(index < 9 ? static_cast<int>(index) + 1 : 0).arg(name);
}

QString keywordCaption(const std::string& fileName) {
    QString base = pathToQString(fileName);
    if (base.endsWith(QStringLiteral(".txt"))) base.chop(4);
    return base.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

CMainFrame::CMainFrame(CDoc& doc, CUiPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), doc_(doc), prompts_(prompts), bridge_(new DocBridge(doc, this)),
      runner_(new COperationRunner(this)) {
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setAcceptDrops(true);
    setDockNestingEnabled(true);

    splitter_ = new QSplitter(Qt::Horizontal, this);
    leftPane_ = new QTabWidget(splitter_);
    leftPane_->setDocumentMode(true);
    filterTree_ = new CFilterTree(*bridge_, leftPane_);
    leftPane_->addTab(filterTree_, QStringLiteral("フィルタ"));
    view_ = new CMainView(*bridge_, splitter_);
    splitter_->addWidget(leftPane_);
    splitter_->addWidget(view_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({kLeftPaneWidth, kRightPaneWidth});
    splitter_->setChildrenCollapsible(false);
    setCentralWidget(splitter_);
    navigator_ = new CSelectionNavigator(*filterTree_, this);

    createMenus();
    createToolBar();
    // The applied filter's text beside the count, so that the window says what it shows.
    filterLabel_ = new QLabel(this);
    filterLabel_->setTextFormat(Qt::PlainText);
    // Its text is cut to a third of the window: its own width sets no minimum on the window.
    filterLabel_->setMinimumWidth(1);
    statusBar()->addPermanentWidget(filterLabel_);
    counts_ = new QLabel(this);
    progress_ = new CProgressStatus(*runner_, this, statusBar());
    statusBar()->addPermanentWidget(progress_);
    statusBar()->addPermanentWidget(counts_);
    // The post list names the thread of the link under the pointer in the message pane.
    connect(view_->postListFrame()->view(), &CLorvanelView2::statusMessage, statusBar(),
            [bar = statusBar()](const QString& text) { bar->showMessage(text); });
    // A search without a hit says so there, until the next search or edit.
    connect(view_->postListFrame(), &CLorvanelViewFrame::statusMessage, statusBar(),
            [bar = statusBar()](const QString& text) { bar->showMessage(text); });
    // The graph tells the axis values under the pointer there too.
    connect(view_->graphFrame()->view(), &CGraphView::statusMessage, statusBar(),
            [bar = statusBar()](const QString& text) { bar->showMessage(text); });
    resize(960, 680);

    // The open log follows the browser's writes to its files.
    CLogFollower::Hooks hooks;
    hooks.reload = [this] { return reload(); };
    hooks.appliedText = [this] { return toCp932Lossy(appliedFilter_); };
    hooks.idle = [this] { return !runner_->busy(); };
    follower_ =
        new CLogFollower(*filterTree_, *view_->postListFrame()->view(), std::move(hooks), this);
    connect(follower_, &CLogFollower::statusMessage, statusBar(),
            [bar = statusBar()](const QString& text) { bar->showMessage(text); });

    connect(bridge_, &DocBridge::changed, this, [this](DocHint hint) {
        if (hint == DocHint::DataChanged) documentChanged();
    });
    connect(filterTree_, &CFilterTree::filterTextChanged, this, &CMainFrame::applyFilterText);
    // A click on a graph selects what was clicked in the tree; the graph stays in front.
    connect(view_->graphFrame()->view(), &CGraphView::filterClicked, filterTree_,
            &CFilterTree::selectFilterText);
    updateCommands();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::addCommand(QMenu* menu, int id, const QString& text) {
    QAction* a = menu->addAction(text);
    a->setData(id);
    return a;
}

QAction* CMainFrame::action(int id) const {
    static constexpr std::pair<int, QAction * MainActions::*> kById[] = {
        {cmd::kFileOpen, &MainActions::fileOpen},
        {cmd::kFileMerge, &MainActions::fileMerge},
        {cmd::kOpenJDimLog, &MainActions::openJDimLog},
        {cmd::kFileClose, &MainActions::fileClose},
        {cmd::kReload, &MainActions::reload},
        {cmd::kReadWhole, &MainActions::readWhole},
        {cmd::kOpenInEditor, &MainActions::openInEditor},
        {cmd::kExit, &MainActions::exit},
        {cmd::kCopy, &MainActions::copy},
        {cmd::kSelectAll, &MainActions::selectAll},
        {cmd::kFilterTree, &MainActions::filterTree},
        {cmd::kMultiSelect, &MainActions::multiSelect},
        {cmd::kClearFilter, &MainActions::clearFilter},
        {cmd::kAutoKeywords, &MainActions::autoKeywords},
        {cmd::kOptions, &MainActions::options},
        {cmd::kAbout, &MainActions::about},
    };
    for (const auto& [number, member] : kById)
        if (number == id) return actions_.*member;
    return nullptr;
}

void CMainFrame::createMenus() {
    MainActions& a = actions_;
    fileMenu_ = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    a.fileOpen = addCommand(fileMenu_, cmd::kFileOpen, QStringLiteral("lorvanel.txtを開く(&O)..."));
    a.fileOpen->setShortcut(QKeySequence::Open);
    a.fileOpen->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    a.fileMerge =
        addCommand(fileMenu_, cmd::kFileMerge, QStringLiteral("lorvanel.txtを追加で開く(&A)..."));
    a.openJDimLog =
        addCommand(fileMenu_, cmd::kOpenJDimLog, QStringLiteral("JDimの書き込みログを開く(&J)"));
    a.fileClose = addCommand(fileMenu_, cmd::kFileClose, QStringLiteral("閉じる(&C)"));
    fileMenu_->addSeparator();
    // The recent entries go here, two places after "閉じる".
    fileMenu_->addSeparator();
    a.reload = addCommand(fileMenu_, cmd::kReload, QStringLiteral("再読み込み(&R)"));
    a.reload->setShortcut(Qt::Key_F5);
    a.readWhole = addCommand(fileMenu_, cmd::kReadWhole, QStringLiteral("全部読み込む(&W)"));
    a.readWhole->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    a.openInEditor =
        addCommand(fileMenu_, cmd::kOpenInEditor, QStringLiteral("テキストエディタで開く(&E)"));
    a.openInEditor->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    fileMenu_->addSeparator();
    a.exit = addCommand(fileMenu_, cmd::kExit, QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"));
    a.exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(fileMenu_, &QMenu::aboutToShow, this, &CMainFrame::rebuildRecentMenu);
    connect(a.fileOpen, &QAction::triggered, this, &CMainFrame::fileOpen);
    connect(a.fileMerge, &QAction::triggered, this, &CMainFrame::fileMerge);
    connect(a.openJDimLog, &QAction::triggered, this, &CMainFrame::openJDimLog);
    connect(a.fileClose, &QAction::triggered, this, &CMainFrame::fileClose);
    connect(a.reload, &QAction::triggered, this, &CMainFrame::reload);
    connect(a.readWhole, &QAction::triggered, this, &CMainFrame::readWholeFiles);
    connect(a.openInEditor, &QAction::triggered, this, &CMainFrame::openInEditor);
    connect(a.exit, &QAction::triggered, this, &QWidget::close);
    rebuildRecentMenu();

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    a.copy = addCommand(edit, cmd::kCopy, QStringLiteral("コピー(&C)"));
    a.copy->setShortcut(QKeySequence::Copy);
    a.selectAll = addCommand(edit, cmd::kSelectAll, QStringLiteral("全て選択(&A)"));
    a.selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    connect(a.copy, &QAction::triggered, this, [this] { copyOrSelectAll(false); });
    connect(a.selectAll, &QAction::triggered, this, [this] { copyOrSelectAll(true); });
    edit->addSeparator();
    // Ctrl+F: the post list comes to the front with the cursor in its search field.
    a.find = edit->addAction(QStringLiteral("検索(&F)"));
    a.find->setShortcut(QKeySequence::Find);
    connect(a.find, &QAction::triggered, this, [this] {
        view_->setCurrentWidget(view_->postListFrame());
        view_->postListFrame()->focusSearch();
    });

    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    a.filterTree = addCommand(viewMenu, cmd::kFilterTree, QStringLiteral("フィルタツリー"));
    a.filterTree->setCheckable(true);
    a.filterTree->setChecked(true);
    a.filterTree->setIcon(style()->standardIcon(QStyle::SP_FileDialogListView));
    connect(a.filterTree, &QAction::triggered, this, &CMainFrame::toggleFilterTree);
    a.multiSelect = addCommand(viewMenu, cmd::kMultiSelect, QStringLiteral("フィルタの複数選択"));
    a.multiSelect->setCheckable(true);
    a.multiSelect->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    a.multiSelect->setChecked(true);
    connect(a.multiSelect, &QAction::toggled, this,
            [this](bool on) { filterTree_->setMultiSelection(on); });
    a.clearFilter = addCommand(viewMenu, cmd::kClearFilter, QStringLiteral("フィルタ解除"));
    a.clearFilter->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    connect(a.clearFilter, &QAction::triggered, this, &CMainFrame::clearFilter);

    toolsMenu_ = menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    a.autoKeywords =
        addCommand(toolsMenu_, cmd::kAutoKeywords, QStringLiteral("自動キーワード解析"));
    connect(a.autoKeywords, &QAction::triggered, this, [this] { runAutoKeywords(); });
    toolsMenu_->addSeparator();
    // The keyword files go here, two places after "自動キーワード解析".
    toolsMenu_->addSeparator();
    a.options = addCommand(toolsMenu_, cmd::kOptions, QStringLiteral("オプション(&O)..."));
    a.options->setIcon(style()->standardIcon(QStyle::SP_FileDialogInfoView));
    connect(a.options, &QAction::triggered, this, &CMainFrame::editOptions);
    connect(toolsMenu_, &QMenu::aboutToShow, this, &CMainFrame::rebuildKeywordMenu);

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    a.about = addCommand(help, cmd::kAbout, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)..."));
    a.about->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    connect(a.about, &QAction::triggered, this, &CMainFrame::about);
}

void CMainFrame::createToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("ツールバー"));
    bar->setObjectName(QStringLiteral("MainToolBar"));
    bar->setMovable(true);
    const MainActions& a = actions_;
    // Null stands for a separator.
    for (QAction* command :
         {a.fileOpen, (QAction*)nullptr, a.readWhole, a.openInEditor, (QAction*)nullptr,
          a.filterTree, a.multiSelect, a.clearFilter, (QAction*)nullptr, a.options, a.about,
          (QAction*)nullptr, navigator_->backAction(), navigator_->forwardAction()}) {
        if (command)
            bar->addAction(command);
        else
            bar->addSeparator();
    }
    // Tool tips without the menus' "(&X)..." decorations.
    for (QAction* a : bar->actions()) {
        QString tip = a->text();
        tip.remove(QStringLiteral("..."));
        const qsizetype amp = tip.indexOf(QStringLiteral("(&"));
        if (amp >= 0) tip.truncate(amp);
        a->setToolTip(tip.remove(QLatin1Char('&')));
    }
}

void CMainFrame::documentChanged() {
    updateCommands();
    updateTitle();
}

void CMainFrame::showAppliedFilter() {
    // Long texts are cut in the middle, where a filter's parts meet; the tooltip has it whole.
    const int width = std::max(120, this->width() / 3);
    filterLabel_->setText(
        filterLabel_->fontMetrics().elidedText(appliedFilter_, Qt::ElideMiddle, width));
    filterLabel_->setToolTip(appliedFilter_);
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The text is cut to the new width, so that a long filter never holds the window wide.
    showAppliedFilter();
}

void CMainFrame::updateCommands() {
    const PostLog& log = doc_.postLog();
    const bool loaded = !log.sourcePaths.empty();
    actions_.reload->setEnabled(loaded);
    actions_.readWhole->setEnabled(loaded && log.bytesRead != log.fileSize);
    actions_.openInEditor->setEnabled(loaded);
    actions_.clearFilter->setEnabled(doc_.canClearFilter());
    actions_.filterTree->setChecked(leftPane_->isVisibleTo(this));
    showAppliedFilter();
    if (log.posts.empty() && !loaded)
        counts_->clear();
    else
        counts_->setText(
            QStringLiteral("%1 / %2 レス")
                .arg(QLocale::c().toString(static_cast<qlonglong>(doc_.selection().size())),
                     QLocale::c().toString(static_cast<qlonglong>(log.posts.size()))));
}

void CMainFrame::updateTitle() {
    QStringList names;
    for (const std::string& p : doc_.postLog().sourcePaths)
        names.push_back(QFileInfo(pathToQString(p)).fileName());
    const QString app = QString::fromUtf8(kAppTitle);
    setWindowTitle(
        names.isEmpty() ? app : names.join(QStringLiteral(", ")) + QStringLiteral(" - ") + app);
}

bool CMainFrame::loadFiles(const std::vector<std::string>& paths, bool merge,
                           std::uint64_t byteLimit) {
    if (paths.empty() && !merge) return false;
    bool ok;
    appliedFilter_.clear();
    {
        BusyScope busy(statusBar(), QStringLiteral("解析しています..."));
        ok = runner_->run(
            [this, paths, merge, byteLimit](CancelToken* token) {
                return doc_.prepareLoad(paths, merge, byteLimit, token);
            },
            [this](PreparedChange change) { return doc_.commit(std::move(change)); });
    }
    if (ok) {
        navigator_->restart();
        follower_->setEnabled(settings().followLogChanges != 0);
        follower_->follow(doc_.postLog().sourcePaths);
    }
    updateCommands();
    updateTitle();
    return ok;
}

void CMainFrame::fileOpen() {
    const QString path = prompts_.chooseLogFile(this);
    if (path.isEmpty()) return;
    loadFiles({pathFromQString(path)}, false, settings().byteLimit());
}

void CMainFrame::fileMerge() {
    const QString path = prompts_.chooseLogFile(this);
    if (path.isEmpty()) return;
    loadFiles({pathFromQString(path)}, true, settings().byteLimit());
}

void CMainFrame::openJDimLog() {
    const JDimLogSearch search = findJDimLogs();
    if (search.files.empty()) {
        showAlert(jdimLogNotFoundMessage(search));
        return;
    }
    loadFiles(search.files, false, settings().byteLimit());
}

void CMainFrame::fileClose() {
    appliedFilter_.clear();
    // Closing makes whatever runs useless.
    runner_->cancel();
    runner_->waitUntilIdle();
    doc_.close();
    navigator_->clear();
    follower_->follow({});
    updateCommands();
    updateTitle();
}

bool CMainFrame::reload() {
    const std::vector<std::string> paths = doc_.postLog().sourcePaths;
    if (paths.empty()) return false;
    return loadFiles(paths, false, settings().byteLimit());
}

void CMainFrame::readWholeFiles() {
    const PostLog& log = doc_.postLog();
    if (log.sourcePaths.empty() || log.bytesRead == log.fileSize) return;
    const std::vector<std::string> paths = log.sourcePaths;
    loadFiles(paths, false, 0);
}

void CMainFrame::openInEditor() {
    for (const std::string& path : doc_.postLog().sourcePaths)
        prompts_.openWithDesktop(QUrl::fromLocalFile(pathToQString(path)));
}

void CMainFrame::openRecent(int index) {
    const std::vector<std::string>& recent = settings().recentFiles.items();
    if (index < 0 || static_cast<std::size_t>(index) >= recent.size()) return;
    std::vector<std::string> paths;
    addPathString(paths, recent[static_cast<std::size_t>(index)]);
    if (paths.empty()) return;
    loadFiles(paths, false, settings().byteLimit());
}

void CMainFrame::runAutoKeywords() {
    runner_->run([this](CancelToken* token) { return prepareAutoKeywordAnalysis(doc_, token); },
                 [this](PreparedChange change) { return doc_.commit(std::move(change)); });
}

void CMainFrame::runKeywordFile(const std::string& path) {
    runner_->run(
        [this, path](CancelToken* token) { return prepareKeywordFileAnalysis(doc_, path, token); },
        [this](PreparedChange change) { return doc_.commit(std::move(change)); });
}

void CMainFrame::toggleFilterTree() {
    const bool show = !leftPane_->isVisibleTo(this);
    leftPane_->setVisible(show);
    actions_.filterTree->setChecked(show);
}

void CMainFrame::clearFilter() {
    appliedFilter_.clear();
    const bool cleared = runner_->run(
        [this](CancelToken* token) { return doc_.prepareClearFilter(token); },
        [this](PreparedChange change) { return doc_.commit(std::move(change)); }, true);
    if (cleared) navigator_->recordShown(std::string());
    updateCommands();
}

void CMainFrame::applyFilterText(const std::string& text) {
    const CSelectionNavigator::Ticket ticket = navigator_->beginApply(text);
    const unsigned choice = ++filterChoices_;
    const bool applied = runner_->run(
        [this, text](CancelToken* token) {
            return text.empty() ? doc_.prepareClearFilter(token) : prepareFilter(doc_, text, token);
        },
        [this](PreparedChange change) { return doc_.commit(std::move(change)); }, true);
    if (applied)
        appliedFilter_ = toQString(text);
    else if (choice == filterChoices_)
        // Refused, given up or cancelled, and no newer choice replaced it: the document shows
        // what it showed, and so does the pane.
        filterTree_->filterNotApplied();
    navigator_->finishApply(ticket, applied);
    updateCommands();
}

void CMainFrame::editOptions() {
    AnalyzeOptions& options = doc_.analyzeOptions();
    COptionSheet sheet(
        settings(), options.threadRanking, options.monthThreadRanking,
        [this](QWidget* parent) { return prompts_.chooseBrowserProgram(parent); }, this);
    if (!prompts_.runOptionSheet(sheet)) return;
    settings() = sheet.edited();
    options.threadRanking = sheet.threadRanking();
    options.monthThreadRanking = sheet.monthThreadRanking();
    follower_->setEnabled(settings().followLogChanges != 0);
    writeSettings([](IniFile& ini) { settings().write(ini); });
}

bool CMainFrame::writeSettings(const std::function<void(IniFile&)>& change) {
    std::string error;
    if (updateSettingsFile(change, &error)) return true;
    // The program works on without its file; saying so at every write would only nag.
    if (!toldUnsaved_) alertUser(pathToQString(error));
    toldUnsaved_ = true;
    return false;
}

void CMainFrame::about() {
    prompts_.showAbout(this);
}

void CMainFrame::copyOrSelectAll(bool selectAll) {
    if (view_->currentWidget() == view_->postListFrame()) {
        CLorvanelView2* list = view_->postListFrame()->view();
        if (selectAll)
            list->selectAll();
        else
            list->copySelection();
        return;
    }
    auto* text = qobject_cast<QPlainTextEdit*>(QApplication::focusWidget());
    if (!text && view_->currentWidget() == view_->reportFrame())
        text = view_->reportFrame()->view();
    if (!text) text = qobject_cast<QPlainTextEdit*>(view_->currentWidget());
    if (!text) return;
    if (selectAll)
        text->selectAll();
    else
        text->copy();
}

void CMainFrame::rebuildRecentMenu() {
    QList<QAction*> actions = fileMenu_->actions();
    for (QAction* a : actions) {
        if (isRecentId(a->data().toInt()) || a->property("recentPlaceholder").toBool()) {
            fileMenu_->removeAction(a);
            a->deleteLater();
        }
    }
    actions = fileMenu_->actions();
    const qsizetype closePos = actions.indexOf(actions_.fileClose);
    const qsizetype at = closePos + 2;
    const std::vector<std::string>& recent = settings().recentFiles.items();
    const int ids = cmd::kRecentLast - cmd::kRecentFirst + 1;
    std::vector<QAction*> items;
    if (recent.empty()) {
        auto* none = new QAction(QStringLiteral("最近使ったファイル"), fileMenu_);
        none->setEnabled(false);
        none->setProperty("recentPlaceholder", true);
        items.push_back(none);
    }
    for (std::size_t i = 0; i < recent.size() && i < static_cast<std::size_t>(ids); ++i) {
        std::vector<std::string> paths;
        addPathString(paths, recent[i]);
        auto* a = new QAction(recentMenuCaption(i, paths), fileMenu_);
        QStringList whole;
        for (const std::string& p : paths) whole << pathToQString(p);
        a->setStatusTip(whole.join(QStringLiteral(", ")));
        a->setData(cmd::kRecentFirst + static_cast<int>(i));
        connect(a, &QAction::triggered, this, [this, i] { openRecent(static_cast<int>(i)); });
        items.push_back(a);
    }
    QAction* before = actions.value(at, nullptr);
    for (QAction* a : items) fileMenu_->insertAction(before, a);
}

void CMainFrame::rebuildKeywordMenu() {
    for (QAction* a : toolsMenu_->actions()) {
        if (isKeywordId(a->data().toInt())) {
            toolsMenu_->removeAction(a);
            a->deleteLater();
        }
    }
    const std::string dir =
        keywordDirectoryFor(settings().keywordDirectory, programDirectories(), userFileDirs());
    const std::vector<std::string> names = listFiles(dir, ".txt");
    const qsizetype at = toolsMenu_->actions().indexOf(actions_.autoKeywords) + 2;
    int id = cmd::kKeywordFirst;
    // Each file is put at the same place, so the menu lists them in reverse order.
    for (const std::string& name : names) {
        if (id > cmd::kKeywordLast) break;
        auto* a = new QAction(keywordCaption(name), toolsMenu_);
        a->setData(id++);
        const std::string path = joinPath(dir, name);
        connect(a, &QAction::triggered, this, [this, path] { runKeywordFile(path); });
        toolsMenu_->insertAction(toolsMenu_->actions().value(at, nullptr), a);
    }
}

void CMainFrame::dropPaths(const QStringList& dropped) {
    std::vector<std::string> paths;
    for (const QString& p : dropped) {
        // A dropped name is always one path, even when it starts with a quote.
        const std::string path = pathFromQString(p);
        if (!path.empty() && !containsPath(paths, path)) paths.push_back(path);
    }
    if (paths.empty()) return;
    bool merge = false;
    if (!doc_.postLog().sourcePaths.empty()) {
        switch (prompts_.confirmDrop(this)) {
        case CUiPrompts::DropChoice::Cancel:
            return;
        case CUiPrompts::DropChoice::Merge:
            merge = true;
            break;
        case CUiPrompts::DropChoice::New:
            break;
        }
    }
    loadFiles(paths, merge, settings().byteLimit());
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths.push_back(url.toLocalFile());
    event->acceptProposedAction();
    dropPaths(paths);
}

void CMainFrame::loadSettings(const IniFile& ini) {
    placement_ = readWindowPlacement(ini);
    filterTree_->loadSettings(ini);
    view_->graphFrame()->loadSettings(ini);
}

void CMainFrame::saveSettings(IniFile& ini) {
    // The placement is the one the window had when it was closed, or has now.
    if (!closed_) rememberPlacement();
    if (placement_ && placementShown_) writeWindowPlacement(ini, *placement_);
    filterTree_->saveSettings(ini);
    view_->graphFrame()->saveSettings(ini);
}

void CMainFrame::rememberPlacement() {
    // Only a placement the user saw is kept: a window never shown keeps the stored one
    // out of the file's next write.
    if (!isVisible()) return;
    placementShown_ = true;
    const QByteArray geometry = saveGeometry();
    placement_ = std::string(geometry.constData(), static_cast<std::size_t>(geometry.size()));
}

bool CMainFrame::restorePlacement() {
    if (!placement_) return false;
    if (!restoreGeometry(
            QByteArray(placement_->data(), static_cast<qsizetype>(placement_->size()))))
        return false;
    // A placement from a larger screen, or written by hand, opens on this one.
    fitWindowToScreen(*this);
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // An operation still running is of no use any more; its thread ends at its next check.
    runner_->cancel();
    if (!closed_) {
        rememberPlacement();
        closed_ = true;
    }
    event->accept();
}

} // namespace lorvanel
