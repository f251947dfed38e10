// The filter tree of the left pane: clicks narrow the report, Ctrl and Shift select several
// items, the context menu and its commands, the filter dialog, and the custom filters kept
// in the settings file.
#include "GuiTestSupport.h"

#include "app/CDlgFilter.h"
#include "app/CFilterTree.h"
#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "app/CReportFrame.h"
#include "app/CReportView.h"
#include "doc/CDoc.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/LocalTime.h"
#include "support/RecordingAlertSink.h"
#include "ui/QtText.h"

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

struct Started {
    explicit Started(const WorkingDirectory& dir) {
        auto p = std::make_unique<ScriptedPrompts>();
        app = std::make_unique<CLorvanelApp>(std::move(p));
        ok = app->initInstance(startOptions(dir));
        if (!ok) return;
        // Monday 21 January 2008, noon: this week began on Sunday the 20th.
        app->document().setClock(clock);
        frame()->show();
        ok = QTest::qWaitForWindowExposed(frame());
    }
    CMainFrame* frame() const { return app->mainFrame(); }
    CFilterTree* tree() const { return frame()->filterTree(); }
    CDoc& doc() const { return app->document(); }
    FixedClock clock{fromLocalTime(2008, 1, 21, 12, 0, 0)};
    std::unique_ptr<CLorvanelApp> app;
    bool ok = false;
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

void click(CFilterTree* tree, QTreeWidgetItem* item, Qt::KeyboardModifiers mods = {}) {
    QVERIFY(item);
    tree->scrollToItem(item);
    const QRect r = tree->visualItemRect(item);
    QVERIFY(r.isValid());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, mods, r.center());
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

std::string cp932(const QString& s) {
    std::string out;
    toCp932(s, out);
    return out;
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
        QVERIFY(tree->findItem(QStringLiteral("履歴/今週(2)"))->isSelected());

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
        QTreeWidgetItem* y2008 = tree->findItem(QStringLiteral("履歴/2008年(5)"));
        QTreeWidgetItem* y2007 = tree->findItem(QStringLiteral("履歴/2007年(1)"));
        QTreeWidgetItem* thisWeek = tree->findItem(QStringLiteral("履歴/今週(2)"));
        QTreeWidgetItem* hour1 = tree->findItem(QStringLiteral("時間帯/1時(2)"));

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
        QCOMPARE(tree->selectedItems().size(), 4); // 今週, 先週, 2008年, 2007年
        QCOMPARE(s.doc().selection().size(), std::size_t(6));

        // With multiple selection off, Ctrl+click selects one item alone.
        QAction* multi = s.frame()->action(cmd::kMultiSelect);
        QVERIFY(multi->isEnabled() && multi->isChecked());
        multi->trigger();
        QVERIFY(!tree->multiSelection());
        QCOMPARE(tree->selectedItems().size(), 1);
        click(tree, y2008);
        click(tree, y2007, Qt::ControlModifier);
        QCOMPARE(tree->selectedItems().size(), 1);
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
        QTreeWidgetItem* y2008 = tree->findItem(QStringLiteral("履歴/2008年(5)"));
        QTreeWidgetItem* y2007 = tree->findItem(QStringLiteral("履歴/2007年(1)"));
        // Rows take the whole width: outside the items is below the last one. From there up to
        // the year 2007 the band covers it and the top-level items, which add nothing.
        QTreeWidgetItem* custom = tree->findItem(QStringLiteral("カスタム"));
        custom->setExpanded(false);
        const QPoint from(10, tree->visualItemRect(custom).bottom() + 20);
        QVERIFY(from.y() < tree->viewport()->height());
        QVERIFY(!tree->itemAt(from));
        const QPoint to(20, tree->visualItemRect(y2007).center().y());
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
        QVERIFY(!y2008->isSelected());
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
        QTreeWidgetItem* night = tree->findItem(QStringLiteral("カスタム/夜"));
        QVERIFY(night);
        QCOMPARE(s.doc().selection().size(), shown); // adding doesn't filter

        // プロパティ applies the edited filter at once.
        click(tree, tree->findItem(QStringLiteral("カスタム/sage")));
        answerName = QStringLiteral("十三時");
        answerText = QStringLiteral("hour0");
        tree->editFilter();
        QCOMPARE(title, QStringLiteral("'sage'の設定"));
        QCOMPARE(textSeen, QStringLiteral("mail_sage"));
        QVERIFY(tree->findItem(QStringLiteral("カスタム/十三時")));
        QVERIFY(!tree->findItem(QStringLiteral("カスタム/sage")));
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
        QVERIFY(!tree->findItem(QStringLiteral("カスタム/十三時")));
        QCOMPARE(tree->model().customFilters().size(), std::size_t(12));

        tree->restoreDefaults();
        QTreeWidgetItem* root = tree->findItem(QStringLiteral("カスタム"));
        QCOMPARE(tree->indexOfTopLevelItem(root), tree->topLevelItemCount() - 1);
        QCOMPARE(root->childCount(), 13);
        QCOMPARE(root->child(7)->text(0), QStringLiteral("sage"));
        QCOMPARE(root->child(12)->text(0), QStringLiteral("夜"));
        QVERIFY(root->isExpanded());
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
            while (QTreeWidgetItem* root = s.tree()->findItem(QStringLiteral("カスタム"))) {
                if (!root->childCount()) break;
                s.tree()->setCurrentItem(root->child(0));
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
