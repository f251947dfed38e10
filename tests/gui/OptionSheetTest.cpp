// The option sheet "設定": the scratch copy, the browser chooser and list, the size limit's
// range, and what OK and Cancel leave behind.
#include "GuiTestSupport.h"

#include "app/CDlgAnalyzeOptions.h"
#include "app/CMainFrame.h"
#include "app/COptionSheet.h"
#include "doc/CDoc.h"
#include "doc/Settings.h"
#include "support/RecordingAlertSink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {
std::vector<std::string> browserPaths(int from, int to) {
    std::vector<std::string> v;
    for (int i = from; i <= to; ++i) v.push_back("/usr/bin/browser" + std::to_string(i));
    return v;
}

BrowserChooser answering(std::vector<QString>* answers) {
    return [answers](QWidget*) {
        if (answers->empty()) return QString();
        QString a = answers->front();
        answers->erase(answers->begin());
        return a;
    };
}
} // namespace

class OptionSheetTest : public QObject {
    Q_OBJECT
private slots:
    void init() { recordedAlerts().clear(); }

    void pagesShowTheSettings() {
        Settings s;
        s.autoLoadLast = 0;
        s.fileSizeLimit = 12;
        s.enableBrowserSetting = 1;
        s.browsers.addToFront("/usr/bin/b");
        s.browsers.addToFront("/usr/bin/a");
        COptionSheet sheet(s, 0, 1, nullptr);
        QCOMPARE(sheet.windowTitle(), QStringLiteral("設定"));
        QCOMPARE(sheet.pages()->count(), 2);
        QCOMPARE(sheet.pages()->tabText(0), QStringLiteral("全般"));
        QCOMPARE(sheet.pages()->tabText(1), QStringLiteral("解析"));
        CDlgOpt1* page = sheet.generalPage();
        QVERIFY(!page->autoLoadBox()->isChecked());
        QCOMPARE(page->sizeLimitEdit()->text(), QStringLiteral("12"));
        QVERIFY(page->browserBox()->isChecked());
        QCOMPARE(page->browserCombo()->count(), 2);
        QCOMPARE(page->browserCombo()->currentText(), QStringLiteral("/usr/bin/a"));
        QVERIFY(!sheet.analysisPage()->threadRankingBox()->isChecked());
        QVERIFY(sheet.analysisPage()->monthThreadRankingBox()->isChecked());
    }

    void okTakesTheEditedValues() {
        Settings s;
        COptionSheet sheet(s, 1, 1, nullptr);
        sheet.generalPage()->autoLoadBox()->setChecked(false);
        sheet.generalPage()->sizeLimitEdit()->setText(QStringLiteral("512"));
        sheet.generalPage()->browserBox()->setChecked(true);
        sheet.generalPage()->browserCombo()->setEditText(QStringLiteral("/opt/typed/browser"));
        sheet.analysisPage()->threadRankingBox()->setChecked(false);
        sheet.accept();
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QCOMPARE(sheet.edited().autoLoadLast, 0);
        QCOMPARE(sheet.edited().fileSizeLimit, 512);
        QCOMPARE(sheet.edited().enableBrowserSetting, 1);
        // A path typed by hand is the browser in use.
        QCOMPARE(sheet.edited().browsers.items(), std::vector<std::string>{"/opt/typed/browser"});
        QCOMPARE(sheet.threadRanking(), 0);
        QCOMPARE(sheet.monthThreadRanking(), 1);
    }

    void sizeLimitOutsideTheRangeIsRefused() {
        for (const QString& bad :
             {QStringLiteral("513"), QStringLiteral("-1"), QStringLiteral("abc"),
              QStringLiteral(""), QStringLiteral("99999999999")}) {
            recordedAlerts().clear();
            Settings s;
            COptionSheet sheet(s, 1, 1, nullptr);
            sheet.pages()->setCurrentIndex(1);
            sheet.generalPage()->sizeLimitEdit()->setText(bad);
            sheet.accept();
            QVERIFY2(sheet.result() != QDialog::Accepted, qPrintable(bad));
            QCOMPARE(recordedAlerts().texts.size(), std::size_t(1));
            QCOMPARE(sheet.pages()->currentIndex(), 0);
            QVERIFY(sheet.edited() == s);
            // Corrected, the same sheet is accepted.
            sheet.generalPage()->sizeLimitEdit()->setText(QStringLiteral("0"));
            sheet.accept();
            QCOMPARE(sheet.result(), int(QDialog::Accepted));
        }
    }

    void browserChooserMovesAndBounds() {
        Settings s;
        for (const std::string& p : browserPaths(1, 10)) s.browsers.addToFront(p);
        std::vector<QString> answers = {QStringLiteral("/usr/bin/browser3"),
                                        QStringLiteral("/usr/bin/browser11"), QString()};
        COptionSheet sheet(s, 1, 1, answering(&answers));
        QComboBox* combo = sheet.generalPage()->browserCombo();
        QCOMPARE(combo->count(), 10);
        QTest::mouseClick(sheet.generalPage()->chooseButton(), Qt::LeftButton);
        QCOMPARE(combo->currentText(), QStringLiteral("/usr/bin/browser3"));
        QCOMPARE(combo->count(), 10);
        sheet.generalPage()->chooseBrowser();
        // An eleventh distinct browser drops the oldest, browser1.
        QCOMPARE(combo->count(), 10);
        QCOMPARE(combo->itemText(0), QStringLiteral("/usr/bin/browser11"));
        QCOMPARE(combo->itemText(1), QStringLiteral("/usr/bin/browser3"));
        QCOMPARE(combo->findText(QStringLiteral("/usr/bin/browser1")), -1);
        // A cancelled dialog changes nothing.
        sheet.generalPage()->chooseBrowser();
        QCOMPARE(combo->itemText(0), QStringLiteral("/usr/bin/browser11"));
    }

    void clearedDropDownLeavesTheListUnchanged() {
        Settings s;
        s.browsers.addToFront("/usr/bin/b");
        s.browsers.addToFront("/usr/bin/a");
        COptionSheet sheet(s, 1, 1, nullptr);
        sheet.generalPage()->browserCombo()->setEditText(QString());
        sheet.accept();
        QVERIFY(sheet.edited().browsers == s.browsers);
    }

    void mainWindowOkWritesTheFileAndTheSwitches() {
        WorkingDirectory dir;
        StartedWindow s(dir);
        QVERIFY(s.ok);
        ScriptedPrompts* script = s.prompts;
        script->browsers = {QStringLiteral("/usr/bin/chosen")};
        script->onSheet = [](COptionSheet& sheet) {
            sheet.generalPage()->sizeLimitEdit()->setText(QStringLiteral("7"));
            sheet.generalPage()->chooseBrowser();
            sheet.analysisPage()->monthThreadRankingBox()->setChecked(false);
            sheet.accept();
        };
        s.frame()->editOptions();
        QCOMPARE(settings().fileSizeLimit, 7);
        QCOMPARE(settings().byteLimit(), std::uint64_t(7) << 20);
        QCOMPARE(s.doc().analyzeOptions().monthThreadRanking, 0);
        // Written at once, before exit.
        const IniFile ini = readSettingsFile();
        QCOMPARE(ini.getInt("Settings", "FileSizeLimit", -1), 7);
        QCOMPARE(ini.getString("BrowserList", "0", ""), std::string("/usr/bin/chosen"));

        // Cancel after using "..." keeps everything.
        script->browsers = {QStringLiteral("/usr/bin/other")};
        script->onSheet = [](COptionSheet& sheet) {
            sheet.generalPage()->chooseBrowser();
            sheet.generalPage()->sizeLimitEdit()->setText(QStringLiteral("9"));
            sheet.reject();
        };
        s.frame()->editOptions();
        QCOMPARE(settings().fileSizeLimit, 7);
        QCOMPARE(settings().browsers.items(), std::vector<std::string>{"/usr/bin/chosen"});
        QCOMPARE(readSettingsFile().getString("BrowserList", "0", ""),
                 std::string("/usr/bin/chosen"));
    }
};

LORVANEL_GUI_TEST(OptionSheetTest)
#include "OptionSheetTest.moc"
