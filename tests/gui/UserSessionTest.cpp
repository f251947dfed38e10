// One acceptance test that plays a user on the shown main window, only through key and mouse
// events on the widgets a user touches, and checks what the user would see: the selected row
// and its place on the page, the status bar's texts, the tabs.
#include "GuiTestSupport.h"

#include "app/CDlgBarSearch.h"
#include "app/CDlgFilter.h"
#include "app/CFilterTree.h"
#include "app/CGraphFrame.h"
#include "app/CGraphView.h"
#include "app/CLorvanelView2.h"
#include "app/CLorvanelViewBrowser.h"
#include "app/CLorvanelViewFrame.h"
#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "app/FilterTreeModel.h"
#include "postlist/PostRows.h"
#include "support/RecordingAlertSink.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>
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

// A click as the window system delivers it, through the widget's window: a right click
// raises the context menu there as it does for a user.
void clickAt(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWindow* window = widget->window()->windowHandle();
    QTest::mouseClick(window, button, modifiers, window->mapFromGlobal(widget->mapToGlobal(pos)));
}

void doubleClickAt(QWidget* widget, QPoint pos) {
    QWindow* window = widget->window()->windowHandle();
    QTest::mouseDClick(window, Qt::LeftButton, {}, window->mapFromGlobal(widget->mapToGlobal(pos)));
}

void clickRow(CFilterTree* tree, const QStringList& labels,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              Qt::MouseButton button = Qt::LeftButton) {
    const QModelIndex index = existingFilterRow(tree, labels);
    QVERIFY2(index.isValid(), qPrintable(labels.join(QLatin1Char('/'))));
    const QPoint at = tree->visualRect(index).center();
    QVERIFY2(tree->viewport()->rect().contains(at), qPrintable(labels.join(QLatin1Char('/'))));
    clickAt(tree->viewport(), at, button, modifiers);
}

void typeKeys(QWidget* dialog, const char* text) {
    for (const char* c = text; *c; ++c) QTest::keyClick(dialog->windowHandle(), *c);
}

void clickTab(QTabWidget* tabs, int index) {
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

// The visible controls a widget holds itself (less one), each inside it, at least as wide as
// it asks to be and over no other. Returns how many there are.
int checkControlsApart(QWidget* holder, QWidget* except = nullptr) {
    QList<QWidget*> controls;
    for (QWidget* w : holder->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisible() && w != except && !w->isWindow()) controls << w;
    for (QWidget* w : controls) {
        const char* name = w->metaObject()->className();
        if (!holder->rect().contains(w->geometry())) {
            qWarning() << name << w->geometry() << "outside" << holder->rect();
            return -1;
        }
        if (w->width() < w->minimumSizeHint().width()) {
            qWarning() << name << "cut:" << w->width() << "<" << w->minimumSizeHint().width();
            return -1;
        }
        for (QWidget* other : controls)
            if (other != w && w->geometry().intersects(other->geometry())) {
                qWarning() << name << w->geometry() << "over" << other->metaObject()->className()
                           << other->geometry();
                return -1;
            }
    }
    return static_cast<int>(controls.size());
}

} // namespace

class UserSessionTest : public QObject {
    Q_OBJECT
private slots:
    void aUserSearchesFiltersAndReads() {
        WorkingDirectory dir;
        const std::string log = dir.write("cats.txt", janeLogText(catPosts()));
        StartedWindow s(dir);
        QVERIFY(s.ok);
        CMainFrame* frame = s.frame();
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

        // The filter pane: a double click opens "時間帯"; a click on an hour narrows what is
        // shown to it, Ctrl+click adds another, a plain click takes one alone. The status bar
        // counts the posts shown and names the filter.
        CFilterTree* tree = frame->filterTree();
        QLabel* count = frame->countStatus();
        QLabel* filter = frame->filterStatus();
        QCOMPARE(count->text(), QStringLiteral("60 / 60 レス"));
        QCOMPARE(filter->text(), QString());
        const QModelIndex hours = existingFilterRow(tree, {QStringLiteral("時間帯")});
        doubleClickAt(tree->viewport(), tree->visualRect(hours).center());
        QVERIFY(tree->isExpanded(hours));
        clickRow(tree, {QStringLiteral("時間帯"), QStringLiteral("10時(3)")});
        QCOMPARE(count->text(), QStringLiteral("3 / 60 レス"));
        QCOMPARE(filter->text(), QStringLiteral("hour10"));
        clickRow(tree, {QStringLiteral("時間帯"), QStringLiteral("11時(3)")}, Qt::ControlModifier);
        QCOMPARE(count->text(), QStringLiteral("6 / 60 レス"));
        QCOMPARE(filter->text(), QStringLiteral("hour10|hour11"));
        clickRow(tree, {QStringLiteral("時間帯"), QStringLiteral("12時(2)")});
        QCOMPARE(count->text(), QStringLiteral("2 / 60 レス"));
        QCOMPARE(filter->text(), QStringLiteral("hour12"));
        clickTab(tabs, tabs->indexOf(listFrame));
        QCOMPARE(list->rows().postCount(), std::size_t{2});
        clickTab(tabs, 0);

        // "カスタム" alone stands for the whole log; its menu creates a filter in the dialog,
        // typed into and confirmed with OK. Adding a filter filters nothing.
        clickRow(tree, {QStringLiteral("カスタム")});
        QCOMPARE(count->text(), QStringLiteral("60 / 60 レス"));
        QCOMPARE(filter->text(), QString());
        bool menuSeen = false;
        bool dialogSeen = false;
        const auto fillDialog = [&] {
            auto* dialog = qobject_cast<CDlgFilter*>(QApplication::activeModalWidget());
            if (!dialog) return;
            dialogSeen = true;
            // The name field has the focus and its whole text: typing replaces it.
            typeKeys(dialog, "night");
            clickAt(dialog->textField(), dialog->textField()->rect().center());
            typeKeys(dialog, "hour1");
            // Return takes the dialog's default button, OK.
            QTest::keyClick(dialog->windowHandle(), Qt::Key_Return);
        };
        QTimer::singleShot(0, frame, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            menuSeen = true;
            for (QAction* a : menu->actions()) {
                if (a->text() != QStringLiteral("新規作成(&F)")) continue;
                QTimer::singleShot(0, frame, fillDialog);
                clickAt(menu, menu->actionGeometry(a).center());
                return;
            }
            menu->close();
        });
        clickRow(tree, {QStringLiteral("カスタム")}, Qt::NoModifier, Qt::RightButton);
        QTRY_VERIFY(menuSeen);
        QTRY_VERIFY(dialogSeen);
        QTRY_VERIFY(existingFilterRow(tree, {QStringLiteral("カスタム"), QStringLiteral("night")})
                        .isValid());
        QVERIFY(!QApplication::activeModalWidget());
        // The window manager gives the main window the focus back.
        if (QApplication::activeWindow() != frame) frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QCOMPARE(count->text(), QStringLiteral("60 / 60 レス"));
        // The new filter is the last row, below the page: End takes it.
        press(frame, Qt::Key_End);
        QCOMPARE(tree->currentIndex(),
                 existingFilterRow(tree, {QStringLiteral("カスタム"), QStringLiteral("night")}));
        QVERIFY(tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex())));
        QCOMPARE(count->text(), QStringLiteral("3 / 60 レス"));
        QCOMPARE(filter->text(), QStringLiteral("(hour1)"));

        // "フィルタ解除" on the tool bar: the whole log, nothing named, and the items the
        // user opened stay open.
        auto* clear =
            qobject_cast<QToolButton*>(frame->findChild<QToolBar*>(QStringLiteral("MainToolBar"))
                                           ->widgetForAction(frame->actions().clearFilter));
        QVERIFY(clear && clear->isEnabled());
        clickAt(clear, clear->rect().center());
        QCOMPARE(count->text(), QStringLiteral("60 / 60 レス"));
        QCOMPARE(filter->text(), QString());
        QVERIFY(tree->isExpanded(existingFilterRow(tree, {QStringLiteral("時間帯")})));
        QVERIFY(tree->isExpanded(existingFilterRow(tree, {QStringLiteral("カスタム")})));
        QVERIFY(existingFilterRow(tree, {QStringLiteral("時間帯"), QStringLiteral("10時(3)")})
                    .isValid());
        QVERIFY(!tree->isExpanded(existingFilterRow(tree, {QStringLiteral("曜日")})));

        // Ctrl+Q ends the session.
        press(frame, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!frame->isVisible());

        s.app->exitInstance();
    }

    // The demo log at a large and a small size, light and dark: the window takes the size
    // with every tab in front, and the bars above the post list and the graph keep every
    // control whole and apart. With LORVANEL_SCREENSHOTS set, the pictures are saved there to
    // be looked at.
    void theWindowAtTwoSizesAndTwoPalettes_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("isDark");
        QTest::newRow("1400x950 light") << QSize(1400, 950) << false;
        QTest::newRow("1400x950 dark") << QSize(1400, 950) << true;
        QTest::newRow("480x320 light") << QSize(480, 320) << false;
        QTest::newRow("480x320 dark") << QSize(480, 320) << true;
    }
    void theWindowAtTwoSizesAndTwoPalettes() {
        QFETCH(QSize, size);
        QFETCH(bool, isDark);
        WorkingDirectory dir;
        StartedWindow s(dir);
        QVERIFY(s.ok);
        CMainFrame* frame = s.frame();
        QVERIFY(
            frame->loadFiles({LORVANEL_SOURCE_DIR "/resources/samples/demo-jane.txt"}, false, 0));
        const QString out = qEnvironmentVariable("LORVANEL_SCREENSHOTS");
        const QPalette light = QApplication::palette();
        QPalette dark = light;
        dark.setColor(QPalette::Window, QColor(45, 45, 48));
        dark.setColor(QPalette::WindowText, QColor(220, 220, 220));
        dark.setColor(QPalette::Base, QColor(30, 30, 32));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::Button, QColor(50, 50, 54));
        dark.setColor(QPalette::ButtonText, QColor(220, 220, 220));
        CMainView* tabs = frame->mainView();
        QApplication::setPalette(isDark ? dark : light);
        // First large, with a long filter that keeps every post named in the status bar.
        QVERIFY(s.show(QSize(1400, 950)));
        QStringList hours;
        for (int h = 0; h < 24; ++h) hours << QStringLiteral("hour%1").arg(h);
        frame->applyFilterText(hours.join(QLatin1Char('|')).toStdString());
        QCOMPARE(frame->countStatus()->text(), QStringLiteral("5500 / 5500 レス"));
        QVERIFY(frame->filterStatus()->text().startsWith(QStringLiteral("hour0|")));
        for (int tab = 0; tab < 3; ++tab) {
            tabs->setCurrentIndex(tab);
            // The size asked for again with this tab in front: a window whose minimum is
            // larger keeps that instead.
            frame->resize(size);
            QCoreApplication::processEvents();
            QCOMPARE(frame->size(), size);
            // The filter's text cut to the status bar, not by it.
            QLabel* filter = frame->filterStatus();
            QVERIFY(filter->fontMetrics().horizontalAdvance(filter->text()) <=
                    filter->contentsRect().width());
            if (tab == 1) {
                CGraphFrame* graph = tabs->graphFrame();
                QVERIFY(checkControlsApart(graph, graph->view()) >= 5);
            }
            if (tab == 2) {
                CDlgBarSearch* bar = tabs->postListFrame()->searchBar();
                // The field, its caption, the button, and the options one way or another.
                QVERIFY(checkControlsApart(bar) >= 4);
                for (QWidget* w : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                    if (w->isVisible() && w->layout()) QVERIFY(checkControlsApart(w) >= 1);
                // A narrow bar has the options in a menu, checked as the boxes are; an item
                // clicked there checks its box.
                QToolButton* more = bar->optionsButton();
                QCOMPARE(more->isVisible(), !bar->regexBox()->isVisible());
                QCOMPARE(more->isVisible(), size.width() < 1000);
                if (more->isVisible()) {
                    QStringList seen;
                    QTimer::singleShot(0, frame, [&] {
                        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                        if (!menu) return;
                        for (QAction* a : menu->actions())
                            seen << a->text() +
                                        (a->isChecked() ? QStringLiteral(" on") : QString());
                        clickAt(menu, menu->actionGeometry(menu->actions().last()).center());
                    });
                    QVERIFY(!bar->regexBox()->isChecked());
                    clickAt(more, more->rect().center());
                    QTRY_COMPARE(seen, (QStringList{QStringLiteral("大文字と小文字を区別する on"),
                                                    QStringLiteral("平仮名とカタカナを区別する on"),
                                                    QStringLiteral("正規表現")}));
                    QVERIFY(bar->regexBox()->isChecked());
                }
            }
            if (!out.isEmpty())
                frame->grab().save(
                    QStringLiteral("%1/window-%2x%3-%4-tab%5.png")
                        .arg(out)
                        .arg(size.width())
                        .arg(size.height())
                        .arg(isDark ? QStringLiteral("dark") : QStringLiteral("light"))
                        .arg(tab));
        }
        QApplication::setPalette(light);
        s.app->exitInstance();
    }

    void aBrowserThatCannotStartIsNamed() {
        recordedAlerts().clear();
        qputenv("BROWSER", "my-web-browser");
        // The offscreen desktop opens nothing: the message names the program tried and the URL.
        QVERIFY(!openThreadInBrowser("http://news.2ch.net/test/read.cgi/news/1/"));
        qunsetenv("BROWSER");
        QCOMPARE(recordedAlerts().texts.size(), std::size_t{1});
        const QString text = toQString(recordedAlerts().texts.front());
        QVERIFY2(text.contains(QStringLiteral("(既定のブラウザ: my-web-browser)")),
                 qPrintable(text));
    }
};

LORVANEL_GUI_TEST(UserSessionTest)
#include "UserSessionTest.moc"
