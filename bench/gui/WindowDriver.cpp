#include "gui/WindowDriver.h"

#include "app/CLorvanelApp.h"
#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "doc/CDoc.h"
#include "doc/DocFilter.h"

#include <QApplication>
#include <QTabWidget>
#include <QTreeWidget>

#include <stdexcept>

namespace lorvanel::bench {

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
    paint();
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

void WindowDriver::paint() {
    QCoreApplication::processEvents();
    // The whole window as it stands on the screen: hidden tabs are not painted.
    (void)frame().grab();
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

QTreeWidget* WindowDriver::filterTree() const {
    QTabWidget* pane = app_->mainFrame()->filterPane();
    return pane ? pane->findChild<QTreeWidget*>() : nullptr;
}

QTreeWidgetItem* WindowDriver::findTreeItem(const QString& caption) const {
    QTreeWidget* tree = filterTree();
    if (!tree) return nullptr;
    // The caption itself, or with the count that generated nodes add: "2012年(6789)".
    for (const Qt::MatchFlags how : {Qt::MatchExactly, Qt::MatchStartsWith}) {
        const QList<QTreeWidgetItem*> found = tree->findItems(caption, how | Qt::MatchRecursive);
        for (QTreeWidgetItem* item : found)
            if (how == Qt::MatchExactly || item->text(0).mid(caption.size()).startsWith(u'('))
                return item;
    }
    // Generated nodes may appear only once their parent was expanded: open the top level
    // (outside any timing: the choices expand first) and look again.
    bool expandedAny = false;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = tree->topLevelItem(i);
        if (!top->isExpanded() &&
            top->childIndicatorPolicy() != QTreeWidgetItem::DontShowIndicator) {
            top->setExpanded(true);
            expandedAny = true;
        }
    }
    if (!expandedAny) return nullptr;
    return findTreeItem(caption);
}

bool WindowDriver::choose(const TreeChoice& choice) {
    if (QTreeWidgetItem* item = findTreeItem(choice.caption)) {
        // One change of selection, as a click makes it.
        filterTree()->setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect);
        paint();
        return true;
    }
    applyFilter(document(), choice.filterText);
    paint();
    return false;
}

void WindowDriver::clearFilter() {
    frame().clearFilter();
    paint();
}

bool WindowDriver::setExpanded(const QString& caption, bool expanded) {
    QTreeWidgetItem* item = findTreeItem(caption);
    if (!item) return false;
    item->setExpanded(expanded);
    paint();
    return true;
}

} // namespace lorvanel::bench
