// The open log follows the browser: a post appended to the file, or a new file renamed over
// it, reloads the window within three seconds with the filter, the expanded items and the
// post list's top post kept; a file that goes away leaves the posts and says so; the option
// turns it off.
#include "GuiTestSupport.h"

#include "app/CDlgOpt1.h"
#include "app/CFilterTree.h"
#include "app/CLogFollower.h"
#include "app/CLogWatcher.h"
#include "app/CLorvanelView2.h"
#include "app/CLorvanelViewFrame.h"
#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "app/COperationRunner.h"
#include "app/COptionSheet.h"
#include "app/FilterTreeModel.h"
#include "doc/CDoc.h"

#include <QCheckBox>
#include <QStatusBar>
#include <QtTest>

#include <cstdio>
#include <fstream>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

// The generated item whose filter text is text, found below the top-level items.
QModelIndex itemFor(CFilterTree* tree, const std::string& text) {
    FilterTreeModel* model = tree->itemModel();
    for (int top = 0; top < model->rowCount(); ++top) {
        const QModelIndex root = model->index(top, 0);
        model->expandItem(root);
        for (int row = 0; row < model->rowCount(root); ++row) {
            const QModelIndex child = model->index(row, 0, root);
            const TreeNode* node = tree->nodeOf(child);
            if (node && node->item && node->item->text == text) return child;
        }
    }
    return {};
}

QStringList selectedTexts(CFilterTree* tree) {
    QStringList texts;
    for (const QModelIndex& index : tree->selectionModel()->selectedIndexes())
        texts << QString::fromStdString(tree->nodeOf(index)->item->text);
    return texts;
}

void appendBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << bytes;
}

} // namespace

class LogFollowTest : public QObject {
    Q_OBJECT
private slots:
    void appendedPostsAndRenamedFilesReloadKeepingTheView() {
        WorkingDirectory dir;
        // 40 posts of news an hour apart from Wednesday 2 January 2008, and one of newsplus.
        std::vector<JanePost> posts = janeSeries(24, QStringLiteral("2008/01/02"));
        for (const JanePost& p : janeSeries(16, QStringLiteral("2008/01/03"))) posts.push_back(p);
        posts.push_back(
            janeSeries(1, QStringLiteral("2008/01/04"), QStringLiteral("newsplus")).front());
        const std::string path = dir.write("jane.txt", janeLogText(posts));
        // A settings file beside the program, where the settings then go.
        dir.write("lorvanel.ini", "");
        CLorvanelApp::StartOptions options = startOptions(dir);
        options.files = {path};
        auto scripted = std::make_unique<ScriptedPrompts>();
        ScriptedPrompts* prompts = scripted.get();
        CLorvanelApp app(std::move(scripted));
        QVERIFY(app.initInstance(options));
        CMainFrame* frame = app.mainFrame();
        frame->resize(900, 600);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CDoc& doc = app.document();
        QCOMPARE(doc.postLog().posts.size(), std::size_t(41));
        CFilterTree* tree = frame->filterTree();

        // The user opens "曜日", picks Wednesday (2 January) with a click, and scrolls the
        // list down.
        const QModelIndex wednesday = itemFor(tree, "week4");
        QVERIFY(wednesday.isValid());
        tree->setExpanded(wednesday.parent(), true);
        tree->scrollTo(wednesday);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualRect(wednesday).center());
        QTRY_COMPARE(doc.selection().size(), std::size_t(24));
        CMainView* tabs = frame->mainView();
        tabs->setCurrentWidget(tabs->postListFrame());
        CLorvanelView2* list = tabs->postListFrame()->view();
        const PostRows& rows = list->rows();
        list->setTopRow(rows.firstRowOf(10) + 1);
        QCOMPARE(list->viewportRows().top(), rows.firstRowOf(10) + 1);
        const Time32 topTime = rows.post(10).time;

        // The browser appends a post of the next Wednesday; the window follows within three
        // seconds.
        std::vector<JanePost> more = posts;
        JanePost added = janeSeries(1, QStringLiteral("2008/01/09")).front();
        added.body = QStringLiteral("追記されたレス");
        more.push_back(added);
        const std::string before = janeLogText(posts), after = janeLogText(more);
        QVERIFY(after.compare(0, before.size(), before) == 0);
        appendBytes(path, after.substr(before.size()));
        QTRY_COMPARE_WITH_TIMEOUT(doc.postLog().posts.size(), std::size_t(42), 3000);
        QTRY_VERIFY(!frame->operations().busy());
        QCOMPARE(doc.selection().size(), std::size_t(25));
        QCOMPARE(selectedTexts(tree), QStringList{QStringLiteral("week4")});
        QVERIFY(tree->isExpanded(itemFor(tree, "week4").parent()));
        const RowPosition top = list->rows().locate(list->viewportRows().top());
        QCOMPARE(list->rows().post(top.post).time, topTime);
        QCOMPARE(top.offset, 1);

        // A browser that rotates its log renames a new file over it: still followed.
        more.push_back(
            janeSeries(1, QStringLiteral("2008/01/06"), QStringLiteral("newsplus")).front());
        dir.write("jane.txt.new", janeLogText(more));
        QVERIFY(std::rename(dir.file("jane.txt.new").c_str(), path.c_str()) == 0);
        QTRY_COMPARE_WITH_TIMEOUT(doc.postLog().posts.size(), std::size_t(43), 3000);
        QTRY_VERIFY(!frame->operations().busy());
        QCOMPARE(doc.selection().size(), std::size_t(25));
        // ... and again after that rename.
        more.push_back(added);
        more.back().date = QStringLiteral("2008/01/07 10:00:00");
        dir.write("jane.txt", janeLogText(more));
        QTRY_COMPARE_WITH_TIMEOUT(doc.postLog().posts.size(), std::size_t(44), 3000);
        QTRY_VERIFY(!frame->operations().busy());
        QCOMPARE(doc.selection().size(), std::size_t(25));

        // The file goes: the posts stay and the status bar names it.
        QVERIFY(std::remove(path.c_str()) == 0);
        QTRY_VERIFY_WITH_TIMEOUT(
            frame->statusBar()->currentMessage().contains(QStringLiteral("jane.txt")), 3000);
        QCOMPARE(doc.postLog().posts.size(), std::size_t(44));
        QCOMPARE(doc.selection().size(), std::size_t(25));

        // It comes back: followed again. Then the option turns following off.
        dir.write("jane.txt", janeLogText(posts));
        QTRY_COMPARE_WITH_TIMEOUT(doc.postLog().posts.size(), std::size_t(41), 3000);
        QTRY_VERIFY(!frame->operations().busy());
        QCOMPARE(doc.selection().size(), std::size_t(24));
        // The option page turns following off, and the settings file keeps that.
        prompts->onSheet = [](COptionSheet& sheet) {
            QVERIFY(sheet.generalPage()->followBox()->isChecked());
            QCOMPARE(sheet.generalPage()->followBox()->text(),
                     QStringLiteral("開いているログの更新を自動で読み込む"));
            sheet.generalPage()->followBox()->setChecked(false);
            sheet.accept();
        };
        frame->editOptions();
        QVERIFY(!frame->follower().watcher().enabled());
        QVERIFY(dir.iniText().contains(QStringLiteral("FollowLogChanges=0")));
        dir.write("jane.txt", janeLogText(more));
        QTest::qWait(1600);
        QCOMPARE(doc.postLog().posts.size(), std::size_t(41));
        // F5 still reloads by hand.
        QTest::keyClick(frame, Qt::Key_F5);
        QTRY_COMPARE(doc.postLog().posts.size(), more.size());
    }
};

LORVANEL_GUI_TEST(LogFollowTest)
#include "LogFollowTest.moc"
