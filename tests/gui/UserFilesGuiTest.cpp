// The user's files in the desktop program: the about box says where the settings file and
// the keyword files are.
#include "GuiTestSupport.h"

#include "app/CAboutDlg.h"
#include "doc/Settings.h"

#include <QDir>
#include <QLabel>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

class UserFilesGuiTest : public QObject {
    Q_OBJECT
private slots:
    void aboutBoxNamesTheSettingsAndKeywordFolders() {
        WorkingDirectory dir;
        QVERIFY(QDir().mkpath(QString::fromStdString(dir.path() + "/keywords")));
        StartedWindow s(dir);
        QVERIFY(s.ok);
        CAboutDlg about;
        auto* label = about.findChild<QLabel*>(QStringLiteral("userFiles"));
        QVERIFY(label);
        QCOMPARE(label->text(),
                 QStringLiteral("設定ファイル: ") +
                     QString::fromStdString(dir.path() + "/config/lorvanel/lorvanel.ini") +
                     QStringLiteral("\nキーワードファイル: ") +
                     QString::fromStdString(dir.path() + "/keywords"));
    }
};

LORVANEL_GUI_TEST(UserFilesGuiTest)
#include "UserFilesGuiTest.moc"
