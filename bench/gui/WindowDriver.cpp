#include "gui/WindowDriver.h"

#include "app/CFilterTree.h"
#include "app/CGraphFrame.h"
#include "app/CLorvanelApp.h"
#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "app/COperationRunner.h"
#include "app/FilterTreeModel.h"
#include "doc/CDoc.h"
#include "doc/DocFilter.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QWindow>

#include <cstdio>

#include <stdexcept>

namespace lorvanel::bench {

namespace {

// The caption itself, or the caption followed by the count of a generated item.
bool captionMatches(const QString& text, const QString& caption) {
    return text == caption ||
           (text.startsWith(caption) && text.mid(caption.size()).startsWith(u'('));
}

} // namespace

WindowDriver::WindowDriver(const std::string& settingsDirectory)
    : app_(std::make_unique<CLorvanelApp>()) {
    CLorvanelApp::StartOptions options;
    options.currentDirectory = settingsDirectory;
    options.executablePath = settingsDirectory + "/lorvanel";
    options.programDirectories = {settingsDirectory + "/"};
    // Messages go to standard error; a message box would wait for a click.
    options.installAlertSink = false;
    options.show = true;
    if (!app_->initInstance(options)) throw std::runtime_error("the window did not start");
    frame().resize(1280, 900);
    // The screen (the offscreen platform's too) shows the window once it is exposed; until
    // then nothing is painted by the event loop.
    QElapsedTimer waited;
    waited.start();
    while (!exposed() && waited.elapsed() < 5000) QCoreApplication::processEvents();
    if (!exposed())
        std::fprintf(stderr, "lorvanel-gui-bench: the window was never exposed; every step "
                             "paints the whole window into an image instead\n");
    paint();
}

bool WindowDriver::exposed() {
    return frame().windowHandle() && frame().windowHandle()->isExposed();
}

WindowDriver::~WindowDriver() {
    app_->exitInstance();
}

CDoc& WindowDriver::document() {
    return app_->document();
}

CMainFrame& WindowDriver::frame() {
    return *app_->mainFrame();
}

void WindowDriver::settle() {
    frame().operations().waitUntilIdle();
}

void WindowDriver::paint() {
    settle();
    // The event loop paints what changed into the window's backing store and flushes it, as
    // for the screen: the visible tab and whatever else changed, nothing hidden. A paint may
    // ask for another (a view catching up), hence the second round.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    // A window that is not exposed gets no paint from the event loop: the whole window is
    // then rendered into an image instead (hidden tabs are not painted either way).
    if (!exposed()) (void)frame().grab();
}

bool WindowDriver::open(const std::string& path) {
    const bool ok = frame().loadFiles({path}, false, 0);
    paintEveryTab();
    return ok && !document().postLog().posts.empty();
}

void WindowDriver::paintEveryTab() {
    QTabWidget* tabs = frame().mainView();
    const int current = tabs->currentIndex();
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        paint();
    }
    tabs->setCurrentIndex(current);
    paint();
}

int WindowDriver::tabCount() const {
    return app_->mainFrame()->mainView()->count();
}

QString WindowDriver::tabCaption(int index) const {
    return app_->mainFrame()->mainView()->tabText(index);
}

void WindowDriver::showTab(int index) {
    frame().mainView()->setCurrentIndex(index);
    paint();
}

int WindowDriver::graphKindCount() const {
    return app_->mainFrame()->mainView()->graphFrame()->kindChooser()->count();
}

QString WindowDriver::graphKindCaption(int index) const {
    return app_->mainFrame()->mainView()->graphFrame()->kindChooser()->itemText(index);
}

void WindowDriver::chooseGraphKind(int index) {
    frame().mainView()->graphFrame()->kindChooser()->setCurrentIndex(index);
    paint();
}

CFilterTree* WindowDriver::filterTree() const {
    QTabWidget* pane = app_->mainFrame()->filterPane();
    return pane ? pane->findChild<CFilterTree*>() : nullptr;
}

QModelIndex WindowDriver::childItem(const QModelIndex& parent, const QString& caption) const {
    CFilterTree* tree = filterTree();
    if (!tree) return {};
    const QAbstractItemModel* rows = tree->itemModel();
    for (int i = 0; i < rows->rowCount(parent); ++i) {
        const QModelIndex child = rows->index(i, 0, parent);
        if (captionMatches(child.data().toString(), caption)) return child;
    }
    return {};
}

QModelIndex WindowDriver::locate(const TreeChoice& choice) {
    if (choice.parent.isEmpty()) return childItem({}, choice.caption);
    const QModelIndex parent = childItem({}, choice.parent);
    if (!parent.isValid()) return {};
    // Generated items appear when their parent is first expanded.
    if (!filterTree()->isExpanded(parent)) {
        filterTree()->expand(parent);
        paint();
    }
    return childItem(parent, choice.caption);
}

void WindowDriver::select(const QModelIndex& item) {
    filterTree()->selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
    paint();
}

void WindowDriver::applyText(const std::string& filterText) {
    applyFilter(document(), filterText);
    paint();
}

bool WindowDriver::choose(const TreeChoice& choice) {
    if (const QModelIndex item = locate(choice); item.isValid()) {
        select(item);
        return true;
    }
    applyText(choice.filterText);
    return false;
}

void WindowDriver::clearFilter() {
    frame().clearFilter();
    paint();
}

bool WindowDriver::setExpanded(const QString& caption, bool expanded) {
    const QModelIndex item = childItem({}, caption);
    if (!item.isValid()) return false;
    filterTree()->setExpanded(item, expanded);
    paint();
    return true;
}

} // namespace lorvanel::bench
