// The main window's commands: tool bar, drops, reload and whole-file reads, the editor, the
// keyword menu, result-page tabs, the filter pane and clearing a filter.
#include "GuiTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "app/CReportFrame.h"
#include "app/CReportTree.h"
#include "app/CSelectionNavigator.h"
#include "doc/CDoc.h"
#include "doc/Settings.h"
#include "platform/Encoding.h"

#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTabBar>
#include <QToolBar>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {
QString q(const std::string& s) {
    return QString::fromStdString(s);
}
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void toolBarInTheGivenOrder() {
        WorkingDirectory dir;
        StartedWindow s(dir);
        QVERIFY(s.ok);
        const QList<QToolBar*> bars = s.frame()->findChildren<QToolBar*>();
        QCOMPARE(bars.size(), 1);
        std::vector<int> ids;
        // Commands without a number (back and forward) count as -1.
        for (QAction* a : bars.front()->actions())
            ids.push_back(a->isSeparator() ? 0 : a->data().isValid() ? a->data().toInt() : -1);
        QCOMPARE(ids, (std::vector<int>{cmd::kFileOpen, 0, cmd::kReadWhole, cmd::kOpenInEditor, 0,
                                        cmd::kFilterTree, cmd::kMultiSelect, cmd::kClearFilter, 0,
                                        cmd::kOptions, cmd::kAbout, 0, -1, -1}));
        QCOMPARE(bars.front()->actions().at(12), s.frame()->navigator().backAction());
        QCOMPARE(bars.front()->actions().at(13), s.frame()->navigator().forwardAction());
        QCOMPARE(s.frame()->action(cmd::kReload)->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(s.frame()->action(cmd::kSelectAll)->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_A));
        // Nothing loaded: nothing to reload, read whole or edit, no filter to clear.
        for (int id : {cmd::kReload, cmd::kReadWhole, cmd::kOpenInEditor, cmd::kClearFilter})
            QVERIFY(!s.frame()->action(id)->isEnabled());
        s.frame()->action(cmd::kAbout)->trigger();
        QCOMPARE(s.prompts->aboutShown, 1);
    }

    void dropsLoadEachPathOnceAndAskBeforeReplacing() {
        WorkingDirectory dir;
        const std::string a =
            dir.write("a.txt", janeLogText(janeSeries(2, QStringLiteral("2008/01/01"))));
        const std::string b =
            dir.write("b.txt", janeLogText(janeSeries(3, QStringLiteral("2008/02/01"))));
        StartedWindow s(dir);
        s.frame()->dropPaths({q(a), q(a)});
        QCOMPARE(s.prompts->dropAsked, 0);
        QCOMPARE(s.doc().postLog().sourcePaths, std::vector<std::string>{a});
        QCOMPARE(s.doc().selection().size(), std::size_t(2));

        s.prompts->drop = CUiPrompts::DropChoice::Cancel;
        s.frame()->dropPaths({q(b)});
        QCOMPARE(s.prompts->dropAsked, 1);
        QCOMPARE(s.doc().postLog().sourcePaths, std::vector<std::string>{a});

        s.prompts->drop = CUiPrompts::DropChoice::Merge;
        s.frame()->dropPaths({q(b)});
        QCOMPARE(s.doc().selection().size(), std::size_t(5));

        s.prompts->drop = CUiPrompts::DropChoice::New;
        s.frame()->dropPaths({q(b)});
        QCOMPARE(s.doc().postLog().sourcePaths, std::vector<std::string>{b});
        QCOMPARE(s.doc().selection().size(), std::size_t(3));
    }

    void dropEventCarriesLocalFiles() {
        WorkingDirectory dir;
        const std::string a =
            dir.write("a.txt", janeLogText(janeSeries(2, QStringLiteral("2008/01/01"))));
        StartedWindow s(dir);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(q(a)), QUrl(QStringLiteral("http://example.invalid/x"))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(s.frame(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(s.frame(), &drop);
        QCOMPARE(s.doc().postLog().sourcePaths, std::vector<std::string>{a});
    }

    void limitedLoadOffersTheWholeFile() {
        WorkingDirectory dir;
        // About 1.6 MB of posts, read with a limit of 1 MB.
        std::vector<JanePost> posts;
        for (int day = 0; day < 400; ++day) {
            const QString date =
                QDate(2007, 1, 1).addDays(day).toString(QStringLiteral("yyyy/MM/dd"));
            for (const JanePost& p : janeSeries(20, date)) {
                posts.push_back(p);
                posts.back().body = QString(60, QLatin1Char('x'));
            }
        }
        const std::string big = dir.write("big.txt", janeLogText(posts));
        dir.write("lorvanel.ini", "[Settings]\r\nFileSizeLimit=1\r\n");
        StartedWindow s(dir);
        s.frame()->dropPaths({q(big)});
        const PostLog& log = s.doc().postLog();
        QCOMPARE(log.bytesRead, std::uint64_t(1) << 20);
        QVERIFY(log.fileSize > log.bytesRead);
        QVERIFY(s.frame()->action(cmd::kReadWhole)->isEnabled());
        const std::size_t limited = s.doc().selection().size();
        s.frame()->action(cmd::kReadWhole)->trigger();
        QCOMPARE(log.bytesRead, log.fileSize);
        QCOMPARE(s.doc().selection().size(), posts.size());
        QVERIFY(s.doc().selection().size() > limited);
        QVERIFY(!s.frame()->action(cmd::kReadWhole)->isEnabled());
        // F5 reads with the configured limit again.
        s.frame()->action(cmd::kReload)->trigger();
        QCOMPARE(s.doc().selection().size(), limited);
    }

    void editorGetsEveryLoadedFile() {
        WorkingDirectory dir;
        const std::string a =
            dir.write("a.txt", janeLogText(janeSeries(2, QStringLiteral("2008/01/01"))));
        const std::string b =
            dir.write("b b.txt", janeLogText(janeSeries(2, QStringLiteral("2008/03/01"))));
        StartedWindow s(dir);
        s.frame()->dropPaths({q(a), q(b)});
        QVERIFY(s.frame()->action(cmd::kOpenInEditor)->isEnabled());
        s.frame()->action(cmd::kOpenInEditor)->trigger();
        QCOMPARE(s.prompts->opened.size(), std::size_t(2));
        QCOMPARE(s.prompts->opened[0], QUrl::fromLocalFile(q(a)));
        QCOMPARE(s.prompts->opened[1].toLocalFile(), q(b));
    }

    void closeEmptiesEverything() {
        WorkingDirectory dir;
        const std::string a =
            dir.write("a.txt", janeLogText(janeSeries(2, QStringLiteral("2008/01/01"))));
        StartedWindow s(dir);
        s.frame()->dropPaths({q(a)});
        s.doc().addResultPage(ResultPage{"page", "text"});
        QCOMPARE(s.frame()->mainView()->count(), 4);
        s.frame()->action(cmd::kFileClose)->trigger();
        QVERIFY(s.doc().postLog().sourcePaths.empty());
        QCOMPARE(s.frame()->mainView()->count(), 3);
        QCOMPARE(s.frame()->windowTitle(), QStringLiteral("Lorvanel"));
        QVERIFY(!s.frame()->action(cmd::kReload)->isEnabled());
        // The report tab, hidden behind the page's tab, shows the empty document once shown.
        s.frame()->mainView()->setCurrentIndex(0);
        CReportTree* tree = s.frame()->mainView()->reportFrame()->tree();
        QCOMPARE(tree->topLevelItemCount(), 2);
    }

    void resultPagesAreClosableTabs() {
        WorkingDirectory dir;
        StartedWindow s(dir);
        CMainView* view = s.frame()->mainView();
        const ResultPage* first = s.doc().addResultPage(ResultPage{"first", "one\r\ntwo"});
        const ResultPage* second = s.doc().addResultPage(ResultPage{"second", "x"});
        QCOMPARE(view->count(), 5);
        QCOMPARE(view->tabText(3), QStringLiteral("first"));
        QCOMPARE(view->currentIndex(), 4);
        QCOMPARE(view->tabOfPage(first), 3);
        // The three fixed tabs have no close button; result pages do.
        for (int i = 0; i < CMainView::kFixedTabs; ++i)
            QVERIFY(!view->tabBar()->tabButton(i, QTabBar::RightSide));
        QVERIFY(view->tabBar()->tabButton(3, QTabBar::RightSide));
        emit view->tabCloseRequested(3);
        QCOMPARE(s.doc().resultPages().size(), std::size_t(1));
        QCOMPARE(view->count(), 4);
        QCOMPARE(view->tabOfPage(second), 3);
        view->closePageTab(0);
        QCOMPARE(view->count(), 4);
    }

    void filterPaneToggles() {
        WorkingDirectory dir;
        StartedWindow s(dir);
        QAction* tree = s.frame()->action(cmd::kFilterTree);
        QVERIFY(tree->isChecked());
        tree->trigger();
        QVERIFY(!tree->isChecked());
        QVERIFY(!s.frame()->filterPane()->isVisible());
        QVERIFY(s.frame()->mainView()->isVisible());
        tree->trigger();
        QVERIFY(tree->isChecked());
        QVERIFY(s.frame()->filterPane()->isVisible());
    }

    void clearFilterReturnsToTheWholeLog() {
        WorkingDirectory dir;
        const std::string a =
            dir.write("a.txt", janeLogText(janeSeries(4, QStringLiteral("2008/01/01"))));
        StartedWindow s(dir);
        s.frame()->dropPaths({q(a)});
        PostList some;
        some.pushBack(s.doc().postLog().posts[1]);
        QVERIFY(s.doc().applySelection(some));
        QVERIFY(s.frame()->action(cmd::kClearFilter)->isEnabled());
        s.frame()->action(cmd::kClearFilter)->trigger();
        QCOMPARE(s.doc().selection().size(), std::size_t(4));
        QVERIFY(!s.frame()->action(cmd::kClearFilter)->isEnabled());
    }

    void keywordAnalysesAddResultPages() {
        WorkingDirectory dir;
        const std::string a =
            dir.write("a.txt", janeLogText(janeSeries(4, QStringLiteral("2008/01/01"))));
        QDir(q(dir.path())).mkpath(QStringLiteral("keywords"));
        dir.write("keywords/topics.txt", cp932(QStringLiteral("★スレ\r\nスレ\r\n")));
        dir.write("keywords/empty.txt", cp932(QStringLiteral("no groups here\r\n")));
        StartedWindow s(dir);
        s.frame()->dropPaths({q(a)});
        CMainView* view = s.frame()->mainView();
        s.frame()->action(cmd::kAutoKeywords)->trigger();
        QCOMPARE(s.doc().resultPages().size(), std::size_t(1));
        QCOMPARE(view->count(), 4);

        s.frame()->rebuildKeywordMenu();
        QAction* topics = nullptr;
        QAction* empty = nullptr;
        for (QAction* a : s.frame()->toolsMenu()->actions()) {
            if (a->text() == QStringLiteral("topics")) topics = a;
            if (a->text() == QStringLiteral("empty")) empty = a;
        }
        QVERIFY(topics && empty);
        topics->trigger();
        QCOMPARE(s.doc().resultPages().size(), std::size_t(2));
        QCOMPARE(view->count(), 5);
        QVERIFY(qobject_cast<QPlainTextEdit*>(view->widget(4))
                    ->toPlainText()
                    .contains(QStringLiteral("スレ")));
        // A file without groups adds no page.
        empty->trigger();
        QCOMPARE(s.doc().resultPages().size(), std::size_t(2));
        // A new selection deletes the pages and their tabs.
        s.frame()->action(cmd::kReload)->trigger();
        QCOMPARE(view->count(), 3);
    }

    void keywordMenuListsTheKeywordDirectory() {
        WorkingDirectory dir;
        QDir(q(dir.path())).mkpath(QStringLiteral("keywords/folder.txt"));
        for (const char* name : {"b.txt", "a.txt", "c.txt", "notes.md"})
            dir.write(std::string("keywords/") + name, "x");
        StartedWindow s(dir);
        QMenu* tools = s.frame()->toolsMenu();
        s.frame()->rebuildKeywordMenu();
        QStringList captions;
        std::vector<int> ids;
        for (QAction* a : tools->actions()) {
            const int id = a->data().toInt();
            if (id >= cmd::kKeywordFirst && id <= cmd::kKeywordLast) {
                captions << a->text();
                ids.push_back(id);
            }
        }
        // Inserted one by one at the same place, so in reverse listing order.
        QCOMPARE(captions,
                 (QStringList{QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
        QCOMPARE(ids, (std::vector<int>{3347, 3346, 3345}));
        const QList<QAction*> actions = tools->actions();
        QCOMPARE(actions[actions.indexOf(s.frame()->action(cmd::kAutoKeywords)) + 2]->text(),
                 QStringLiteral("c"));

        // At most 65 files.
        for (int i = 0; i < 70; ++i)
            dir.write("keywords/k" + std::to_string(100 + i) + ".txt", "x");
        s.frame()->rebuildKeywordMenu();
        int count = 0;
        for (QAction* a : tools->actions())
            if (a->data().toInt() >= cmd::kKeywordFirst && a->data().toInt() <= cmd::kKeywordLast)
                ++count;
        QCOMPARE(count, 65);
    }
};

LORVANEL_GUI_TEST(MainWindowTest)
#include "MainWindowTest.moc"
