// A click on the graph tab's picture on the shown main window: a calendar day and a weekday ×
// hour cell select their items in the filter tree and narrow the posts to theirs, and the
// graph stays in front.
#include "GuiTestSupport.h"

#include "app/CFilterTree.h"
#include "app/CGraphFrame.h"
#include "app/CGraphView.h"
#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "doc/CDoc.h"
#include "graph/CalendarLayout.h"
#include "graph/WeekHourLayout.h"
#include "graph/WeekHourModel.h"
#include "platform/LocalTime.h"

#include <QComboBox>
#include <QtTest>

#include <algorithm>
#include <cstdio>

using namespace lorvanel;
using namespace lorvanel::testing;

class GraphClickGuiTest : public QObject {
    Q_OBJECT
private slots:
    void clicksOnTheCalendarAndTheWeekHourMapSelectTheTreesItems() {
        WorkingDirectory dir;
        CLorvanelApp::StartOptions options = startOptions(dir);
        options.files = {LORVANEL_SOURCE_DIR "/resources/samples/demo-jane.txt"};
        StartedWindow s(dir, options);
        QVERIFY(s.ok);
        CMainFrame* frame = s.frame();
        frame->resize(1000, 700);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CDoc& doc = s.doc();
        const PostList& all = doc.postLog().posts;
        QVERIFY(all.size() > 1000);

        CMainView* tabs = frame->mainView();
        CGraphFrame* graphs = tabs->graphFrame();
        tabs->setCurrentWidget(graphs);
        graphs->kindChooser()->setCurrentIndex(3);
        CGraphView* view = graphs->view();
        QTRY_VERIFY(!view->picture().isNull() && !view->stale());

        // The busiest day of the log, where the calendar has it at the view's size.
        const CalendarModel calendar = buildCalendar(all);
        const int busiest =
            static_cast<int>(std::max_element(calendar.counts.begin(), calendar.counts.end()) -
                             calendar.counts.begin());
        const int day = calendar.firstDay + busiest;
        const CalendarLayout layout = layoutCalendar(calendar, 0, 0, view->width(), view->height());
        const auto strip =
            std::find_if(layout.strips.begin(), layout.strips.end(), [&](const CalendarStrip& s) {
                return day >= s.firstDay && day <= s.lastDay;
            });
        QVERIFY(strip != layout.strips.end());
        const QPoint dayCell(layout.dayX(*strip, day) + layout.pitch / 2,
                             layout.dayY(*strip, day) + layout.pitch / 2);
        QTest::mouseClick(view, Qt::LeftButton, {}, dayCell);

        QCOMPARE(static_cast<int>(doc.selection().size()), calendar.counts[busiest]);
        for (const PostRecord* p : doc.selection()) QCOMPARE(p->local().dayNumber, day);
        CFilterTree* tree = frame->filterTree();
        QModelIndexList selected = tree->selectionModel()->selectedIndexes();
        QCOMPARE(selected.size(), 1);
        int y = 0, m = 0, d = 0;
        civilFromDays(day, y, m, d);
        char dayText[32];
        std::snprintf(dayText, sizeof dayText, "date%04d%02d%02d", y, m, d);
        QCOMPARE(tree->nodeOf(selected.front())->item->text, std::string(dayText));
        QVERIFY(selected.front().data().toString().startsWith(QString::number(d) +
                                                              QStringLiteral("日(")));
        QCOMPARE(tabs->currentWidget(), graphs);
        QTRY_VERIFY(!view->stale());
        frame->grab().save(QStringLiteral("/tmp/graph-click-calendar.png"));

        // Back to the whole log, then a weekday × hour cell: Wednesday 13:00.
        frame->filterTree()->clearSelection();
        QTRY_COMPARE(doc.selection().size(), all.size());
        graphs->kindChooser()->setCurrentIndex(4);
        QTRY_VERIFY(!view->stale());
        const WeekHourModel week = buildWeekHour(all);
        const WeekHourLayout l = layoutWeekHour(0, 0, view->width(), view->height());
        QTest::mouseClick(view, Qt::LeftButton, {},
                          QPoint(l.cellX(13) + l.cellWidth / 2, l.cellY(3) + l.cellHeight / 2));
        QCOMPARE(static_cast<int>(doc.selection().size()), week.counts[3][13]);
        QStringList texts;
        for (const QModelIndex& index : tree->selectionModel()->selectedIndexes())
            texts << QString::fromStdString(tree->nodeOf(index)->item->text);
        texts.sort();
        QCOMPARE(texts, (QStringList{QStringLiteral("hour13"), QStringLiteral("week4")}));
        QCOMPARE(tabs->currentWidget(), graphs);
        QTRY_VERIFY(!view->stale());
        frame->grab().save(QStringLiteral("/tmp/graph-click-weekhour.png"));
    }
};

LORVANEL_GUI_TEST(GraphClickGuiTest)
#include "GraphClickGuiTest.moc"
