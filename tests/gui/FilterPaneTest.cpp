// The filter tree of the left pane: clicks narrow the report, Ctrl and Shift select several
// items, the context menu and its commands, the filter dialog, and the custom filters kept
// in the settings file.
#include "GuiTestSupport.h"

#include "app/CDlgFilter.h"
#include "app/CFilterTree.h"
#include "app/CFilterTreeDelegate.h"
#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "app/CReportFrame.h"
#include "app/CReportView.h"
#include "app/FilterTreeModel.h"
#include "doc/CDoc.h"
#include "filter/FilterSelection.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/LocalTime.h"
#include "support/RecordingAlertSink.h"
#include "ui/QtText.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

// Started and shown on Monday 21 January 2008, noon: this week began on Sunday the 20th.
struct Started : StartedWindow {
    explicit Started(const WorkingDirectory& dir) : StartedWindow(dir) {
        if (!ok) return;
        doc().setClock(clock);
        ok = show();
    }
    CFilterTree* tree() const { return frame()->filterTree(); }
    FixedClock clock{fromLocalTime(2008, 1, 21, 12, 0, 0)};
};

// Two posts this week on news, three the week before on newsplus, one in 2007 on news.
std::string sampleLog() {
    std::vector<JanePost> posts = janeSeries(1, QStringLiteral("2007/12/01"));
    for (const JanePost& p :
         janeSeries(3, QStringLiteral("2008/01/15"), QStringLiteral("newsplus")))
        posts.push_back(p);
    for (const JanePost& p : janeSeries(2, QStringLiteral("2008/01/20"))) posts.push_back(p);
    return janeLogText(posts);
}

void click(CFilterTree* tree, const QModelIndex& item, Qt::KeyboardModifiers mods = {}) {
    QVERIFY(item.isValid());
    tree->scrollTo(item);
    const QRect r = tree->visualRect(item);
    QVERIFY(r.isValid());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, mods, r.center());
}

bool isOpen(const CFilterTree* tree, const QStringList& labels) {
    const QModelIndex index = existingFilterRow(tree, labels);
    return index.isValid() && tree->isExpanded(index);
}

// An item's option as the tree paints it in its row.
QStyleOptionViewItem rowOption(CFilterTree* tree, const QModelIndex& index) {
    QStyleOptionViewItem option;
    option.initFrom(tree->viewport());
    option.widget = tree;
    option.font = tree->font();
    option.fontMetrics = tree->fontMetrics();
    option.rect = tree->visualRect(index);
    return option;
}

QString reportText(const Started& s) {
    return s.frame()->mainView()->reportFrame()->view()->toPlainText();
}

std::vector<int> menuIds(QMenu* menu) {
    std::vector<int> ids;
    if (!menu) return ids;
    for (QAction* a : menu->actions()) ids.push_back(a->isSeparator() ? 0 : a->data().toInt());
    delete menu;
    return ids;
}

// The menu command with that number, raised as a right click raises it.
void runMenuCommand(CFilterTree* tree, int id) {
    std::unique_ptr<QMenu> menu(tree->createContextMenu());
    QVERIFY(menu);
    for (QAction* a : menu->actions())
        if (a->data().toInt() == id) return a->trigger();
    QFAIL("no such command");
}

// What the document shows is what the pane's selection selects: the whole log for an empty
// combined text.
void expectAppliedIsTheSelection(const Started& s) {
    const std::string text = s.tree()->combinedText();
    PostList expected;
    if (text.empty())
        expected = s.doc().postLog().posts;
    else
        QVERIFY(selectPostsWithFilter(expected, s.doc().postLog().posts, text));
    QCOMPARE(s.doc().selection().size(), expected.size());
    QVERIFY(std::equal(expected.begin(), expected.end(), s.doc().selection().begin()));
}

} // namespace

class FilterPaneTest : public QObject {
    Q_OBJECT
private slots:
    void init() { recordedAlerts().clear(); }

    void clickingThisWeekOrABoardFiltersTheReport() {
        WorkingDirectory dir;
        const std::string log = dir.write("a.txt", sampleLog());
        Started s(dir);
        QVERIFY(s.ok);
        QVERIFY(s.frame()->loadFiles({log}, false, 0));
        CFilterTree* tree = s.tree();
        const QString whole = reportText(s);
        QVERIFY(whole.contains(QStringLiteral("6")));

        click(tree, tree->findItem(QStringLiteral("履歴/今週(2)")));
        QCOMPARE(s.doc().selection().size(), std::size_t(2));
        QCOMPARE(s.doc().selectionStatistics().lastTime, s.doc().postLog().posts.back()->time);
        QVERIFY(reportText(s) != whole);
        QString report = toQString(s.doc().reportText());
        report.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QVERIFY(reportText(s).startsWith(report));
        // The tree that applied the selection keeps its items.
        QVERIFY(tree->selectionModel()->isSelected(tree->findItem(QStringLiteral("履歴/今週(2)"))));

        click(tree, tree->findItem(QStringLiteral("板/ニュース速報+(3)")));
        QCOMPARE(s.doc().selection().size(), std::size_t(3));
        for (const PostRecord* p : s.doc().selection()) QCOMPARE(std::string(p->dir), "newsplus");

        // A category root alone stands for no filter: back to the whole log.
        click(tree, tree->findItem(QStringLiteral("板")));
        QCOMPARE(s.doc().selection().size(), std::size_t(6));
        QCOMPARE(reportText(s), whole);
        QVERIFY(recordedAlerts().texts.empty());
    }

    void ctrlAndShiftSelectSeveralItems() {
        WorkingDirectory dir;
        const std::string log = dir.write("a.txt", sampleLog());
        Started s(dir);
        QVERIFY(s.ok);
        QVERIFY(s.frame()->loadFiles({log}, false, 0));
        CFilterTree* tree = s.tree();
        const QPersistentModelIndex y2008 = tree->findItem(QStringLiteral("履歴/2008年(5)"));
        const QPersistentModelIndex y2007 = tree->findItem(QStringLiteral("履歴/2007年(1)"));
        const QPersistentModelIndex thisWeek = tree->findItem(QStringLiteral("履歴/今週(2)"));
        const QPersistentModelIndex hour1 = tree->findItem(QStringLiteral("時間帯/1時(2)"));

        click(tree, y2008);
        QCOMPARE(s.doc().selection().size(), std::size_t(5));
        click(tree, y2007, Qt::ControlModifier);
        QCOMPARE(tree->combinedText(), std::string("date2008|date2007"));
        QCOMPARE(s.doc().selection().size(), std::size_t(6));
        click(tree, hour1, Qt::ControlModifier);
        QCOMPARE(tree->combinedText(), std::string("(date2008|date2007)&(hour1)"));
        QCOMPARE(s.doc().selection().size(), std::size_t(2));
        // Ctrl+click again takes an item out.
        click(tree, y2007, Qt::ControlModifier);
        QCOMPARE(tree->combinedText(), std::string("(date2008)&(hour1)"));

        // Shift selects the range from the last plain click.
        click(tree, thisWeek);
        click(tree, y2007, Qt::ShiftModifier);
        QCOMPARE(tree->selectionModel()->selectedIndexes().size(), 4); // 今週, 先週, 2008年, 2007年
        QCOMPARE(s.doc().selection().size(), std::size_t(6));

        // With multiple selection off, Ctrl+click selects one item alone.
        QAction* multi = s.frame()->action(cmd::kMultiSelect);
        QVERIFY(multi->isEnabled() && multi->isChecked());
        multi->trigger();
        QVERIFY(!tree->multiSelection());
        QCOMPARE(tree->selectionModel()->selectedIndexes().size(), 1);
        click(tree, y2008);
        click(tree, y2007, Qt::ControlModifier);
        QCOMPARE(tree->selectionModel()->selectedIndexes().size(), 1);
        QCOMPARE(tree->combinedText(), std::string("date2007"));
        multi->trigger();
        QVERIFY(tree->multiSelection());
    }

    void aRubberBandFromOutsideTheItemsSelectsWhatItCovers() {
        WorkingDirectory dir;
        const std::string log = dir.write("a.txt", sampleLog());
        Started s(dir);
        QVERIFY(s.ok);
        QVERIFY(s.frame()->loadFiles({log}, false, 0));
        CFilterTree* tree = s.tree();
        const QPersistentModelIndex y2008 = tree->findItem(QStringLiteral("履歴/2008年(5)"));
        const QPersistentModelIndex y2007 = tree->findItem(QStringLiteral("履歴/2007年(1)"));
        // Rows take the whole width: outside the items is below the last one. From there up to
        // the year 2007 the band covers it and the top-level items, which add nothing.
        const QPersistentModelIndex custom = tree->findItem(QStringLiteral("カスタム"));
        tree->setExpanded(custom, false);
        const QPoint from(10, tree->visualRect(custom).bottom() + 20);
        QVERIFY(from.y() < tree->viewport()->height());
        QVERIFY(!tree->indexAt(from).isValid());
        const QPoint to(20, tree->visualRect(y2007).center().y());
        auto band = [&](Qt::KeyboardModifiers mods) {
            QTest::mousePress(tree->viewport(), Qt::LeftButton, mods, from);
            for (int y = from.y(); y >= to.y(); y -= 5) {
                const QPoint p(20, y);
                QMouseEvent move(QEvent::MouseMove, p, tree->viewport()->mapToGlobal(p),
                                 Qt::NoButton, Qt::LeftButton, mods);
                QApplication::sendEvent(tree->viewport(), &move);
            }
            QTest::mouseRelease(tree->viewport(), Qt::LeftButton, mods, to);
        };
        click(tree, y2008);
        QCOMPARE(s.doc().selection().size(), std::size_t(5));
        band({});
        QVERIFY(!tree->selectionModel()->isSelected(y2008));
        QCOMPARE(tree->combinedText(), std::string("date2007"));
        QCOMPARE(s.doc().selection().size(), std::size_t(1));
        // With Ctrl the band adds to the selection.
        click(tree, y2008);
        band(Qt::ControlModifier);
        QCOMPARE(tree->combinedText(), std::string("date2008|date2007"));
        QCOMPARE(s.doc().selection().size(), std::size_t(6));
        // A press outside the items without a drag changes nothing.
        click(tree, y2007);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, from);
        QCOMPARE(tree->combinedText(), std::string("date2007"));
        QCOMPARE(s.doc().selection().size(), std::size_t(1));
    }

    void contextMenusFollowTheSelection() {
        WorkingDirectory dir;
        const std::string log = dir.write("a.txt", sampleLog());
        Started s(dir);
        QVERIFY(s.ok);
        QVERIFY(s.frame()->loadFiles({log}, false, 0));
        CFilterTree* tree = s.tree();
        click(tree, tree->findItem(QStringLiteral("カスタム")));
        QCOMPARE(menuIds(tree->createContextMenu()),
                 (std::vector<int>{cmd::kFilterNew, cmd::kFilterRestoreDefaults}));
        click(tree, tree->findItem(QStringLiteral("カスタム/sage")));
        QCOMPARE(
            menuIds(tree->createContextMenu()),
            (std::vector<int>{cmd::kFilterNew, cmd::kFilterDuplicate, cmd::kFilterRestoreDefaults,
                              0, cmd::kFilterDelete, 0, cmd::kFilterProperties}));
        click(tree, tree->findItem(QStringLiteral("履歴/2008年(5)")), Qt::ControlModifier);
        QCOMPARE(menuIds(tree->createContextMenu()), (std::vector<int>{cmd::kFilterFromSelection}));
        click(tree, tree->findItem(QStringLiteral("履歴")));
        QVERIFY(!tree->createContextMenu());
        tree->clearSelection();
        QVERIFY(!tree->createContextMenu());
    }

    void commandsCreateEditAndDeleteFilters() {
        WorkingDirectory dir;
        const std::string log = dir.write("a.txt", sampleLog());
        Started s(dir);
        QVERIFY(s.ok);
        QVERIFY(s.frame()->loadFiles({log}, false, 0));
        CFilterTree* tree = s.tree();
        QString title, nameSeen, textSeen;
        QString answerName, answerText;
        tree->runDialog = [&](CDlgFilter& d) {
            title = d.windowTitle();
            nameSeen = d.nameField()->text();
            textSeen = d.textField()->text();
            d.nameField()->setText(answerName);
            d.textField()->setText(answerText);
            d.accept();
            return d.result() == QDialog::Accepted;
        };

        // From the selection: 2008 and hour 1.
        click(tree, tree->findItem(QStringLiteral("履歴/2008年(5)")));
        click(tree, tree->findItem(QStringLiteral("時間帯/1時(2)")), Qt::ControlModifier);
        const std::size_t shown = s.doc().selection().size();
        answerName = QStringLiteral("夜");
        answerText = QStringLiteral("hour1");
        tree->newFilterFromSelection();
        QCOMPARE(title, QStringLiteral("'新しいフィルタ'の設定"));
        QCOMPARE(textSeen, QStringLiteral("(date2008)&(hour1)"));
        QCOMPARE(tree->model().customFilters().items().back()->text, std::string("hour1"));
        const QPersistentModelIndex night = tree->findItem(QStringLiteral("カスタム/夜"));
        QVERIFY(night.isValid());
        QCOMPARE(s.doc().selection().size(), shown); // adding doesn't filter

        // プロパティ applies the edited filter at once.
        click(tree, tree->findItem(QStringLiteral("カスタム/sage")));
        answerName = QStringLiteral("十三時");
        answerText = QStringLiteral("hour0");
        tree->editFilter();
        QCOMPARE(title, QStringLiteral("'sage'の設定"));
        QCOMPARE(textSeen, QStringLiteral("mail_sage"));
        QVERIFY(tree->findItem(QStringLiteral("カスタム/十三時")).isValid());
        QVERIFY(!tree->findItem(QStringLiteral("カスタム/sage")).isValid());
        QCOMPARE(s.doc().selection().size(), std::size_t(3)); // the three 0 o'clock posts

        // An edit whose text doesn't compile changes nothing.
        answerText = QStringLiteral("hour24");
        recordedAlerts().clear();
        tree->runDialog = [&](CDlgFilter& d) {
            d.textField()->setText(answerText);
            d.accept();
            return d.result() == QDialog::Accepted;
        };
        tree->editFilter();
        QCOMPARE(recordedAlerts().texts.size(), std::size_t(1));
        QCOMPARE(tree->model().customFilters().items()[7]->text, std::string("hour0"));

        tree->deleteFilter();
        QVERIFY(!tree->findItem(QStringLiteral("カスタム/十三時")).isValid());
        QCOMPARE(tree->model().customFilters().size(), std::size_t(12));

        tree->restoreDefaults();
        const QPersistentModelIndex root = tree->findItem(QStringLiteral("カスタム"));
        QCOMPARE(root.row(), tree->itemModel()->rowCount() - 1);
        QCOMPARE(tree->itemModel()->rowCount(root), 13);
        QCOMPARE(root.model()->index(7, 0, root).data().toString(), QStringLiteral("sage"));
        QCOMPARE(root.model()->index(12, 0, root).data().toString(), QStringLiteral("夜"));
        QVERIFY(tree->isExpanded(root));
    }

    void theDialogRefusesACommaInTheNameOnly() {
        WorkingDirectory dir;
        dir.write("FilterMemo.txt", cp932(QStringLiteral("■フィルタの書き方\r\n")));
        Started s(dir);
        QVERIFY(s.ok);
        CDlgFilter d(cp932(QStringLiteral("sage")), "mail_sage", true);
        QCOMPARE(d.windowTitle(), QStringLiteral("'sage'の設定"));
        QCOMPARE(d.descriptionField()->toPlainText(), QStringLiteral("■フィルタの書き方\n"));
        QCOMPARE(d.nameField()->maxLength(), 64);

        d.nameField()->setText(QStringLiteral("a,b"));
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(recordedAlerts().texts,
                 std::vector<std::string>{cp932(QStringLiteral("名前に,は使用出来ません"))});

        d.nameField()->setText(QStringLiteral("ab"));
        d.textField()->setText(QStringLiteral("msg_\"a,b\"|msg_c,d"));
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.name(), std::string("ab"));
        QCOMPARE(d.text(), std::string("msg_\"a,b\"|msg_c,d"));

        // Without the file the description tells why.
        QFile::remove(QString::fromStdString(dir.file("FilterMemo.txt")));
        CDlgFilter missing("x", "", false);
        QVERIFY(!missing.descriptionField()->toPlainText().isEmpty());
        QVERIFY(missing.descriptionField()->toPlainText().size() <= 512);
    }

    void customFiltersLiveInTheSettingsFile() {
        WorkingDirectory dir;
        // A settings file in the start-up directory is the one the program keeps.
        dir.write("lorvanel.ini", "");
        {
            Started s(dir);
            QVERIFY(s.ok);
            s.tree()->runDialog = [](CDlgFilter& d) {
                d.nameField()->setText(QStringLiteral("長い,")); // refused, then fixed
                d.accept();
                d.nameField()->setText(QStringLiteral("末尾空白"));
                d.textField()->setText(QStringLiteral("msg_a "));
                d.accept();
                return d.result() == QDialog::Accepted;
            };
            s.tree()->newFilter();
            s.app->exitInstance();
        }
        IniFile ini;
        QVERIFY(ini.load(dir.iniPath()));
        QCOMPARE(ini.getInt("CustomFilter", "Count", 0), 13);
        QCOMPARE(ini.getString("CustomFilter", "7").value_or(""), std::string("sage,mail_sage"));
        QCOMPARE(ini.getString("CustomFilter", "12").value_or(""),
                 cp932(QStringLiteral("末尾空白,msg_a ")));
        {
            Started s(dir);
            QVERIFY(s.ok);
            const auto& items = s.tree()->model().customFilters().items();
            QCOMPARE(items.size(), std::size_t(13));
            QCOMPARE(items.back()->text, std::string("msg_a "));
            // Every filter deleted: the next start shows the defaults again.
            for (QModelIndex root = s.tree()->findItem(QStringLiteral("カスタム")); root.isValid();
                 root = s.tree()->findItem(QStringLiteral("カスタム"))) {
                if (!s.tree()->itemModel()->rowCount(root)) break;
                s.tree()->setCurrentIndex(root.model()->index(0, 0, root));
                s.tree()->deleteFilter();
            }
            QCOMPARE(s.tree()->model().customFilters().size(), std::size_t(0));
            s.app->exitInstance();
        }
        {
            Started s(dir);
            QVERIFY(s.ok);
            QCOMPARE(s.tree()->model().customFilters().size(), std::size_t(12));
        }
    }

    void changingAnAppliedCustomFilterKeepsWhatIsShownEqualToTheSelection() {
        WorkingDirectory dir;
        const std::string log = dir.write("a.txt", sampleLog());
        Started s(dir);
        QVERIFY(s.ok);
        QVERIFY(s.frame()->loadFiles({log}, false, 0));
        CFilterTree* tree = s.tree();
        tree->runDialog = [](CDlgFilter& d) {
            d.textField()->setText(QStringLiteral("hour1"));
            d.accept();
            return d.result() == QDialog::Accepted;
        };
        // A custom filter and a year applied together, then the filter is edited.
        click(tree, tree->findItem(QStringLiteral("カスタム/sage")));
        click(tree, tree->findItem(QStringLiteral("履歴/2008年(5)")), Qt::ControlModifier);
        QCOMPARE(tree->combinedText(), std::string("(date2008)&((mail_sage))"));
        expectAppliedIsTheSelection(s);
        click(tree, tree->findItem(QStringLiteral("カスタム/sage")));
        runMenuCommand(tree, cmd::kFilterProperties);
        QCOMPARE(tree->combinedText(), std::string("(hour1)"));
        expectAppliedIsTheSelection(s);
        QCOMPARE(s.doc().selection().size(), std::size_t(2));

        // Deleting it leaves nothing selected, and nothing applied.
        runMenuCommand(tree, cmd::kFilterDelete);
        QVERIFY(tree->selectionModel()->selectedIndexes().isEmpty());
        QCOMPARE(tree->combinedText(), std::string());
        expectAppliedIsTheSelection(s);
        QCOMPARE(s.doc().selection().size(), std::size_t(6));

        // Restoring the defaults takes the selected custom filters with their branch.
        click(tree, tree->findItem(QStringLiteral("履歴/2007年(1)")));
        click(tree, tree->findItem(QStringLiteral("カスタム/トリップ")), Qt::ControlModifier);
        QCOMPARE(tree->combinedText(), std::string("(date2007)&((name_#))"));
        tree->restoreDefaults();
        QCOMPARE(tree->combinedText(), std::string("date2007"));
        expectAppliedIsTheSelection(s);
        QCOMPARE(s.doc().selection().size(), std::size_t(1));
        QVERIFY(recordedAlerts().texts.empty());
    }

    void theItemModelPassesTheModelTesterWhileExpandedFilteredAndRebuilt() {
        WorkingDirectory dir;
        const std::string log = dir.write("a.txt", sampleLog());
        Started s(dir);
        QVERIFY(s.ok);
        CFilterTree* tree = s.tree();
        QAbstractItemModelTester tester(tree->itemModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(s.frame()->loadFiles({log}, false, 0));
        tree->expandAll();
        QVERIFY(tree->findItem(QStringLiteral("履歴/2008年(5)/1月(5)/15日(3)")).isValid());
        click(tree, tree->findItem(QStringLiteral("板/ニュース速報+(3)")));
        QCOMPARE(s.doc().selection().size(), std::size_t(3));
        tree->runDialog = [](CDlgFilter& d) {
            d.textField()->setText(QStringLiteral("AA"));
            d.accept();
            return d.result() == QDialog::Accepted;
        };
        tree->newFilter();
        QVERIFY(tree->findItem(QStringLiteral("カスタム/新しいフィルタ")).isValid());
        click(tree, tree->findItem(QStringLiteral("カスタム/sage")));
        tree->deleteFilter();
        tree->restoreDefaults();
        s.frame()->clearFilter();
        s.frame()->fileClose();
        QCOMPARE(tree->itemModel()->rowCount(), 1);
        QVERIFY(recordedAlerts().texts.empty());
    }

    void clearingTheFilterKeepsWhatTheUserOpenedAndClosed() {
        WorkingDirectory dir;
        const std::string log = dir.write("a.txt", sampleLog());
        const std::string other =
            dir.write("b.txt", janeLogText(janeSeries(2, QStringLiteral("2008/01/10"))));
        Started s(dir);
        QVERIFY(s.ok);
        QVERIFY(s.load({log}));
        CFilterTree* tree = s.tree();
        // The user opens a month, the hours and the boards, and closes "カスタム".
        QVERIFY(tree->findItem(QStringLiteral("履歴/2008年(5)/1月(5)/15日(3)")).isValid());
        tree->setExpanded(tree->findItem(QStringLiteral("時間帯")), true);
        click(tree, tree->findItem(QStringLiteral("板/ニュース速報+(3)")));
        tree->setExpanded(tree->findItem(QStringLiteral("カスタム")), false);
        QCOMPARE(s.doc().selection().size(), std::size_t(3));
        const QStringList opened[] = {
            {QStringLiteral("履歴")},
            {QStringLiteral("履歴"), QStringLiteral("2008年(5)")},
            {QStringLiteral("履歴"), QStringLiteral("2008年(5)"), QStringLiteral("1月(5)")},
            {QStringLiteral("時間帯")},
            {QStringLiteral("板")}};
        for (const QStringList& item : opened)
            QVERIFY2(isOpen(tree, item), qPrintable(item.join(QLatin1Char('/'))));

        s.frame()->actions().clearFilter->trigger();
        QCOMPARE(s.doc().selection().size(), std::size_t(6));
        for (const QStringList& item : opened)
            QVERIFY2(isOpen(tree, item), qPrintable(item.join(QLatin1Char('/'))));
        QVERIFY(!isOpen(tree, {QStringLiteral("カスタム")}));
        QVERIFY(existingFilterRow(tree, {QStringLiteral("カスタム")}).isValid());
        QVERIFY(!isOpen(tree, {QStringLiteral("履歴"), QStringLiteral("2007年(1)")}));
        QVERIFY(!isOpen(tree, {QStringLiteral("曜日")}));
        // The rows are new ones, with the counts of the whole log; the root of the history
        // is selected as after any rebuild.
        QVERIFY(existingFilterRow(tree, {QStringLiteral("履歴"), QStringLiteral("2008年(5)"),
                                         QStringLiteral("1月(5)"), QStringLiteral("20日(2)")})
                    .isValid());
        QVERIFY(
            tree->selectionModel()->isSelected(existingFilterRow(tree, {QStringLiteral("履歴")})));

        // Another log starts from the usual items: the history and "カスタム" open only.
        QVERIFY(s.load({other}));
        QVERIFY(isOpen(tree, {QStringLiteral("履歴")}));
        QVERIFY(isOpen(tree, {QStringLiteral("カスタム")}));
        QVERIFY(!isOpen(tree, {QStringLiteral("時間帯")}));
        QVERIFY(!isOpen(tree, {QStringLiteral("履歴"), QStringLiteral("2008年(2)")}));
    }

    void aNarrowPaneCutsTheNameButNeverTheCount() {
        WorkingDirectory dir;
        const std::string log = dir.write(
            "a.txt",
            janeLogText(janeSeries(12, QStringLiteral("2008/01/20"), QStringLiteral("newsplus"))));
        Started s(dir);
        QVERIFY(s.ok);
        QVERIFY(s.load({log}));
        CFilterTree* tree = s.tree();
        auto* delegate = qobject_cast<CFilterTreeDelegate*>(tree->itemDelegate());
        QVERIFY(delegate);
        const QPersistentModelIndex board = tree->findItem(QStringLiteral("板/ニュース速報+(12)"));
        QVERIFY(board.isValid());
        const QString label = QStringLiteral("ニュース速報+(12)");
        // Whole in a wide pane, and the tooltip has the whole label whatever the width.
        QCOMPARE(delegate->shownText(rowOption(tree, board), board), label);
        QCOMPARE(board.data(Qt::ToolTipRole).toString().section(QLatin1Char('\n'), 0, 0), label);
        QCOMPARE(board.data(Qt::ToolTipRole).toString(),
                 label + QStringLiteral("\nbrd_\"ニュース速報+\""));

        auto* splitter = qobject_cast<QSplitter*>(s.frame()->filterPane()->parentWidget());
        QVERIFY(splitter);
        for (const int width : {110, 90, 70}) {
            const int total = splitter->sizes().value(0) + splitter->sizes().value(1);
            splitter->setSizes({width, total - width});
            QCoreApplication::processEvents();
            const QStyleOptionViewItem option = rowOption(tree, board);
            QVERIFY(option.rect.isValid());
            const QString shown = delegate->shownText(option, board);
            QVERIFY2(shown.endsWith(QStringLiteral("(12)")), qPrintable(shown));
            QVERIFY2(shown.contains(QStringLiteral("…")), qPrintable(shown));
            QVERIFY2(tree->fontMetrics().horizontalAdvance(shown) < option.rect.width(),
                     qPrintable(shown));
            QCOMPARE(board.data(Qt::ToolTipRole).toString().section(QLatin1Char('\n'), 0, 0),
                     label);
        }

        // The cut itself: the name gives way, the count stays, a label without a count is cut
        // at its end, and a pane narrower than the count still shows it.
        const QFontMetrics fm = tree->fontMetrics();
        const int countWidth = fm.horizontalAdvance(QStringLiteral("(12)"));
        const QString cut = elideCountedLabel(
            label, fm, countWidth + fm.horizontalAdvance(QStringLiteral("ニュ…")));
        QVERIFY2(cut.startsWith(QStringLiteral("ニ")) && cut.endsWith(QStringLiteral("…(12)")),
                 qPrintable(cut));
        QCOMPARE(elideCountedLabel(label, fm, fm.horizontalAdvance(label)), label);
        QCOMPARE(elideCountedLabel(label, fm, 1), QStringLiteral("…(12)"));
        const QString root = elideCountedLabel(QStringLiteral("カスタムフィルタ"), fm,
                                               fm.horizontalAdvance(QStringLiteral("カスタ…")));
        QVERIFY2(root.endsWith(QStringLiteral("…")) && root.startsWith(QStringLiteral("カ")),
                 qPrintable(root));
    }

    void aFilterThatGivesUpLeavesTheAppliedSelectionShown() {
        WorkingDirectory dir;
        std::vector<JanePost> posts = janeSeries(6, QStringLiteral("2008/01/15"));
        // "(a|a)+b" tries 2^n ways through a run of n "a" before it may move on.
        posts[2].body = QString(40, QLatin1Char('a')) + QStringLiteral("c ab");
        const std::string log = dir.write("a.txt", janeLogText(posts));
        Started s(dir);
        QVERIFY(s.ok);
        QVERIFY(s.load({log}));
        CFilterTree* tree = s.tree();
        tree->runDialog = [](CDlgFilter& d) {
            d.nameField()->setText(QStringLiteral("暴走"));
            d.textField()->setText(QStringLiteral("msgr_\"(a|a)+b\""));
            d.accept();
            return d.result() == QDialog::Accepted;
        };
        tree->newFilter();
        // The hour of the post the pattern gives up on.
        const QPersistentModelIndex hour2 = tree->findItem(QStringLiteral("時間帯/2時(1)"));
        const QPersistentModelIndex runaway = tree->findItem(QStringLiteral("カスタム/暴走"));
        click(tree, hour2);
        QCOMPARE(s.doc().selection().size(), std::size_t(1));
        recordedAlerts().clear();

        click(tree, runaway);
        QCOMPARE(recordedAlerts().texts, std::vector<std::string>{cp932(QStringLiteral(
                                             "正規表現の照合が複雑すぎます: (a|a)+b"))});
        QCOMPARE(s.doc().selection().size(), std::size_t(1));
        QVERIFY(tree->selectionModel()->isSelected(hour2));
        QVERIFY(!tree->selectionModel()->isSelected(runaway));
        QCOMPARE(tree->combinedText(), std::string("hour2"));
        QCOMPARE(s.frame()->filterStatus()->toolTip(), QStringLiteral("hour2"));
        expectAppliedIsTheSelection(s);

        // Added to the applied item with Ctrl: the pane goes back to the one item.
        recordedAlerts().clear();
        click(tree, runaway, Qt::ControlModifier);
        QCOMPARE(recordedAlerts().texts.size(), std::size_t(1));
        QCOMPARE(tree->selectionModel()->selectedIndexes().size(), 1);
        QCOMPARE(tree->combinedText(), std::string("hour2"));
        expectAppliedIsTheSelection(s);
        // The next choice that works is applied as usual.
        click(tree, tree->findItem(QStringLiteral("時間帯/1時(1)")), Qt::ControlModifier);
        QCOMPARE(tree->combinedText(), std::string("hour1|hour2"));
        QCOMPARE(s.doc().selection().size(), std::size_t(2));
    }

    void theStatusBarNamesTheAppliedFilter() {
        WorkingDirectory dir;
        const std::string log = dir.write("a.txt", sampleLog());
        Started s(dir);
        QVERIFY(s.ok);
        QVERIFY(s.load({log}));
        CFilterTree* tree = s.tree();
        QLabel* status = s.frame()->filterStatus();
        QCOMPARE(status->text(), QString());
        QCOMPARE(s.frame()->countStatus()->text(), QStringLiteral("6 / 6 レス"));

        click(tree, tree->findItem(QStringLiteral("履歴/2008年(5)")));
        QCOMPARE(status->text(), QStringLiteral("date2008"));
        QCOMPARE(status->toolTip(), QStringLiteral("date2008"));
        QCOMPARE(s.frame()->countStatus()->text(), QStringLiteral("5 / 6 レス"));

        // A long filter is cut in the middle: both ends show, the tooltip has it whole.
        QStringList words;
        for (int i = 0; i < 30; ++i) words << QStringLiteral("msg_\"言葉%1\"").arg(i);
        const QString longText = words.join(QLatin1Char('|'));
        tree->runDialog = [&](CDlgFilter& d) {
            d.nameField()->setText(QStringLiteral("長い"));
            d.textField()->setText(longText);
            d.accept();
            return d.result() == QDialog::Accepted;
        };
        tree->newFilter();
        click(tree, tree->findItem(QStringLiteral("カスタム/長い")));
        const QString applied = QStringLiteral("(") + longText + QStringLiteral(")");
        QCOMPARE(status->toolTip(), applied);
        QVERIFY2(status->text().startsWith(QStringLiteral("(msg_\"言葉0\"|")),
                 qPrintable(status->text()));
        QVERIFY2(status->text().endsWith(QStringLiteral("|msg_\"言葉29\")")),
                 qPrintable(status->text()));
        QVERIFY2(status->text().contains(QStringLiteral("…")), qPrintable(status->text()));
        QVERIFY(status->fontMetrics().horizontalAdvance(status->text()) <
                status->fontMetrics().horizontalAdvance(applied));
        QCOMPARE(s.frame()->countStatus()->text(), QStringLiteral("0 / 6 レス"));

        // Back to the whole log: nothing to name.
        s.frame()->actions().clearFilter->trigger();
        QCOMPARE(status->text(), QString());
        QCOMPARE(status->toolTip(), QString());
        QCOMPARE(s.frame()->countStatus()->text(), QStringLiteral("6 / 6 レス"));
    }

    void aBoardNameEndingInABackslashTrailByteOnlyAlerts() {
        WorkingDirectory dir;
        const std::string log = dir.write(
            "a.txt",
            janeLogText(janeSeries(2, QStringLiteral("2008/01/20"), QStringLiteral("表"))));
        Started s(dir);
        QVERIFY(s.ok);
        QVERIFY(s.frame()->loadFiles({log}, false, 0));
        CFilterTree* tree = s.tree();
        click(tree, tree->findItem(QStringLiteral("板/表(2)")));
        QCOMPARE(recordedAlerts().texts.size(), std::size_t(1));
        QVERIFY(recordedAlerts().texts.front().rfind(cp932(QStringLiteral("構文エラー")), 0) == 0);
        QCOMPARE(s.doc().selection().size(), std::size_t(2));
    }
};

LORVANEL_GUI_TEST(FilterPaneTest)
#include "FilterPaneTest.moc"
