// The post list tab: drag selection and copying, the search bar and F3, links and their menu,
// opening a thread in a browser, scrolling, and the reset on a new selection.
#include "GuiTestSupport.h"

#include "app/CDlgBarSearch.h"
#include "app/CLorvanelView2.h"
#include "app/CLorvanelViewFrame.h"
#include "app/Commands.h"
#include "app/DocBridge.h"
#include "doc/CDoc.h"
#include "doc/Settings.h"
#include "input/BoardDirectory.h"
#include "input/PostLog.h"
#include "support/RecordingAlertSink.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

QString sourceFile(const char* relative) {
    return QStringLiteral(LORVANEL_SOURCE_DIR "/") + QString::fromUtf8(relative);
}

QString readUtf8(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

// Records the URLs that the desktop is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { urls.push_back(url); }

public:
    QList<QUrl> urls;
};

// A Jane log of n replies a minute apart; post i (from 0) has `lines` body lines, and the
// posts listed in `cats` say "猫" on their last line.
std::string janeLog(int n, int lines, const std::vector<int>& cats, const QString& url = {}) {
    QString s;
    for (int i = 0; i < n; ++i) {
        s += QStringLiteral("--------------------------------------------\r\n");
        s += QStringLiteral("Date   : 2016/08/01 10:%1:%2\r\n")
                 .arg(i / 60, 2, 10, QLatin1Char('0'))
                 .arg(i % 60, 2, 10, QLatin1Char('0'));
        s += QStringLiteral("Subject: スレ%1\r\n").arg(i + 1);
        s += QStringLiteral("URL    : ") +
             (url.isEmpty() ? QStringLiteral("https://hayabusa9.5ch.net/test/read.cgi/news/%1/")
                                  .arg(1470000000 + i)
                            : url) +
             QStringLiteral("\r\n");
        s += QStringLiteral("FROM   : \r\nMAIL   : \r\n\r\n");
        for (int k = 0; k < lines; ++k) {
            if (k) s += QStringLiteral("\r\n");
            const bool cat = k == lines - 1 && std::find(cats.begin(), cats.end(), i) != cats.end();
            s += cat ? QStringLiteral("猫がいる") : QStringLiteral("行%1").arg(k + 1);
        }
        s += QStringLiteral("\r\n\r\n\r\n");
    }
    return cp932(s);
}

// The document and the post list tab, shown.
struct ListTab {
    explicit ListTab(const std::vector<std::string>& paths, QSize size = QSize(640, 400)) {
        doc.load(paths, false, 0);
        frame = std::make_unique<CLorvanelViewFrame>(bridge);
        frame->resize(size);
        frame->show();
        frame->activateWindow();
        view()->setFocus();
    }
    CLorvanelView2* view() const { return frame->view(); }
    QWidget* viewport() const { return view()->viewport(); }
    // The middle of a row (at a column right of every text) in viewport coordinates.
    QPoint rowPoint(RowIndex row, int x = 600) const {
        const int h = view()->rowHeight();
        return QPoint(x, static_cast<int>(row - view()->viewportRows().top()) * h + h / 2);
    }
    CDoc doc;
    DocBridge bridge{doc};
    std::unique_ptr<CLorvanelViewFrame> frame;
};

void sendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Runs `act` on the next pop-up menu once it is open, then closes it.
void onNextMenu(std::function<void(QMenu*)> act) {
    QTimer::singleShot(0, [act] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu) act(menu);
        if (menu) menu->close();
    });
}

QAction* actionWithId(QMenu* menu, int id) {
    for (QAction* a : menu->actions())
        if (a->data().toInt() == id) return a;
    return nullptr;
}

} // namespace

class PostListTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(boardDirectory().loadBoardList()); }

    void init() {
        recordedAlerts().clear();
        settings() = Settings{};
        QGuiApplication::clipboard()->clear();
    }

    void dragSelectionThenCopy() {
        ListTab tab({sourceFile("tests/data/posts/all-rows/input.txt").toStdString()});
        QVERIFY(QTest::qWaitForWindowExposed(tab.frame.get()));
        CLorvanelView2* view = tab.view();
        QCOMPARE(view->rows().totalRows(), RowIndex(15));
        // From the name row of post 1 down to the title row of post 3, past the texts' ends.
        sendMouse(tab.viewport(), QEvent::MouseButtonPress, tab.rowPoint(1), Qt::LeftButton,
                  Qt::LeftButton);
        sendMouse(tab.viewport(), QEvent::MouseMove, tab.rowPoint(5), Qt::NoButton, Qt::LeftButton);
        sendMouse(tab.viewport(), QEvent::MouseMove, tab.rowPoint(9), Qt::NoButton, Qt::LeftButton);
        sendMouse(tab.viewport(), QEvent::MouseButtonRelease, tab.rowPoint(9), Qt::LeftButton,
                  Qt::NoButton);
        QCOMPARE(view->selection().start(), RowIndex(1));
        QCOMPARE(view->selection().end(), RowIndex(9));
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        const QString expected =
            readUtf8(sourceFile("tests/data/posts/name-row-to-title-row/expected.txt"));
        QVERIFY(expected.startsWith(QStringLiteral("名前：名無し[sage]")));
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);

        // Dragging back above the anchor selects from there to the anchor; Ctrl+Insert copies.
        sendMouse(tab.viewport(), QEvent::MouseButtonPress, tab.rowPoint(13), Qt::LeftButton,
                  Qt::LeftButton);
        QVERIFY(!view->selection().any());
        sendMouse(tab.viewport(), QEvent::MouseMove, tab.rowPoint(11), Qt::NoButton,
                  Qt::LeftButton);
        QTest::keyClick(view, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 readUtf8(sourceFile("tests/data/posts/rows-within-a-body/expected.txt")));

        // The context menu offers "コピー" only on a selected row; a right click elsewhere
        // clears the selection.
        std::unique_ptr<QMenu> inside(view->createContextMenu(12, nullptr));
        QVERIFY(actionWithId(inside.get(), cmd::kCopy)->isEnabled());
        std::unique_ptr<QMenu> outside(view->createContextMenu(3, nullptr));
        QVERIFY(!actionWithId(outside.get(), cmd::kCopy)->isEnabled());
        sendMouse(tab.viewport(), QEvent::MouseButtonPress, tab.rowPoint(3), Qt::RightButton,
                  Qt::RightButton);
        QVERIFY(!view->selection().any());

        // Ctrl+A selects every row; Ctrl+C then copies the whole list.
        QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(view->selection().end(), RowIndex(14));
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 readUtf8(sourceFile("tests/data/posts/all-rows/expected.txt")));
    }

    void f3FindsTheNextHitAndScrollsItIntoView() {
        WorkingDirectory dir;
        // 60 posts of 10 body lines (13 rows each); posts 2, 30 and 31 hold "猫".
        const std::string path = dir.write("lorvanel.txt", janeLog(60, 10, {2, 30, 31}));
        ListTab tab({path}, QSize(640, 800));
        QVERIFY(QTest::qWaitForWindowExposed(tab.frame.get()));
        CLorvanelView2* view = tab.view();
        const RowIndex page = view->viewportRows().page();
        QVERIFY(page > 5 && page < 100);
        tab.frame->searchBar()->comboBox()->setEditText(QStringLiteral("猫"));

        // Each hit's row is the last body row of its post: 13 * i + 11. The first is in view.
        QVERIFY(view->viewportRows().shows(2 * 13 + 11));
        QTest::keyClick(view, Qt::Key_F3);
        QCOMPARE(view->selection().start(), RowIndex(2 * 13 + 11));
        QCOMPARE(view->selection().end(), RowIndex(2 * 13 + 11));
        QCOMPARE(view->viewportRows().top(), RowIndex(0));

        QTest::keyClick(view, Qt::Key_F3);
        const RowIndex hit = 30 * 13 + 11;
        QCOMPARE(view->selection().end(), hit);
        QVERIFY(view->viewportRows().shows(hit));
        QCOMPARE(view->viewportRows().top(), hit - page / 2);
        QCOMPARE(view->verticalScrollBar()->value(), static_cast<int>(hit - page / 2));

        // The next hit is in view already: nothing scrolls.
        const RowIndex top = view->viewportRows().top();
        QVERIFY(view->viewportRows().shows(31 * 13 + 11));
        QTest::keyClick(view, Qt::Key_F3);
        QCOMPARE(view->selection().end(), RowIndex(31 * 13 + 11));
        QCOMPARE(view->viewportRows().top(), top);

        // After the last hit the selection stays where it is; no wrap-around.
        QTest::keyClick(view, Qt::Key_F3);
        QCOMPARE(view->selection().end(), RowIndex(31 * 13 + 11));

        // Enter in the search bar and its button run the same command; the pattern is kept
        // at the top of the drop-down list.
        QTest::keyClick(view, Qt::Key_Home);
        tab.frame->searchBar()->comboBox()->setEditText(QStringLiteral("行3"));
        QLineEdit* edit = tab.frame->searchBar()->comboBox()->lineEdit();
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(view->selection().end(), RowIndex(31 * 13 + 13 + 4));
        QTest::mouseClick(tab.frame->searchBar()->button(), Qt::LeftButton);
        QCOMPARE(view->selection().end(), RowIndex(31 * 13 + 2 * 13 + 4));
        QComboBox* combo = tab.frame->searchBar()->comboBox();
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QStringLiteral("行3"));
        QCOMPARE(combo->itemText(1), QStringLiteral("猫"));

        // An empty pattern does nothing.
        combo->setEditText(QString());
        QVERIFY(!tab.frame->runSearch());
        QCOMPARE(view->selection().end(), RowIndex(31 * 13 + 2 * 13 + 4));
    }

    void scrollingByKeysWheelAndScrollBar() {
        WorkingDirectory dir;
        const std::string path = dir.write("lorvanel.txt", janeLog(20, 1, {}));
        ListTab tab({path});
        QVERIFY(QTest::qWaitForWindowExposed(tab.frame.get()));
        CLorvanelView2* view = tab.view();
        const RowIndex total = view->rows().totalRows();
        const RowIndex page = view->viewportRows().page();
        QCOMPARE(total, RowIndex(80));
        QCOMPARE(view->verticalScrollBar()->maximum(), 79);
        QCOMPARE(view->verticalScrollBar()->pageStep(), static_cast<int>(page));

        QWheelEvent notch(QPointF(10, 10), QPointF(view->viewport()->mapToGlobal(QPoint(10, 10))),
                          QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &notch);
        QCOMPARE(view->viewportRows().top(), RowIndex(4));
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(view->viewportRows().top(), RowIndex(5));
        QTest::keyClick(view, Qt::Key_End);
        QCOMPARE(view->viewportRows().top(), total - page);
        QCOMPARE(view->verticalScrollBar()->value(), static_cast<int>(total - page));
        QApplication::sendEvent(view->viewport(), &notch);
        QCOMPARE(view->viewportRows().top(), total - page);
        view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
        QCOMPARE(view->viewportRows().top(), RowIndex(0));
        view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(view->viewportRows().top(), page - 1);
        view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(view->viewportRows().top(), total - page);

        // Only the visible posts are painted: their links are the number and the title of
        // each post in view.
        view->viewport()->repaint();
        QVERIFY(!view->links().empty());
        for (const CLorvanelView2::Link& link : view->links()) {
            const RowIndex first = view->rows().firstRowOf(link.post);
            QVERIFY(first + view->rows().rowsOf(link.post) > total - page);
        }

        // A new selection of the document resets the list: top row 0, nothing selected. The
        // list lets go of the old records before the document releases them.
        QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
        view->setCurrentPost(0);
        struct Probe : DocListener {
            CLorvanelView2* view = nullptr;
            std::vector<std::size_t> postsWhenWarned;
            void documentUpdated(CDoc&, const DocUpdate& u) override {
                if (u.hint != DocHint::SelectionAboutToChange) return;
                postsWhenWarned.push_back(view->rows().postCount() + view->links().size() +
                                          (view->selection().any() ? 1 : 0));
            }
        } probe;
        probe.view = view;
        tab.doc.addListener(&probe);
        PostList some;
        some.pushBack(tab.doc.postLog().posts[3]);
        tab.doc.applySelection(some);
        QCOMPARE(view->rows().totalRows(), RowIndex(4));
        QCOMPARE(view->viewportRows().top(), RowIndex(0));
        QVERIFY(!view->selection().any());
        QCOMPARE(view->verticalScrollBar()->maximum(), 3);
        tab.doc.close();
        QCOMPARE(view->rows().totalRows(), RowIndex(0));
        view->viewport()->repaint();
        QVERIFY(view->links().empty());
        tab.doc.removeListener(&probe);
        QCOMPARE(probe.postsWhenWarned, (std::vector<std::size_t>{0, 0}));
    }

    void linksShowTheUrlAndOpenThePostMenu() {
        WorkingDirectory dir;
        const std::string path = dir.write("lorvanel.txt", janeLog(3, 1, {}));
        ListTab tab({path});
        QVERIFY(QTest::qWaitForWindowExposed(tab.frame.get()));
        CLorvanelView2* view = tab.view();
        view->viewport()->repaint();
        // Two links a post: its number and its title.
        QCOMPARE(view->links().size(), std::size_t(6));
        const CLorvanelView2::Link title = view->links()[3];
        QCOMPARE(title.post, std::size_t(1));
        QSignalSpy status(view, &CLorvanelView2::statusMessage);
        sendMouse(tab.viewport(), QEvent::MouseMove, title.rect.center(), Qt::NoButton,
                  Qt::NoButton);
        QCOMPARE(status.size(), 1);
        QCOMPARE(status.at(0).at(0).toString(),
                 QStringLiteral("https://hayabusa9.5ch.net/test/read.cgi/news/1470000001"));
        QCOMPARE(view->viewport()->cursor().shape(), Qt::PointingHandCursor);
        sendMouse(tab.viewport(), QEvent::MouseMove, tab.rowPoint(2), Qt::NoButton, Qt::NoButton);
        QCOMPARE(status.last().at(0).toString(), QString());
        QCOMPARE(view->viewport()->cursor().shape(), Qt::IBeamCursor);

        // A click on the title opens the post menu; "書き込みをコピー" copies the post's text.
        bool shown = false;
        onNextMenu([&](QMenu* menu) {
            shown = true;
            QVERIFY(actionWithId(menu, cmd::kCopyUrl)->isEnabled());
            QVERIFY(actionWithId(menu, cmd::kOpenInBrowser)->isEnabled());
            actionWithId(menu, cmd::kCopyPost)->trigger();
        });
        sendMouse(tab.viewport(), QEvent::MouseButtonPress, title.rect.center(), Qt::LeftButton,
                  Qt::LeftButton);
        QVERIFY(shown);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("スレ2 (ニュース速報)\r\n名前：[] 投稿日：2016/08/01(月) "
                                "10:00:01\r\n行1\r\n\r\n"));
        view->copyCurrentUrl();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("https://hayabusa9.5ch.net/test/read.cgi/news/1470000001"));
    }

    void urlItemsAndTheUrlCheck() {
        WorkingDirectory dir;
        // A board URL of one slash after the colon fails the check.
        const std::string path =
            dir.write("lorvanel.txt", janeLog(1, 1, {}, QStringLiteral("http:/bad/x/")));
        ListTab tab({path});
        CLorvanelView2* view = tab.view();
        view->setCurrentPost(0);
        std::unique_ptr<QMenu> menu(view->createPostMenu(nullptr));
        QVERIFY(actionWithId(menu.get(), cmd::kOpenInBrowser)->isEnabled());
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        view->copyCurrentUrl();
        view->openCurrentUrl();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
        QCOMPARE(recordedAlerts().texts.size(), std::size_t(2));
        QCOMPARE(toQString(recordedAlerts().texts[0]), QStringLiteral("URLを取得出来ませんでした"));

        // A post without a URL: both URL items are disabled.
        WorkingDirectory other;
        const std::string none = other.write(
            "sent.ini", cp932(QStringLiteral("[1]\r\nName=\r\nEMail=\r\nBody=本文\r\n"
                                             "Status=1\r\nDate=2008/01/02 03:04:05\r\n"
                                             "Title=題\r\nBBS=news\r\nNewThread=1\r\n")));
        ListTab bare({none});
        if (bare.view()->rows().postCount() == 1) {
            bare.view()->setCurrentPost(0);
            std::unique_ptr<QMenu> m(bare.view()->createPostMenu(nullptr));
            QVERIFY(!actionWithId(m.get(), cmd::kCopyUrl)->isEnabled());
            QVERIFY(!actionWithId(m.get(), cmd::kOpenInBrowser)->isEnabled());
            QVERIFY(actionWithId(m.get(), cmd::kCopyPost)->isEnabled());
        } else {
            QFAIL("the key=value log did not load");
        }
    }

    void theBrowserGetsTheUrlAsOneArgument() {
        WorkingDirectory dir;
        const QString url = QStringLiteral("http://example.com/test/read.cgi/news/1 2;touch x");
        const std::string path =
            dir.write("lorvanel.txt", janeLog(1, 1, {}, url + QStringLiteral("/")));
        const std::string out = dir.file("argv.txt");
        const std::string script = dir.write(
            "browser.sh", "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; "
                          "done; } > '" +
                              out + ".tmp'\nmv '" + out + ".tmp' '" + out + "'\n");
        QFile::setPermissions(QString::fromStdString(script),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ListTab tab({path});
        tab.view()->setCurrentPost(0);
        settings().enableBrowserSetting = 1;
        settings().browsers.addToFront(script);
        tab.view()->openCurrentUrl();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QString::fromStdString(out)), 10000);
        QCOMPARE(readUtf8(QString::fromStdString(out)),
                 QStringLiteral("1\n") + url + QStringLiteral("\n"));
        QVERIFY(!QFile::exists(QString::fromStdString(dir.file("x"))));
        QVERIFY(recordedAlerts().texts.empty());

        // A program that can't be started, and no program at all: the user is told.
        settings().browsers.addToFront(dir.file("no-such-browser"));
        tab.view()->openCurrentUrl();
        QCOMPARE(recordedAlerts().texts.size(), std::size_t(1));
        QVERIFY(toQString(recordedAlerts().texts[0])
                    .contains(QStringLiteral("ブラウザを起動できませんでした")));
        QVERIFY(toQString(recordedAlerts().texts[0])
                    .contains(QString::fromStdString(dir.file("no-such-browser"))));
        settings().browsers.clear();
        tab.view()->openCurrentUrl();
        QCOMPARE(recordedAlerts().texts.size(), std::size_t(2));
        QVERIFY(toQString(recordedAlerts().texts[1])
                    .contains(QStringLiteral("ブラウザを起動できませんでした")));

        // Without the browser setting the desktop opens the URL.
        settings().enableBrowserSetting = 0;
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
        tab.view()->openCurrentUrl();
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls.front().toString(), QUrl(url, QUrl::TolerantMode).toString());
    }
};

LORVANEL_GUI_TEST(PostListTest)
#include "PostListTest.moc"
