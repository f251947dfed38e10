// Long operations in the window: the load runs on a worker while the window answers, its
// progress shows in the status bar, and Esc cancels it with the document left as it was.
#include "GuiTestSupport.h"

#include "app/CMainFrame.h"
#include "app/COperationRunner.h"
#include "app/CProgressStatus.h"
#include "doc/CDoc.h"
#include "input/Loader.h"
#include "support/RecordingAlertSink.h"

#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <chrono>
#include <thread>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

// A load that takes until it is cancelled (at most ten seconds), as a huge file would.
bool loadUntilCancelled(PostLog&, std::vector<std::string>, bool, std::uint64_t) {
    for (int i = 0; i < 1000; ++i) {
        throwIfCancelled();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

struct DocumentView {
    std::vector<const PostRecord*> posts, selection;
    std::string report;
    std::size_t pages;
    explicit DocumentView(const CDoc& doc)
        : posts(doc.postLog().posts.begin(), doc.postLog().posts.end()),
          selection(doc.selection().begin(), doc.selection().end()), report(doc.reportText()),
          pages(doc.resultPages().size()) {}
    bool operator==(const DocumentView&) const = default;
};

} // namespace

class LongOperationTest : public QObject {
    Q_OBJECT
private slots:
    void escapeDuringALoadLeavesTheDocumentAsItWas() {
        WorkingDirectory dir;
        const std::string a =
            dir.write("a.txt", janeLogText(janeSeries(6, QStringLiteral("2008/01/01"))));
        StartedWindow s(dir);
        QVERIFY(s.ok);
        CMainFrame* frame = s.frame();
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        QVERIFY(frame->loadFiles({a}, false, 0));
        frame->runAutoKeywords();
        const DocumentView before(s.doc());
        QCOMPARE(before.posts.size(), std::size_t(6));
        QCOMPARE(before.pages, std::size_t(1));
        const QString title = frame->windowTitle();
        recordedAlerts().clear();

        s.doc().setLoader(&loadUntilCancelled);
        CProgressStatus* progress = frame->progressStatus();
        bool sawProgress = false;
        QString stepText;
        int ticks = 0;
        // The window answers while the load runs: timers fire, and the key goes through the
        // window's own event handling.
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(20);
        QTimer::singleShot(600, frame, [&] {
            sawProgress = progress->isVisible();
            stepText = progress->findChild<QLabel*>()->text();
            frame->grab().save(QStringLiteral("/tmp/lorvanel-long-operation.png"));
            QTest::keyClick(frame, Qt::Key_Escape);
        });
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!frame->loadFiles({a}, false, 0));
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(sawProgress);
        QCOMPARE(stepText, QStringLiteral("読み込み中…"));
        QVERIFY(ticks > 10);
        QVERIFY(!progress->isVisible());
        QVERIFY(!frame->operations().busy());
        QVERIFY(DocumentView(s.doc()) == before);
        QCOMPARE(frame->windowTitle(), title);
        QVERIFY(recordedAlerts().texts.empty());
    }

    void aLoadUnder300msShowsNoProgress() {
        WorkingDirectory dir;
        const std::string a =
            dir.write("a.txt", janeLogText(janeSeries(3, QStringLiteral("2008/01/01"))));
        StartedWindow s(dir);
        QVERIFY(s.ok);
        CMainFrame* frame = s.frame();
        frame->show();
        bool shown = false;
        connect(&frame->operations(), &COperationRunner::finished,
                [&] { shown = frame->progressStatus()->isVisible(); });
        QVERIFY(frame->loadFiles({a}, false, 0));
        QVERIFY(!shown);
        QCOMPARE(s.doc().postLog().posts.size(), std::size_t(3));
    }

    void closingTheWindowCancelsTheOperation() {
        WorkingDirectory dir;
        const std::string a =
            dir.write("a.txt", janeLogText(janeSeries(3, QStringLiteral("2008/01/01"))));
        StartedWindow s(dir);
        QVERIFY(s.ok);
        CMainFrame* frame = s.frame();
        frame->show();
        s.doc().setLoader(&loadUntilCancelled);
        QTimer::singleShot(100, frame, [frame] { frame->close(); });
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!frame->loadFiles({a}, false, 0));
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(s.doc().postLog().posts.empty());
    }
};

LORVANEL_GUI_TEST(LongOperationTest)
#include "LongOperationTest.moc"
