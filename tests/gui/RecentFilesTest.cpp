// The recent-files list of the File menu: order, capacity, the stored capacity, the menu's
// captions and place, and reopening an entry.
#include "GuiTestSupport.h"

#include "app/CMainFrame.h"
#include "doc/CDoc.h"
#include "doc/Settings.h"
#include "input/PathList.h"

#include <QFileInfo>
#include <QMenu>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {
QStringList recentCaptions(CMainFrame* frame) {
    frame->rebuildRecentMenu();
    QStringList list;
    for (QAction* a : frame->fileMenu()->actions()) {
        const int id = a->data().toInt();
        if ((id >= cmd::kRecentFirst && id <= cmd::kRecentLast) ||
            a->text() == QStringLiteral("最近使ったファイル"))
            list << a->text();
    }
    return list;
}
} // namespace

class RecentFilesTest : public QObject {
    Q_OBJECT
private slots:
    void openMovesToFrontAndKeepsFour() {
        WorkingDirectory dir;
        std::vector<std::string> logs;
        for (int i = 1; i <= 5; ++i)
            logs.push_back(
                dir.write("log" + std::to_string(i) + ".txt",
                          janeLogText(janeSeries(2, QStringLiteral("2008/01/0%1").arg(i)))));
        StartedWindow s(dir);
        QVERIFY(s.ok);
        ScriptedPrompts* script = s.prompts;
        CMainFrame* frame = s.frame();
        QCOMPARE(recentCaptions(frame), QStringList{QStringLiteral("最近使ったファイル")});

        for (int i : {0, 1, 2, 3}) {
            script->logFiles = {QString::fromStdString(logs[i])};
            frame->fileOpen();
        }
        QCOMPARE(settings().recentFiles.items(),
                 (std::vector<std::string>{logs[3], logs[2], logs[1], logs[0]}));
        script->logFiles = {QString::fromStdString(logs[1])};
        frame->fileOpen();
        QCOMPARE(settings().recentFiles.items(),
                 (std::vector<std::string>{logs[1], logs[3], logs[2], logs[0]}));
        script->logFiles = {QString::fromStdString(logs[4])};
        frame->fileOpen();
        QCOMPARE(settings().recentFiles.items(),
                 (std::vector<std::string>{logs[4], logs[1], logs[3], logs[2]}));

        const QStringList captions = recentCaptions(frame);
        QCOMPARE(captions.size(), 4);
        // The menu shows file names, the status tip the whole path; the stored entry is as
        // it was.
        auto fileName = [](const std::string& path) {
            return QFileInfo(QString::fromStdString(path)).fileName();
        };
        QCOMPARE(captions[0], QStringLiteral("&1 ") + fileName(logs[4]));
        QCOMPARE(captions[3], QStringLiteral("&4 ") + fileName(logs[2]));
        // Two places after "閉じる".
        const QList<QAction*> actions = frame->fileMenu()->actions();
        const qsizetype close = actions.indexOf(frame->action(cmd::kFileClose));
        QCOMPARE(actions[close + 2]->text(), captions[0]);

        QCOMPARE(actions[close + 2]->statusTip(), QString::fromStdString(logs[4]));
        // A set of files: the first name and how many more, every path in the status tip.
        QVERIFY(frame->loadFiles({logs[0], logs[1]}, false, 0));
        QCOMPARE(recentCaptions(frame)[0],
                 QStringLiteral("&1 ") + fileName(logs[0]) + QStringLiteral(" ほか1件"));
        QCOMPARE(frame->fileMenu()->actions()[close + 2]->statusTip(),
                 QString::fromStdString(logs[0]) + QStringLiteral(", ") +
                     QString::fromStdString(logs[1]));
        QCOMPARE(settings().recentFiles.front().front(), '"');
        frame->rebuildRecentMenu();

        // Choosing an entry reopens it and moves it to the front.
        for (QAction* a : frame->fileMenu()->actions())
            if (a->data().toInt() == cmd::kRecentFirst + 3) a->trigger();
        QCOMPARE(s.doc().postLog().sourcePaths, std::vector<std::string>{logs[3]});
        QCOMPARE(settings().recentFiles.front(), logs[3]);
    }

    void failedLoadLeavesTheListAlone() {
        WorkingDirectory dir;
        const std::string good =
            dir.write("good.txt", janeLogText(janeSeries(2, QStringLiteral("2008/01/01"))));
        StartedWindow s(dir);
        QVERIFY(s.ok);
        ScriptedPrompts* script = s.prompts;
        script->logFiles = {QString::fromStdString(good)};
        s.frame()->fileOpen();
        script->logFiles = {QString::fromStdString(dir.file("missing.txt"))};
        s.frame()->fileOpen();
        QCOMPARE(settings().recentFiles.items(), std::vector<std::string>{good});
    }

    void storedMaxLimitsTheList() {
        WorkingDirectory dir;
        std::vector<std::string> logs;
        for (int i = 1; i <= 3; ++i)
            logs.push_back(
                dir.write("m" + std::to_string(i) + ".txt",
                          janeLogText(janeSeries(1, QStringLiteral("2008/02/0%1").arg(i)))));
        dir.write("lorvanel.ini",
                  "[Settings]\r\nAutoLoadLastText=0\r\n[RecentLorvanelText]\r\nMax=2\r\n");
        {
            StartedWindow s(dir);
            QVERIFY(s.ok);
            for (const std::string& log : logs) {
                s.prompts->logFiles = {QString::fromStdString(log)};
                s.frame()->fileOpen();
            }
            QCOMPARE(settings().recentFiles.items(), (std::vector<std::string>{logs[2], logs[1]}));
            s.app->exitInstance();
        }
        const IniFile ini = readSettingsFile();
        QCOMPARE(ini.getInt("RecentLorvanelText", "Max", -1), 2);
        QCOMPARE(ini.getInt("RecentLorvanelText", "Count", -1), 2);
        StartedWindow again(dir);
        QVERIFY(again.ok);
        QCOMPARE(settings().recentFiles.capacity(), 2);
    }

    void mergeAddsTheChosenFile() {
        WorkingDirectory dir;
        const std::string a =
            dir.write("a.txt", janeLogText(janeSeries(2, QStringLiteral("2008/01/01"))));
        const std::string b =
            dir.write("b.txt", janeLogText(janeSeries(3, QStringLiteral("2008/02/01"))));
        StartedWindow s(dir);
        QVERIFY(s.ok);
        ScriptedPrompts* script = s.prompts;
        script->logFiles = {QString::fromStdString(a), QString::fromStdString(b)};
        s.frame()->fileOpen();
        s.frame()->fileMerge();
        QCOMPARE(s.doc().selection().size(), std::size_t(5));
        QCOMPARE(s.doc().postLog().sourcePaths.size(), std::size_t(2));
        QCOMPARE(settings().recentFiles.front(), joinPaths(s.doc().postLog().sourcePaths));
    }
};

LORVANEL_GUI_TEST(RecentFilesTest)
#include "RecentFilesTest.moc"
