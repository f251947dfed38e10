// Ctrl+Q closes the main window, as the File menu's "ｱﾌﾟﾘｹｰｼｮﾝの終了" does.
#include "GuiTestSupport.h"

#include "app/CMainFrame.h"

#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

class QuitKeyTest : public QObject {
    Q_OBJECT
private slots:
    void ctrlQClosesTheWindow() {
        WorkingDirectory dir;
        StartedWindow s(dir);
        QVERIFY(s.ok);
        CMainFrame* frame = s.frame();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        QTest::keyClick(frame, Qt::Key_Q);
        QVERIFY(frame->isVisible());
        QTest::keyClick(frame, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!frame->isVisible());
        s.app->exitInstance();
    }
};

LORVANEL_GUI_TEST(QuitKeyTest)
#include "QuitKeyTest.moc"
