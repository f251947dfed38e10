// Qt's own texts speak Japanese once the program has started, whatever the locale: the
// standard buttons and the file dialog that opens logs.
#include "GuiTestSupport.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace lorvanel;
using namespace lorvanel::testing;

class QtJapaneseTest : public QObject {
    Q_OBJECT
private slots:
    void standardButtonsAndFileDialogAreJapanese() {
        QLocale::setDefault(QLocale::c());
        WorkingDirectory dir;
        StartedWindow s(dir);
        QVERIFY(s.ok);

        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));

        // Qt's own dialog, as the offscreen and most Linux desktops show it.
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
        QVERIFY2(labels.join(QLatin1Char('|')).contains(QStringLiteral("ファイル名")),
                 qPrintable(labels.join(QLatin1Char('|'))));
        s.app->exitInstance();
    }
};

LORVANEL_GUI_TEST(QtJapaneseTest)
#include "QtJapaneseTest.moc"
