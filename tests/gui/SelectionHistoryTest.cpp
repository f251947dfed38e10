// Back and forward through the applied selections: the history's own rules, and on the shown
// main window Alt+Left / Alt+Right and the tool bar's buttons bringing back the filter text,
// the posts and the tree's selected items after clicks on the tree.
#include "GuiTestSupport.h"

#include "app/CFilterTree.h"
#include "app/CMainFrame.h"
#include "app/COperationRunner.h"
#include "app/CSelectionNavigator.h"
#include "app/FilterTreeModel.h"
#include "app/SelectionHistory.h"
#include "doc/CDoc.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <string>
#include <vector>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

SelectionEntry entry(const char* text, int row) {
    return SelectionEntry{text, {{row}}};
}

// The generated item whose filter text is text, its parents expanded; invalid for none.
QModelIndex itemFor(CFilterTree* tree, const std::string& text) {
    FilterTreeModel* model = tree->itemModel();
    for (int top = 0; top < model->rowCount(); ++top) {
        const QModelIndex root = model->index(top, 0);
        tree->expand(root);
        for (int row = 0; row < model->rowCount(root); ++row) {
            const QModelIndex child = model->index(row, 0, root);
            const TreeNode* node = tree->nodeOf(child);
            if (node && node->item && node->item->text == text) return child;
        }
    }
    return {};
}

void click(CFilterTree* tree, const std::string& text, Qt::KeyboardModifiers mods = {}) {
    const QModelIndex item = itemFor(tree, text);
    QVERIFY2(item.isValid(), text.c_str());
    tree->scrollTo(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, mods, tree->visualRect(item).center());
}

// What the window shows of a selection: the filter text applied, the number of posts and the
// filter texts of the tree's selected items, sorted.
struct Shown {
    std::string text;
    std::size_t posts = 0;
    QStringList items;
    bool operator==(const Shown&) const = default;
};

Shown shown(CMainFrame* frame, CDoc& doc) {
    Shown s;
    s.text = frame->filterTree()->combinedText();
    s.posts = doc.selection().size();
    for (const QModelIndex& index : frame->filterTree()->selectionModel()->selectedIndexes()) {
        const TreeNode* node = frame->filterTree()->nodeOf(index);
        s.items << (node && node->item ? QString::fromStdString(node->item->text)
                                       : index.data().toString());
    }
    s.items.sort();
    return s;
}

char* toString(const Shown& s) {
    return QTest::toString(QStringLiteral("'%1' %2 posts [%3]")
                               .arg(QString::fromStdString(s.text))
                               .arg(s.posts)
                               .arg(s.items.join(QLatin1Char(','))));
}

} // namespace

class SelectionHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void recordsStepsAndDropsWhatLayAhead() {
        SelectionHistory h(3);
        QVERIFY(!h.canGoBack() && !h.canGoForward() && !h.current() && !h.back());
        h.record(entry("", 0));
        h.record(entry("a", 1));
        h.record(entry("a", 1)); // the same selection again is no step
        h.record(entry("b", 2));
        QCOMPARE(h.size(), std::size_t(3));
        QCOMPARE(h.back()->text, std::string("a"));
        QCOMPARE(h.back()->text, std::string(""));
        QVERIFY(!h.back());
        QCOMPARE(h.forward()->text, std::string("a"));
        // A new selection in the middle drops "b" ahead of it.
        h.record(entry("c", 3));
        QVERIFY(!h.canGoForward());
        QCOMPARE(h.size(), std::size_t(3));
        // Full: the oldest goes, the cursor stays on the newest.
        h.record(entry("d", 4));
        QCOMPARE(h.size(), std::size_t(3));
        QCOMPARE(h.current()->text, std::string("d"));
        QCOMPARE(h.back()->text, std::string("c"));
        QCOMPARE(h.back()->text, std::string("a"));
        QVERIFY(!h.canGoBack());
        h.moveTo(2);
        QCOMPARE(h.current()->text, std::string("d"));
        h.moveTo(7); // out of range: stays
        QCOMPARE(h.position(), std::size_t(2));
        // Same text, other items: a different selection.
        h.record(SelectionEntry{"d", {{4}, {5}}});
        QCOMPARE(h.size(), std::size_t(3));
        QCOMPARE(h.current()->items.size(), std::size_t(2));
    }

    void altLeftAndAltRightStepThroughTheTreesSelections() {
        WorkingDirectory dir;
        CLorvanelApp::StartOptions options = startOptions(dir);
        options.files = {LORVANEL_SOURCE_DIR "/resources/samples/demo-jane.txt"};
        CLorvanelApp app(std::make_unique<ScriptedPrompts>());
        QVERIFY(app.initInstance(options));
        CMainFrame* frame = app.mainFrame();
        frame->resize(1000, 700);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CDoc& doc = app.document();
        CFilterTree* tree = frame->filterTree();
        QAction* back = frame->navigator().backAction();
        QAction* forward = frame->navigator().forwardAction();
        auto settle = [&] { QTRY_VERIFY(!frame->operations().busy()); };
        auto key = [&](Qt::Key k) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : frame, k,
                            Qt::AltModifier);
            settle();
        };

        const Shown whole = shown(frame, doc);
        QCOMPARE(whole.posts, doc.postLog().posts.size());
        QVERIFY(!back->isEnabled() && !forward->isEnabled());

        click(tree, "hour13");
        settle();
        const Shown a = shown(frame, doc);
        click(tree, "week4", Qt::ControlModifier);
        settle();
        const Shown b = shown(frame, doc);
        click(tree, "hour20");
        settle();
        const Shown c = shown(frame, doc);
        QCOMPARE(a.items, QStringList{QStringLiteral("hour13")});
        QCOMPARE(b.items, (QStringList{QStringLiteral("hour13"), QStringLiteral("week4")}));
        QVERIFY(a.posts < whole.posts && b.posts < a.posts && c.posts != a.posts);
        QVERIFY(tree->hasFocus());

        key(Qt::Key_Left);
        QCOMPARE(shown(frame, doc), b);
        key(Qt::Key_Left);
        QCOMPARE(shown(frame, doc), a);
        key(Qt::Key_Left);
        QCOMPARE(shown(frame, doc), whole);
        QVERIFY(!back->isEnabled() && forward->isEnabled());
        key(Qt::Key_Left); // nothing further back
        QCOMPARE(shown(frame, doc), whole);
        key(Qt::Key_Right);
        key(Qt::Key_Right);
        QCOMPARE(shown(frame, doc), b);

        // The tool bar's buttons do the same.
        auto* bar = frame->findChild<QToolBar*>(QStringLiteral("MainToolBar"));
        QVERIFY(bar);
        QTest::mouseClick(bar->widgetForAction(forward), Qt::LeftButton);
        settle();
        QCOMPARE(shown(frame, doc), c);
        QVERIFY(!forward->isEnabled());
        QTest::mouseClick(bar->widgetForAction(back), Qt::LeftButton);
        settle();
        QCOMPARE(shown(frame, doc), b);
        // A new click drops the steps ahead.
        click(tree, "hour5");
        settle();
        QVERIFY(!forward->isEnabled() && back->isEnabled());
        key(Qt::Key_Left);
        QCOMPARE(shown(frame, doc), b);

        // At least fifty selections are kept: 60 clicks, then back through the last 55.
        std::vector<Shown> clicked;
        for (int i = 0; i < 60; ++i) {
            click(tree, "hour" + std::to_string(i % 24));
            settle();
            clicked.push_back(shown(frame, doc));
        }
        for (int i = 58; i >= 4; --i) {
            key(Qt::Key_Left);
            QCOMPARE(shown(frame, doc), clicked[static_cast<std::size_t>(i)]);
        }

        // A reload starts the history again.
        QTest::keyClick(frame, Qt::Key_F5);
        settle();
        QTRY_VERIFY(!back->isEnabled() && !forward->isEnabled());
        QCOMPARE(shown(frame, doc), whole);
    }
};

LORVANEL_GUI_TEST(SelectionHistoryTest)
#include "SelectionHistoryTest.moc"
