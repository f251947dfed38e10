#include "app/CMainView.h"

#include "app/CGraphFrame.h"
#include "app/CLorvanelViewFrame.h"
#include "app/CReportFrame.h"
#include "app/DocBridge.h"
#include "doc/CDoc.h"
#include "ui/FixedFont.h"
#include "ui/QtText.h"

#include <QPlainTextEdit>
#include <QTabBar>

namespace lorvanel {

namespace {
constexpr const char* kPageProperty = "lorvanelResultPage";

// A result page's text, shown like the report: read-only, not wrapped, in the column font.
QPlainTextEdit* createPageView(const ResultPage& page, QWidget* parent) {
    auto* view = new QPlainTextEdit(parent);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(columnFont(14));
    view->setUndoRedoEnabled(false);
    view->setAcceptDrops(false);
    QString text = toQString(page.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    view->setPlainText(text);
    view->setProperty(kPageProperty, QVariant::fromValue(reinterpret_cast<quintptr>(&page)));
    return view;
}
} // namespace

CMainView::CMainView(DocBridge& bridge, QWidget* parent)
    : QTabWidget(parent), doc_(bridge.document()) {
    setDocumentMode(true);
    setTabsClosable(true);
    setMovable(false);
    report_ = new CReportFrame(bridge, this);
    addTab(report_, QStringLiteral("レポート"));
    graph_ = new CGraphFrame(bridge, this);
    addTab(graph_, QStringLiteral("グラフ"));
    postList_ = new CLorvanelViewFrame(bridge, this);
    addTab(postList_, QStringLiteral("lorvanel.txt"));
    for (int i = 0; i < kFixedTabs; ++i) {
        tabBar()->setTabButton(i, QTabBar::RightSide, nullptr);
        tabBar()->setTabButton(i, QTabBar::LeftSide, nullptr);
    }
    connect(this, &QTabWidget::tabCloseRequested, this, &CMainView::closePageTab);
    connect(&bridge, &DocBridge::pageAdded, this, &CMainView::addPageTab);
    connect(&bridge, &DocBridge::pageRemoved, this, &CMainView::removePageTab);
}

int CMainView::tabOfPage(const ResultPage* page) const {
    const quintptr key = reinterpret_cast<quintptr>(page);
    for (int i = kFixedTabs; i < count(); ++i)
        if (widget(i)->property(kPageProperty).value<quintptr>() == key) return i;
    return -1;
}

void CMainView::addPageTab(const ResultPage* page) {
    if (tabOfPage(page) >= 0) return;
    QPlainTextEdit* view = createPageView(*page, this);
    const int index = addTab(view, toQString(page->title));
    setTabToolTip(index, toQString(page->title));
    setCurrentIndex(index);
}

void CMainView::closePageTab(int index) {
    if (index < kFixedTabs || index >= count()) return;
    const auto key = widget(index)->property(kPageProperty).value<quintptr>();
    for (const auto& page : doc_.resultPages()) {
        if (reinterpret_cast<quintptr>(page.get()) == key) {
            // The document announces the removal, and the tab goes with it.
            doc_.removeResultPage(page.get());
            return;
        }
    }
    // A tab whose page is already gone.
    QWidget* w = widget(index);
    removeTab(index);
    w->deleteLater();
}

void CMainView::removePageTab(const ResultPage* page) {
    const int index = tabOfPage(page);
    if (index < 0) return;
    QWidget* w = widget(index);
    removeTab(index);
    w->deleteLater();
}

} // namespace lorvanel
