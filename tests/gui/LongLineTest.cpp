// A post whose body is one line of many megabytes: the list shows the start of it, cut with
// "…", paints a page without shaping the whole line, and still copies it whole. The paint is
// measured with QBENCHMARK (run the test with -iterations N for a figure); nothing is timed
// against a limit.
#include "GuiTestSupport.h"

#include "app/CLorvanelView2.h"
#include "app/CLorvanelViewFrame.h"
#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "doc/CDoc.h"
#include "input/PostLog.h"
#include "postlist/PostText.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QClipboard>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

class LongLineTest : public QObject {
    Q_OBJECT
private slots:
    void aLineOfManyMegabytesPaintsItsStartAndCopiesWhole() {
        WorkingDirectory dir;
        // 8 MB of "あいう…" in one line, then a second post to show that the list goes on.
        const qsizetype chars = qEnvironmentVariableIntValue("LORVANEL_LONG_LINE_MB") > 0
                                    ? qEnvironmentVariableIntValue("LORVANEL_LONG_LINE_MB") << 19
                                    : 4 << 20;
        QString line;
        line.reserve(chars);
        const QString kana = QStringLiteral("あいうえおかきくけこ");
        while (line.size() < chars) line += kana;
        JanePost longPost;
        longPost.body = line;
        JanePost next;
        next.date = QStringLiteral("2008/01/02 04:00:00");
        next.body = QStringLiteral("次の書き込み");
        const std::string path = dir.write("long.txt", janeLogText({longPost, next}));

        StartedWindow s(dir);
        QVERIFY(s.ok);
        CMainFrame* frame = s.frame();
        frame->resize(800, 600);
        QVERIFY(frame->loadFiles({path}, false, 0));
        CMainView* tabs = frame->mainView();
        tabs->setCurrentWidget(tabs->postListFrame());
        CLorvanelView2* view = tabs->postListFrame()->view();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        QCOMPARE(view->rows().postCount(), std::size_t{2});

        QBENCHMARK {
            view->viewport()->repaint();
        }
        // The body row shows the line's start, in the list's text colour, and the second post
        // follows below it: the row was cut, not wrapped or dropped.
        const QImage image = view->viewport()->grab().toImage();
        const int bodyTop = 2 * view->rowHeight();
        bool inked = false;
        for (int x = 52; x < 300 && !inked; ++x)
            for (int y = bodyTop; y < bodyTop + view->rowHeight() && !inked; ++y)
                inked = image.pixelColor(x, y).lightness() < 100;
        QVERIFY(inked);

        // Selecting the body row and copying it gives the whole line.
        QApplication::clipboard()->clear();
        view->selectAll();
        view->copySelection();
        const QString copied = QApplication::clipboard()->text();
        QVERIFY(copied.contains(line + QStringLiteral("\r\n")));
        QVERIFY(copied.contains(QStringLiteral("次の書き込み")));
        s.app->exitInstance();
    }
};

LORVANEL_GUI_TEST(LongLineTest)
#include "LongLineTest.moc"
