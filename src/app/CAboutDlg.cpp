#include "app/CAboutDlg.h"

#include "doc/Settings.h"
#include "doc/UserFiles.h"
#include "platform/Paths.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace lorvanel {

QString CAboutDlg::versionText() {
    return QString::fromUtf8(kAppTitle) + QStringLiteral(" Version ") +
           QStringLiteral(LORVANEL_VERSION);
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(kAppTitle) + QStringLiteral("のバージョン情報"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    row->addWidget(icon);
    row->addWidget(new QLabel(versionText(), this), 1);
    layout->addLayout(row);
    auto* licence =
        new QLabel(QStringLiteral("Copyright (c) 2026 The Lorvanel developers\nMIT License"), this);
    licence->setObjectName(QStringLiteral("licence"));
    layout->addWidget(licence);
    // Where the user's own files are, so that they can be found, edited or copied.
    auto* files =
        new QLabel(QStringLiteral("設定ファイル: ") + pathToQString(settingsFile()) +
                       QStringLiteral("\nキーワードファイル: ") +
                       pathToQString(keywordDirectoryFor(settings().keywordDirectory,
                                                         programDirectories(), userFileDirs())),
                   this);
    files->setObjectName(QStringLiteral("userFiles"));
    files->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(files);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

} // namespace lorvanel
