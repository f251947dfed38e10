// Start-up and exit of the desktop program: the settings file, the automatic reopening of the
// last file set, files named on the command line, the window placement.
#include "GuiTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CMainView.h"
#include "app/CReportFrame.h"
#include "app/CReportTree.h"
#include "doc/CDoc.h"
#include "doc/Settings.h"
#include "support/RecordingAlertSink.h"

#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {
QStringList headings(CMainFrame* frame) {
    QStringList list;
    CReportTree* tree = frame->mainView()->reportFrame()->tree();
    for (int i = 0; i < tree->topLevelItemCount(); ++i) list << tree->topLevelItem(i)->text(0);
    return list;
}
} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void init() { recordedAlerts().clear(); }

    void startsEmptyWithoutSettingsFile() {
        WorkingDirectory dir;
        CLorvanelApp app(std::make_unique<ScriptedPrompts>());
        QVERIFY(app.initInstance(startOptions(dir)));
        // Without a settings file in the start-up directory, the user's config folder holds it.
        const std::string configIni = dir.path() + "/config/lorvanel/lorvanel.ini";
        QCOMPARE(QString::fromStdString(settingsFile()), QString::fromStdString(configIni));
        QVERIFY(settings() == Settings{});
        CMainFrame* frame = app.mainFrame();
        QVERIFY(frame->isVisible());
        QVERIFY(app.document().postLog().sourcePaths.empty());
        QCOMPARE(frame->windowTitle(), QStringLiteral("Lorvanel"));
        // The tabs of both panes, in their order.
        QCOMPARE(frame->filterPane()->count(), 1);
        QCOMPARE(frame->filterPane()->tabText(0), QStringLiteral("フィルタ"));
        QCOMPARE(frame->mainView()->count(), 3);
        QCOMPARE(frame->mainView()->tabText(0), QStringLiteral("レポート"));
        QCOMPARE(frame->mainView()->tabText(1), QStringLiteral("グラフ"));
        QCOMPARE(frame->mainView()->tabText(2), QStringLiteral("lorvanel.txt"));
        app.exitInstance();
        // Exit wrote every setting with its default.
        const IniFile ini = readSettingsFile();
        QCOMPARE(ini.getString("Settings", "KeywordDirectory", ""), std::string("keywords"));
        QCOMPARE(ini.getInt("Settings", "AutoLoadLastText", -1), 1);
        QCOMPARE(ini.getInt("RecentLorvanelText", "Max", -1), 4);
        QCOMPARE(ini.getInt("BrowserList", "Max", -1), 10);
        QCOMPARE(ini.getInt("AnalyzeOptions", "RankMax", -1), 10);
        QVERIFY(readWindowPlacement(ini).has_value());
        QVERIFY(recordedAlerts().texts.empty());
        // The folder was made by the first write; the start-up directory stays clean.
        QVERIFY(QFile::exists(QString::fromStdString(configIni)));
        QVERIFY(!QFile::exists(QString::fromStdString(dir.iniPath())));
    }

    void autoLoadsTheNewestRecentEntry() {
        WorkingDirectory dir;
        const std::string older =
            dir.write("older.txt", janeLogText(janeSeries(2, QStringLiteral("2008/01/01"))));
        const std::string newer =
            dir.write("newer.txt", janeLogText(janeSeries(3, QStringLiteral("2008/02/01"))));
        dir.write("lorvanel.ini", "[RecentLorvanelText]\r\nCount=2\r\nMax=4\r\n0=\"" + newer +
                                      "\"\r\n1=\"" + older + "\"\r\n");
        CLorvanelApp app(std::make_unique<ScriptedPrompts>());
        QVERIFY(app.initInstance(startOptions(dir)));
        QCOMPARE(app.document().postLog().sourcePaths, std::vector<std::string>{newer});
        QCOMPARE(app.document().selection().size(), std::size_t(3));
        QCOMPARE(app.mainFrame()->windowTitle(), QStringLiteral("newer.txt - Lorvanel"));
        const QStringList list = headings(app.mainFrame());
        QCOMPARE(list.front(), QStringLiteral("Top"));
        QVERIFY(list.contains(QStringLiteral("★総合結果")));
        QCOMPARE(list.back(), QStringLiteral("★解析ログ"));
        QCOMPARE(settings().recentFiles.items(), (std::vector<std::string>{newer, older}));
    }

    void autoLoadOffStartsEmpty() {
        WorkingDirectory dir;
        const std::string log =
            dir.write("log.txt", janeLogText(janeSeries(2, QStringLiteral("2008/01/01"))));
        dir.write("lorvanel.ini", "[Settings]\r\nAutoLoadLastText=0\r\n[RecentLorvanelText]\r\n"
                                  "Count=1\r\n0=\"" +
                                      log + "\"\r\n");
        CLorvanelApp app(std::make_unique<ScriptedPrompts>());
        QVERIFY(app.initInstance(startOptions(dir)));
        QVERIFY(app.document().postLog().sourcePaths.empty());
        QCOMPARE(headings(app.mainFrame()), QStringList());
        QCOMPARE(settings().recentFiles.size(), std::size_t(1));
    }

    void twoQuotedPathsReopenBothFiles() {
        WorkingDirectory dir;
        const std::string a =
            dir.write("a.txt", janeLogText(janeSeries(2, QStringLiteral("2008/01/01"))));
        const std::string b =
            dir.write("b.txt", janeLogText(janeSeries(3, QStringLiteral("2008/03/01"))));
        dir.write("lorvanel.ini",
                  "[RecentLorvanelText]\r\nCount=1\r\n0=\"\"" + a + "\"\"" + b + "\"\"\r\n");
        CLorvanelApp app(std::make_unique<ScriptedPrompts>());
        QVERIFY(app.initInstance(startOptions(dir)));
        QCOMPARE(app.document().postLog().sourcePaths, (std::vector<std::string>{a, b}));
        QCOMPARE(app.document().selection().size(), std::size_t(5));
        // The joined form is what goes back to the front of the list.
        QCOMPARE(settings().recentFiles.items(),
                 std::vector<std::string>{"\"" + a + "\"\"" + b + "\""});
    }

    void commandLineFileIsAnalysedInsteadOfTheLastSet() {
        WorkingDirectory dir;
        const std::string last =
            dir.write("last.txt", janeLogText(janeSeries(2, QStringLiteral("2008/01/01"))));
        const std::string given =
            dir.write("given.txt", janeLogText(janeSeries(4, QStringLiteral("2008/05/01"))));
        dir.write("lorvanel.ini", "[RecentLorvanelText]\r\nCount=1\r\n0=\"" + last + "\"\r\n");
        CLorvanelApp app(std::make_unique<ScriptedPrompts>());
        CLorvanelApp::StartOptions options = startOptions(dir);
        options.files = {given};
        QVERIFY(app.initInstance(options));
        QCOMPARE(app.document().postLog().sourcePaths, std::vector<std::string>{given});
        QCOMPARE(settings().recentFiles.items(), (std::vector<std::string>{given, last}));
    }

    void exitKeepsUnknownSectionsAndAnalyzeOptions() {
        WorkingDirectory dir;
        dir.write("lorvanel.ini",
                  "; written by hand\r\n[CustomFilter]\r\nCount=1\r\n0=sage,mail_sage\r\n"
                  "[AnalyzeOptions]\r\nThreadRanking=0\r\nRankMax=500\r\n"
                  "[Settings]\r\nFileSizeLimit=3\r\nNewerOption=x\r\n");
        {
            CLorvanelApp app(std::make_unique<ScriptedPrompts>());
            QVERIFY(app.initInstance(startOptions(dir)));
            QCOMPARE(app.document().analyzeOptions().threadRanking, 0);
            QCOMPARE(app.document().analyzeOptions().monthThreadRanking, 1);
            QCOMPARE(settings().fileSizeLimit, 3);
            app.exitInstance();
        }
        const QString text = dir.iniText();
        QVERIFY(text.startsWith(QStringLiteral("; written by hand\r\n[CustomFilter]\r\nCount=1\r\n"
                                               "0=sage,mail_sage\r\n")));
        const IniFile ini = readSettingsFile();
        QCOMPARE(ini.getInt("AnalyzeOptions", "ThreadRanking", -1), 0);
        QCOMPARE(ini.getInt("AnalyzeOptions", "MonthThreadRanking", -1), 1);
        QCOMPARE(ini.getString("Settings", "NewerOption", ""), std::string("x"));
        QCOMPARE(ini.getInt("Settings", "FileSizeLimit", -1), 3);
    }

    void aSettingsFileThatCantBeWrittenIsReportedAtExit() {
        WorkingDirectory dir;
        CLorvanelApp app(std::make_unique<ScriptedPrompts>());
        QVERIFY(app.initInstance(startOptions(dir)));
        // A directory where the settings file should be: every write of the options and the
        // settings fails.
        const QString path = QString::fromStdString(settingsFile());
        QFile::remove(path);
        QVERIFY(QDir().mkpath(path));
        recordedAlerts().clear();
        app.exitInstance();
        // Once: the window's sections, the options and the settings are written together.
        QCOMPARE(recordedAlerts().texts.size(), std::size_t(1));
        QVERIFY(QFileInfo(path).isDir());
    }

    void rankMaxIsWrittenBackClamped() {
        WorkingDirectory dir;
        const std::string log =
            dir.write("log.txt", janeLogText(janeSeries(2, QStringLiteral("2008/01/01"))));
        dir.write("lorvanel.ini", "[AnalyzeOptions]\r\nRankMax=500\r\n[RecentLorvanelText]\r\n"
                                  "Count=1\r\n0=\"" +
                                      log + "\"\r\n");
        CLorvanelApp app(std::make_unique<ScriptedPrompts>());
        QVERIFY(app.initInstance(startOptions(dir)));
        app.exitInstance();
        QCOMPARE(readSettingsFile().getInt("AnalyzeOptions", "RankMax", -1), 100);
    }

    void placementSurvivesARestart() {
        WorkingDirectory dir;
        QRect saved;
        {
            CLorvanelApp app(std::make_unique<ScriptedPrompts>());
            QVERIFY(app.initInstance(startOptions(dir)));
            app.mainFrame()->setGeometry(40, 50, 700, 500);
            saved = app.mainFrame()->geometry();
            app.exitInstance();
        }
        CLorvanelApp app(std::make_unique<ScriptedPrompts>());
        QVERIFY(app.initInstance(startOptions(dir)));
        QCOMPARE(app.mainFrame()->geometry().size(), saved.size());
    }

    void damagedPlacementShowsTheWindowNormally() {
        WorkingDirectory dir;
        dir.write("lorvanel.ini", "[Window]\r\nMainFramePlacement=0102FF\r\n");
        CLorvanelApp app(std::make_unique<ScriptedPrompts>());
        QVERIFY(app.initInstance(startOptions(dir)));
        QVERIFY(app.mainFrame()->isVisible());
        QVERIFY(!app.mainFrame()->restorePlacement());
    }
};

LORVANEL_GUI_TEST(StartupTest)
#include "StartupTest.moc"
