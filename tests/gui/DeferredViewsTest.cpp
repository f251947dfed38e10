// Views behind another tab defer their work: a post list or a graph that was hidden while the
// selection changed is only marked stale, lays itself out and draws once it is shown, and then
// shows exactly what a view that followed every change at once shows.
#include "GuiTestSupport.h"

#include "app/CGraphFrame.h"
#include "app/CGraphView.h"
#include "app/CLorvanelView2.h"
#include "app/CLorvanelViewFrame.h"
#include "app/DocBridge.h"
#include "doc/CDoc.h"
#include "doc/DocFilter.h"
#include "doc/Settings.h"
#include "graph/CumulativeGraph.h"
#include "graph/GraphKinds.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

#include <memory>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

// Posts over three months, at many hours, in three boards, with bodies of one to four lines.
std::vector<JanePost> spreadPosts() {
    const QString dirs[] = {QStringLiteral("news"), QStringLiteral("tv"),
                            QStringLiteral("livejupiter")};
    std::vector<JanePost> posts;
    for (int d = 0; d < 84; ++d) {
        JanePost p;
        p.date = QStringLiteral("2008/%1/%2 %3:%4:00")
                     .arg(1 + d / 28, 2, 10, QLatin1Char('0'))
                     .arg(1 + d % 28, 2, 10, QLatin1Char('0'))
                     .arg((d * 7) % 24, 2, 10, QLatin1Char('0'))
                     .arg(d % 60, 2, 10, QLatin1Char('0'));
        p.dir = dirs[d % 3];
        p.title = QStringLiteral("スレ%1").arg(d % 9);
        p.body = QStringLiteral("本文%1").arg(d);
        for (int line = 1; line < 1 + d % 4; ++line) p.body += QStringLiteral("\r\n行%1").arg(line);
        posts.push_back(p);
    }
    return posts;
}

// A tab widget whose second tab is the page, shown in a window of a fixed size; `front`
// decides which tab is in front.
template <class Page> struct Tabs {
    Tabs(DocBridge& bridge, bool pageInFront) {
        page = new Page(bridge);
        tabs.addTab(new QLabel(QStringLiteral("他のタブ")), QStringLiteral("other"));
        tabs.addTab(page, QStringLiteral("page"));
        tabs.setCurrentIndex(pageInFront ? 1 : 0);
        tabs.resize(720, 480);
        tabs.show();
    }
    void showPage() { tabs.setCurrentIndex(1); }
    QTabWidget tabs;
    Page* page;
};

QImage imageOf(QWidget* widget) {
    return widget->grab().toImage();
}

} // namespace

class DeferredViewsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { setSettingsFile(dir_.iniPath()); }

    void aHiddenPostListLaysOutTheLatestSelectionWhenShown() {
        CDoc doc;
        DocBridge bridge(doc);
        QVERIFY(doc.load({dir_.write("lorvanel.txt", janeLogText(spreadPosts()))}, false, 0));
        Tabs<CLorvanelViewFrame> eager(bridge, true);
        Tabs<CLorvanelViewFrame> lazy(bridge, false);
        QVERIFY(QTest::qWaitForWindowExposed(&eager.tabs));
        QVERIFY(QTest::qWaitForWindowExposed(&lazy.tabs));
        CLorvanelView2* shown = eager.page->view();
        CLorvanelView2* hidden = lazy.page->view();

        // Two selections while the list is hidden: it only notes that it is behind.
        QVERIFY(applyFilter(doc, "date200802"));
        QVERIFY(hidden->stale());
        QVERIFY(!shown->stale());
        const RowIndex february = shown->rows().totalRows();
        QVERIFY(applyFilter(doc, "brd_tv|brd_news"));
        QVERIFY(hidden->stale());
        QVERIFY(shown->rows().totalRows() != february);

        // Shown, it lays out the latest selection and paints what the eager list paints.
        lazy.showPage();
        QVERIFY(!hidden->stale());
        QCOMPARE(hidden->rows().postCount(), doc.selection().size());
        QCOMPARE(hidden->rows().totalRows(), shown->rows().totalRows());
        QCOMPARE(hidden->verticalScrollBar()->maximum(), shown->verticalScrollBar()->maximum());
        QCOMPARE(imageOf(hidden->viewport()), imageOf(shown->viewport()));

        // Read while hidden (a command on the list), a stale list catches up first.
        lazy.tabs.setCurrentIndex(0);
        doc.clearFilter();
        QVERIFY(hidden->stale());
        QCOMPARE(hidden->rows().postCount(), doc.postLog().posts.size());
        QVERIFY(!hidden->stale());
        QCOMPARE(hidden->rows().totalRows(), shown->rows().totalRows());
    }

    void aHiddenGraphDrawsEveryKindWhenShownAsAnEagerOneDoes() {
        CDoc doc;
        DocBridge bridge(doc);
        QVERIFY(doc.load({dir_.write("lorvanel.txt", janeLogText(spreadPosts()))}, false, 0));
        Tabs<CGraphFrame> eager(bridge, true);
        Tabs<CGraphFrame> lazy(bridge, false);
        QVERIFY(QTest::qWaitForWindowExposed(&eager.tabs));
        QVERIFY(QTest::qWaitForWindowExposed(&lazy.tabs));
        CGraphView* shown = eager.page->view();
        CGraphView* hidden = lazy.page->view();
        const char* filters[] = {"date200802", "brd_news|brd_tv", "hour0-11"};

        for (int kind = 0; kind < graphKindCount(); ++kind) {
            eager.page->kindChooser()->setCurrentIndex(kind);
            lazy.page->kindChooser()->setCurrentIndex(kind);
            lazy.showPage();
            const QImage before = imageOf(hidden);
            const QImage beforePicture = hidden->picture().toImage();
            lazy.tabs.setCurrentIndex(0);

            // Two selections while the graph is hidden: neither is drawn.
            QVERIFY(applyFilter(doc, filters[kind % 3]));
            (void)imageOf(shown);
            QVERIFY(applyFilter(doc, filters[(kind + 1) % 3]));
            const QImage eagerImage = imageOf(shown);
            QVERIFY(hidden->stale());
            QCOMPARE(hidden->picture().toImage(), beforePicture);

            // Shown, it draws the latest selection: the same picture and the same readout.
            lazy.showPage();
            const QImage lazyImage = imageOf(hidden);
            QVERIFY(!hidden->stale());
            QVERIFY2(lazyImage == eagerImage, qPrintable(QStringLiteral("kind %1").arg(kind)));
            QVERIFY2(lazyImage != before, qPrintable(QStringLiteral("kind %1").arg(kind)));
            const QPoint middle(hidden->width() / 2, hidden->height() / 2);
            const auto a = shown->kind().readout(middle.x(), middle.y());
            const auto b = hidden->kind().readout(middle.x(), middle.y());
            QCOMPARE(a.has_value(), b.has_value());
            if (a) {
                QCOMPARE(QByteArray::fromStdString(a->x), QByteArray::fromStdString(b->x));
                QCOMPARE(QByteArray::fromStdString(a->y), QByteArray::fromStdString(b->y));
            }
            doc.clearFilter();
        }
    }

    void aGraphKeepsItsSeriesAcrossResizesButFollowsItsOptions() {
        CDoc doc;
        DocBridge bridge(doc);
        QVERIFY(doc.load({dir_.write("lorvanel.txt", janeLogText(spreadPosts()))}, false, 0));
        CGraphView view(bridge);
        view.setKind(0);
        view.resize(640, 480);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QImage first = imageOf(&view);

        // A resize there and back draws the same picture from the kept series.
        view.resize(500, 400);
        (void)imageOf(&view);
        view.resize(640, 480);
        QCOMPARE(imageOf(&view), first);

        // The option changes the series: the whole selection's line goes and comes back.
        view.runCommand(CumulativeGraph::kShowTotalCommand);
        const QImage withoutTotal = imageOf(&view);
        QVERIFY(withoutTotal != first);
        view.runCommand(CumulativeGraph::kShowTotalCommand);
        QCOMPARE(imageOf(&view), first);

        // A fresh view of the same selection draws what the kept series drew.
        CGraphView fresh(bridge);
        fresh.setKind(0);
        fresh.resize(640, 480);
        fresh.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fresh));
        QCOMPARE(imageOf(&fresh), first);
    }

private:
    WorkingDirectory dir_;
};

LORVANEL_GUI_TEST(DeferredViewsTest)

#include "DeferredViewsTest.moc"
