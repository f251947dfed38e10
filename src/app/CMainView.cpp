#include "app/CMainView.h"

#include "app/CGraphFrame.h"
#include "app/CLorvanelViewFrame.h"
#include "app/CReportFrame.h"
#include "app/CResultPageView.h"
#include "app/DocBridge.h"
#include "doc/CDoc.h"
#include "keywords/PageLinkSearch.h"
#include "ui/QtText.h"

#include <QPlainTextEdit>
#include <QTabBar>

namespace lorvanel {

namespace {
constexpr const char* kPageProperty = "lorvanelResultPage";

// A result page's text, shown like the report, its words leading to their posts.
CResultPageView* createPageView(const ResultPage& page, QWidget* parent) {
    auto* view = new CResultPageView(page, parent);
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
    CResultPageView* view = createPageView(*page, this);
    // A word or keyword clicked: the post list comes to the front at the first post that
    // holds it, searched as the page counted it; the page and the selection stay.
    connect(view, &CResultPageView::linkActivated, this, [this](const PageLink& link) {
        setCurrentWidget(postList_);
        postList_->searchFromTop(toQString(link.pattern), searchOptionsFor(link));
        postList_->setFocus(Qt::OtherFocusReason);
    });
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
