// The report window: headings found in the text, scrolling to the chosen one, keeping it
// across refreshes, the wheel and the context menu.
#include "GuiTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "app/CReportFrame.h"
#include "app/CReportTree.h"
#include "app/CReportView.h"
#include "app/DocBridge.h"
#include "doc/CDoc.h"
#include "input/AnalysisLog.h"
#include "platform/Encoding.h"
#include "ui/FixedFont.h"

#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {
// Messages the document keeps from an operation that changed nothing else; its views hear of
// them at the next change.
void logToDocument(CDoc& doc, const char* text) {
    PreparedChange change;
    change.analysis.append("%s", text);
    doc.commit(std::move(change));
}

// A report-like text: sections of 40 lines each under the given headings.
std::string reportText(const QStringList& sections) {
    QString s = QStringLiteral("★総合結果\r\n");
    for (int i = 0; i < 40; ++i) s += QStringLiteral("line %1\r\n").arg(i);
    for (const QString& h : sections) {
        s += QStringLiteral("--------------------------------------------\r\n") + h +
             QStringLiteral("\r\n");
        for (int i = 0; i < 40; ++i) s += QStringLiteral("  row %1\r\n").arg(i);
    }
    return cp932(s);
}

int lineOf(const std::string& text, const QString& heading) {
    for (const ReportHeading& h : reportHeadings(text))
        if (h.text == cp932(heading)) return h.line;
    return -1;
}
} // namespace

class ReportWindowTest : public QObject {
    Q_OBJECT
private slots:
    void theViewCountsTheHeadingsLines() {
        // The heading list (tested in the core) and the view must count the same lines: a
        // lone CR and a lone LF each end one.
        const std::string text = cp932(QStringLiteral("★a\r\nx\ry\n★b\r\n\r\n ★not\r\n★c"));
        const std::vector<ReportHeading> h = reportHeadings(text);
        QCOMPARE(h.size(), std::size_t(4));
        QCOMPARE(h[3].line, 6);
        CReportView view;
        view.setReportText(text);
        QCOMPARE(view.document()->blockCount(), 7);
        QCOMPARE(view.document()->findBlockByNumber(h[3].line).text(), QStringLiteral("★c"));
    }

    void selectingAHeadingScrollsAndSurvivesRefresh() {
        CDoc doc;
        DocBridge bridge(doc);
        CReportFrame frame(bridge);
        frame.resize(700, 300);
        frame.show();
        CReportTree* tree = frame.tree();
        CReportView* view = frame.view();
        const std::string first =
            reportText({QStringLiteral("★板別書き込み回数"), QStringLiteral("★作成したスレッド")});
        tree->refresh(first);
        QCOMPARE(QString::fromStdString(tree->selectedHeading()), QStringLiteral("Top"));
        QCOMPARE(view->firstVisibleLine(), 0);

        QVERIFY(tree->selectHeading(cp932(QStringLiteral("★板別書き込み回数"))));
        const int boardLine = lineOf(first, QStringLiteral("★板別書き込み回数"));
        QCOMPARE(view->firstVisibleLine(), boardLine);
        QCOMPARE(view->textCursor().blockNumber(), boardLine);
        QVERIFY(!view->textCursor().hasSelection());

        // A new report with the same heading elsewhere: the heading stays selected.
        const std::string second =
            reportText({QStringLiteral("★時間帯別"), QStringLiteral("★板別書き込み回数")});
        tree->refresh(second);
        QCOMPARE(tree->selectedHeading(), cp932(QStringLiteral("★板別書き込み回数")));
        QCOMPARE(view->firstVisibleLine(), lineOf(second, QStringLiteral("★板別書き込み回数")));

        // A report without it: back to "Top".
        tree->refresh(reportText({QStringLiteral("★時間帯別")}));
        QCOMPARE(tree->selectedHeading(), std::string("Top"));
        QCOMPARE(view->firstVisibleLine(), 0);
    }

    void clickOnTheSelectedHeadingScrollsBack() {
        CDoc doc;
        DocBridge bridge(doc);
        CReportFrame frame(bridge);
        frame.resize(700, 300);
        frame.show();
        const std::string text = reportText({QStringLiteral("★月別"), QStringLiteral("★日別")});
        frame.tree()->refresh(text);
        QVERIFY(frame.tree()->selectHeading(cp932(QStringLiteral("★月別"))));
        const int line = frame.view()->firstVisibleLine();
        frame.view()->verticalScrollBar()->setValue(line + 25);
        QTreeWidgetItem* item = frame.tree()->currentItem();
        const QRect rect = frame.tree()->visualItemRect(item);
        QTest::mouseClick(frame.tree()->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(frame.view()->firstVisibleLine(), line);
    }

    void hiddenTreeSelectsNothing() {
        CDoc doc;
        DocBridge bridge(doc);
        CReportFrame frame(bridge);
        frame.tree()->refresh(reportText({QStringLiteral("★月別")}));
        QCOMPARE(frame.tree()->topLevelItemCount(), 3);
        QVERIFY(frame.tree()->selectedItems().isEmpty());
    }

    void aHiddenFrameRefreshesWhenShownWithTheLatestText() {
        CDoc doc;
        DocBridge bridge(doc);
        QTabWidget tabs;
        auto* frame = new CReportFrame(bridge);
        tabs.addTab(frame, QStringLiteral("レポート"));
        tabs.addTab(new QWidget, QStringLiteral("other"));
        tabs.show();
        analysisLog().clear();
        logToDocument(doc, "first\r\n");
        doc.close();
        QVERIFY(frame->view()->toPlainText().contains(QStringLiteral("first")));
        // Behind another tab the frame keeps its text through any number of changes...
        tabs.setCurrentIndex(1);
        logToDocument(doc, "second\r\n");
        doc.close();
        logToDocument(doc, "third\r\n");
        doc.close();
        QVERIFY(!frame->view()->toPlainText().contains(QStringLiteral("second")));
        // ...and shows the latest one when its tab comes to the front.
        tabs.setCurrentIndex(0);
        QVERIFY(frame->view()->toPlainText().contains(QStringLiteral("third")));
        QCOMPARE(frame->tree()->topLevelItemCount(), 2);
        QCOMPARE(frame->tree()->currentItem(), frame->tree()->topLevelItem(0));
    }

    void documentHintsRefreshWithTheAnalysisLog() {
        CDoc doc;
        DocBridge bridge(doc);
        CReportFrame frame(bridge);
        frame.show();
        analysisLog().clear();
        doc.close();
        // An empty document still shows the rule, the log's heading and the log.
        QCOMPARE(frame.tree()->topLevelItemCount(), 2);
        QCOMPARE(frame.tree()->topLevelItem(1)->text(0), QStringLiteral("★解析ログ"));
        QVERIFY(frame.view()->toPlainText().startsWith(
            QStringLiteral("--------------------------------------------\n★解析ログ\n")));
        logToDocument(doc, "entry\r\n");
        doc.notifyKeywordAnalysisDone();
        QVERIFY(frame.view()->toPlainText().endsWith(QStringLiteral("entry\n")));
        // A result page (DocHint::ResultPage) leaves the report alone.
        logToDocument(doc, "later\r\n");
        doc.addResultPage(ResultPage{"t", "x"});
        QVERIFY(!frame.view()->toPlainText().contains(QStringLiteral("later")));
    }

    void theHeadingListStartsWideEnoughForItsHeadings() {
        WorkingDirectory dir;
        StartedWindow s(dir);
        QVERIFY(s.show(QSize(1400, 950)));
        QVERIFY(s.load({LORVANEL_SOURCE_DIR "/resources/samples/demo-jane.txt"}));
        CReportFrame* frame = s.tabs()->reportFrame();
        CReportTree* tree = frame->tree();
        QVERIFY(tree->topLevelItemCount() > 5);
        int widest = 0;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            widest = std::max(
                widest, tree->fontMetrics().horizontalAdvance(tree->topLevelItem(i)->text(0)));
        // Wider than the first width of 120 the frame is made with, every heading whole: the
        // column of the texts fits the list without a scroll bar. A sensible maximum keeps
        // the report itself the larger part.
        QVERIFY2(widest > 120, qPrintable(QString::number(widest)));
        QVERIFY2(tree->header()->sectionSize(0) <= tree->viewport()->width(),
                 qPrintable(QStringLiteral("%1 > %2")
                                .arg(tree->header()->sectionSize(0))
                                .arg(tree->viewport()->width())));
        QVERIFY(tree->width() <= 260);
        QVERIFY(frame->view()->width() > 2 * tree->width());

        // Once the user moved the divider, a new report keeps it where the user put it.
        QSplitterHandle* handle = frame->handle(1);
        const QPoint grip = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        QTest::mouseMove(handle, grip - QPoint(60, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grip - QPoint(60, 0));
        const int chosen = frame->sizes().value(0);
        QVERIFY2(chosen < tree->header()->sectionSize(0), qPrintable(QString::number(chosen)));
        s.frame()->applyFilterText("hour1");
        QVERIFY(s.doc().selection().size() < s.doc().postLog().posts.size());
        QCOMPARE(frame->sizes().value(0), chosen);
    }

    void wheelScrollsFourLinesPerNotch() {
        CReportView view;
        view.resize(400, 200);
        view.show();
        view.setReportText(reportText({QStringLiteral("★a"), QStringLiteral("★b")}));
        view.verticalScrollBar()->setValue(20);
        auto wheel = [&](int delta) {
            QWheelEvent e(QPointF(10, 10), view.mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view.viewport(), &e);
            return e.isAccepted();
        };
        QVERIFY(wheel(-120));
        QCOMPARE(view.firstVisibleLine(), 24);
        wheel(240);
        QCOMPARE(view.firstVisibleLine(), 16);
        // Small touch-pad steps add up to a notch.
        wheel(-60);
        QCOMPARE(view.firstVisibleLine(), 16);
        wheel(-60);
        QCOMPARE(view.firstVisibleLine(), 20);
    }

    void contextMenuAndReadOnly() {
        CReportView view;
        view.setReportText(cp932(QStringLiteral("abc\r\ndef")));
        QVERIFY(view.isReadOnly());
        QCOMPARE(view.lineWrapMode(), QPlainTextEdit::NoWrap);
        std::unique_ptr<QMenu> menu(view.createReportMenu(nullptr));
        QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.size(), 3);
        QCOMPARE(actions[0]->text(), QStringLiteral("コピー(&C)\tCtrl+C"));
        QVERIFY(!actions[0]->isEnabled());
        QVERIFY(actions[1]->isSeparator());
        QCOMPARE(actions[2]->text(), QStringLiteral("全て選択(&A)\tCtrl+A"));
        actions[2]->trigger();
        QVERIFY(view.textCursor().hasSelection());
        menu.reset(view.createReportMenu(nullptr));
        QVERIFY(menu->actions()[0]->isEnabled());
    }

    void columnFontKeepsColumns() {
        const QFont font = columnFont(14);
        QVERIFY2(keepsColumns(font), qPrintable(font.family()));
        QCOMPARE(font.pixelSize(), 14);
    }
};

LORVANEL_GUI_TEST(ReportWindowTest)
#include "ReportWindowTest.moc"
