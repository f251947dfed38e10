// One acceptance test that plays a user on the shown main window, only through key and mouse
// events on the widgets a user touches, and checks what the user would see: the selected row
// and its place on the page, the status bar's texts, the tabs.
#include "GuiTestSupport.h"

#include "app/CDlgBarSearch.h"
#include "app/CLorvanelView2.h"
#include "app/CLorvanelViewFrame.h"
#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "postlist/PostRows.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

// 60 posts an hour apart; posts 10, 30 and 50 (from 0) say "猫がいる".
std::vector<JanePost> catPosts() {
    std::vector<JanePost> posts = janeSeries(60, QStringLiteral("2016/03/05"));
    for (std::size_t i = 0; i < posts.size(); ++i) {
        posts[i].date = QStringLiteral("2016/03/%1 %2:00:00")
                            .arg(5 + static_cast<int>(i) / 24, 2, 10, QLatin1Char('0'))
                            .arg(static_cast<int>(i) % 24, 2, 10, QLatin1Char('0'));
        posts[i].body = i % 20 == 10 ? QStringLiteral("一行目\r\n猫がいる")
                                     : QStringLiteral("一行目\r\n二行目");
    }
    return posts;
}

// The first row of post i: every post here has 2 body lines, so 5 rows.
RowIndex firstRow(int post) {
    return static_cast<RowIndex>(post) * 5;
}

// A key as the window system delivers it: to the focus widget, through the shortcuts.
void press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

// Japanese is typed through the input method: its committed text goes to the focus widget.
void typeJapanese(const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(QApplication::focusWidget(), &event);
}

void clickTab(QTabWidget* tabs, int index) {
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

} // namespace

class UserSessionTest : public QObject {
    Q_OBJECT
private slots:
    void aUserSearchesFiltersAndReads() {
        WorkingDirectory dir;
        const std::string log = dir.write("cats.txt", janeLogText(catPosts()));
        CLorvanelApp app(std::make_unique<ScriptedPrompts>());
        QVERIFY(app.initInstance(startOptions(dir)));
        CMainFrame* frame = app.mainFrame();
        frame->resize(1000, 700);
        QVERIFY(frame->loadFiles({log}, false, 0));
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        CMainView* tabs = frame->mainView();
        CLorvanelViewFrame* listFrame = tabs->postListFrame();
        CLorvanelView2* list = listFrame->view();
        QComboBox* field = listFrame->searchBar()->comboBox();

        // Ctrl+F from the report brings the post list forward with the cursor in the field.
        QCOMPARE(tabs->currentIndex(), 0);
        press(frame, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(tabs->currentWidget(), static_cast<QWidget*>(listFrame));
        QVERIFY(field->hasFocus());

        // Typing a word and Return selects the first row that holds it, on the page.
        typeJapanese(QStringLiteral("猫"));
        QCOMPARE(field->currentText(), QStringLiteral("猫"));
        press(frame, Qt::Key_Return);
        QCOMPARE(list->selection().start(), firstRow(10) + 3);
        QCOMPARE(list->selection().end(), firstRow(10) + 3);
        auto onPage = [&](RowIndex row) {
            const RowIndex top = list->viewportRows().top();
            return row >= top && row < top + list->viewportRows().page();
        };
        QVERIFY(onPage(firstRow(10) + 3));
        // F3 in the field finds the next, the keypad's Enter the one after.
        press(frame, Qt::Key_F3);
        QCOMPARE(list->selection().start(), firstRow(30) + 3);
        QVERIFY(onPage(firstRow(30) + 3));
        press(frame, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(list->selection().start(), firstRow(50) + 3);
        QVERIFY(onPage(firstRow(50) + 3));
        // Nothing after the last: the selection stays and the message pane says so.
        press(frame, Qt::Key_F3);
        QCOMPARE(list->selection().start(), firstRow(50) + 3);
        QCOMPARE(frame->statusBar()->currentMessage(),
                 QStringLiteral("'猫' は見つかりませんでした"));
        // The next edit of the pattern clears it.
        press(frame, Qt::Key_Backspace);
        QCOMPARE(frame->statusBar()->currentMessage(), QString());

        // F3 in the list searches too: a click on the list's first row, then F3.
        typeJapanese(QStringLiteral("猫"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(80, 2));
        QVERIFY(list->hasFocus());
        press(frame, Qt::Key_Home);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(80, 2));
        press(frame, Qt::Key_F3);
        QCOMPARE(list->selection().start(), firstRow(10) + 3);

        // The report tab again, by a click on its tab.
        clickTab(tabs, 0);
        QCOMPARE(tabs->currentIndex(), 0);
        app.exitInstance();
    }
};

LORVANEL_GUI_TEST(UserSessionTest)
#include "UserSessionTest.moc"
