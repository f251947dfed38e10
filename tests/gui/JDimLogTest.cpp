// JDim's post log in the desktop program: the File menu command and the start-up option find
// it under the cache folders and load it as one log, or say where they looked.
#include "GuiTestSupport.h"

#include "app/CMainFrame.h"
#include "doc/CDoc.h"
#include "platform/Encoding.h"
#include "support/RecordingAlertSink.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <cstdlib>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

// Copies the JDim sample into cache/log of the directory and points $JDIM_CACHE there.
void installSample(const WorkingDirectory& dir) {
    const QString log = QString::fromStdString(dir.path() + "/cache/log");
    QDir().mkpath(log);
    const QString samples = QStringLiteral(LORVANEL_SOURCE_DIR "/resources/samples/jdim/");
    for (const char* name : {"postlog-1", "postlog-2", "postlog"})
        QFile::copy(samples + QLatin1String(name), log + QLatin1Char('/') + QLatin1String(name));
    setenv("JDIM_CACHE", (dir.path() + "/cache").c_str(), 1);
}

} // namespace

class JDimLogTest : public QObject {
    Q_OBJECT
private slots:
    void init() { recordedAlerts().clear(); }
    void cleanup() { unsetenv("JDIM_CACHE"); }

    void menuCommandLoadsEveryRotatedFile() {
        WorkingDirectory dir;
        installSample(dir);
        StartedWindow s(dir);
        QVERIFY(s.ok);
        QAction* command = s.frame()->action(cmd::kOpenJDimLog);
        QVERIFY(command);
        QCOMPARE(command->text(), QStringLiteral("JDimの書き込みログを開く(&J)"));
        command->trigger();
        const PostLog& log = s.doc().postLog();
        QCOMPARE(log.posts.size(), std::size_t(23));
        QCOMPARE(log.formatNames, std::vector<std::string>{"JDim"});
        QCOMPARE(log.sourcePaths.size(), std::size_t(3));
        QVERIFY(
            QString::fromStdString(log.sourcePaths.back()).endsWith(QStringLiteral("/postlog")));
        QVERIFY(recordedAlerts().texts.empty());
    }

    void startUpOptionLoadsItInsteadOfTheLastFiles() {
        WorkingDirectory dir;
        installSample(dir);
        CLorvanelApp::StartOptions options = startOptions(dir);
        options.openJDimLog = true;
        StartedWindow s(dir, options);
        QVERIFY(s.ok);
        QCOMPARE(s.doc().postLog().posts.size(), std::size_t(23));
    }

    void nothingFoundSaysWhereItLookedAndWhatToSwitchOn() {
        WorkingDirectory dir;
        setenv("JDIM_CACHE", (dir.path() + "/nowhere").c_str(), 1);
        StartedWindow s(dir);
        QVERIFY(s.ok);
        s.frame()->openJDimLog();
        QVERIFY(s.doc().postLog().posts.empty());
        QCOMPARE(recordedAlerts().texts.size(), std::size_t(1));
        const QString text = QString::fromStdString(cp932ToUtf8(recordedAlerts().texts[0]));
        QVERIFY(text.startsWith(QStringLiteral("JDimの書き込みログが見つかりません。")));
        QVERIFY(text.contains(QString::fromStdString(dir.path() + "/nowhere/log")));
        QVERIFY(text.contains(QStringLiteral("設定 > 一般 > 書き込みログを保存する")));
    }
};

LORVANEL_GUI_TEST(JDimLogTest)
#include "JDimLogTest.moc"
