// The settings file has one owner: the program reads it at start and writes it at exit (and
// when the option sheet is confirmed); the panes only hand over their sections, so changes of
// several sections in one run all arrive, next to what the program does not know.
#include "GuiTestSupport.h"

#include "app/CDlgFilter.h"
#include "app/CFilterTree.h"
#include "app/CGraphFrame.h"
#include "app/CGraphView.h"
#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "app/COptionSheet.h"
#include "doc/Settings.h"
#include "graph/CumulativeGraph.h"
#include "support/RecordingAlertSink.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

class SettingsOwnerTest : public QObject {
    Q_OBJECT
private slots:
    void init() { recordedAlerts().clear(); }

    void changesOfSeveralSectionsArriveAtExitBesideUnknownOnes() {
        WorkingDirectory dir;
        dir.write("lorvanel.ini", "[Mine]\r\nKeep=1\r\n[GraphView]\r\nDefaultPane=1\r\n"
                                  "[Graph_Ruiseki]\r\nShowTotal=1\r\n");
        StartedWindow s(dir);
        QVERIFY(s.ok);
        ScriptedPrompts* script = s.prompts;
        CMainFrame* frame = s.frame();
        CGraphFrame* graph = frame->mainView()->graphFrame();
        QCOMPARE(graph->view()->kindIndex(), 1);

        // Three panes change their sections; none of them touches the file.
        const QString before = dir.iniText();
        graph->kindChooser()->setCurrentIndex(0);
        graph->view()->runCommand(CumulativeGraph::kShowTotalCommand);
        graph->kindChooser()->setCurrentIndex(3);
        frame->filterTree()->runDialog = [](CDlgFilter& d) {
            d.nameField()->setText(QStringLiteral("十三時"));
            d.textField()->setText(QStringLiteral("hour13"));
            d.accept();
            return d.result() == QDialog::Accepted;
        };
        frame->filterTree()->newFilter();
        QCOMPARE(dir.iniText(), before);

        // The option sheet is written at once, and only its sections.
        script->onSheet = [](COptionSheet& sheet) {
            sheet.generalPage()->sizeLimitEdit()->setText(QStringLiteral("3"));
            sheet.accept();
        };
        frame->editOptions();
        IniFile ini = readSettingsFile();
        QCOMPARE(ini.getInt("Settings", "FileSizeLimit", -1), 3);
        QCOMPARE(ini.getInt("GraphView", "DefaultPane", -1), 1);
        QVERIFY(!ini.hasSection("CustomFilter"));

        s.app->exitInstance();
        ini = readSettingsFile();
        QCOMPARE(ini.getInt("Mine", "Keep", -1), 1);
        QCOMPARE(ini.getInt("GraphView", "DefaultPane", -1), 3);
        QCOMPARE(ini.getInt("Graph_Ruiseki", "ShowTotal", -1), 0);
        QCOMPARE(ini.getInt("CustomFilter", "Count", -1), 13);
        QCOMPARE(ini.getInt("Settings", "FileSizeLimit", -1), 3);
        QVERIFY(readWindowPlacement(ini).has_value());
        QVERIFY(recordedAlerts().texts.empty());
    }

    void aReadOnlyFileIsToldOnceAndLeftAsItIs() {
        WorkingDirectory dir;
        const std::string before = "[Mine]\r\nKeep=1\r\n";
        dir.write("lorvanel.ini", before);
        QFile file(QString::fromStdString(dir.iniPath()));
        const QFile::Permissions readOnly =
            QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(file.setPermissions(readOnly));
        StartedWindow s(dir);
        QVERIFY(s.ok);
        // Two confirmed option sheets and the exit: three writes that all fail.
        int limit = 3;
        s.prompts->onSheet = [&](COptionSheet& sheet) {
            sheet.generalPage()->sizeLimitEdit()->setText(QString::number(limit++));
            sheet.accept();
        };
        s.frame()->editOptions();
        QCOMPARE(recordedAlerts().texts.size(), std::size_t(1));
        s.frame()->editOptions();
        QCOMPARE(settings().fileSizeLimit, 4);
        s.app->exitInstance();
        QCOMPARE(recordedAlerts().texts.size(), std::size_t(1));
        QVERIFY2(QString::fromStdString(recordedAlerts().texts.front())
                     .contains(QString::fromStdString(dir.iniPath())),
                 recordedAlerts().texts.front().c_str());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toStdString(), before);
        QCOMPARE(file.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());
        // A new run tells again.
        StartedWindow again(dir);
        QVERIFY(again.ok);
        again.app->exitInstance();
        QCOMPARE(recordedAlerts().texts.size(), std::size_t(2));
    }
};

LORVANEL_GUI_TEST(SettingsOwnerTest)
#include "SettingsOwnerTest.moc"
