#include "app/CDlgOpt1.h"

#include "ui/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lorvanel {

CDlgOpt1::CDlgOpt1(Settings& scratch, BrowserChooser chooser, QWidget* parent)
    : QWidget(parent), scratch_(scratch), chooser_(std::move(chooser)) {
    auto* layout = new QVBoxLayout(this);
    autoLoad_ = new QCheckBox(QStringLiteral("次回起動時に、最後に解析したファイルを開く"), this);
    layout->addWidget(autoLoad_);
    follow_ = new QCheckBox(QStringLiteral("開いているログの更新を自動で読み込む"), this);
    layout->addWidget(follow_);

    auto* sizeGroup = new QGroupBox(QStringLiteral("読み込みサイズの制限"), this);
    auto* sizeLayout = new QVBoxLayout(sizeGroup);
    sizeLayout->addWidget(new QLabel(
        QStringLiteral("指定したサイズより大きいlorvanel.txtは最後のほうだけ読み込みます。\n"
                       "1MB単位で指定。0で全部読み込みます。"),
        sizeGroup));
    auto* sizeRow = new QHBoxLayout;
    sizeLimit_ = new QLineEdit(sizeGroup);
    sizeLimit_->setMaxLength(10);
    sizeLimit_->setMaximumWidth(80);
    sizeRow->addWidget(sizeLimit_);
    sizeRow->addWidget(new QLabel(QStringLiteral("MB"), sizeGroup));
    sizeRow->addStretch();
    sizeLayout->addLayout(sizeRow);
    layout->addWidget(sizeGroup);

    auto* browserGroup = new QGroupBox(QStringLiteral("ブラウザ"), this);
    auto* browserLayout = new QVBoxLayout(browserGroup);
    enableBrowser_ = new QCheckBox(QStringLiteral("スレを開くブラウザを指定する"), browserGroup);
    browserLayout->addWidget(enableBrowser_);
    auto* browserRow = new QHBoxLayout;
    browsers_ = new QComboBox(browserGroup);
    browsers_->setEditable(true);
    browsers_->setInsertPolicy(QComboBox::NoInsert);
    browsers_->setMinimumWidth(300);
    browserRow->addWidget(browsers_, 1);
    choose_ = new QPushButton(QStringLiteral("..."), browserGroup);
    choose_->setMaximumWidth(40);
    browserRow->addWidget(choose_);
    browserLayout->addLayout(browserRow);
    layout->addWidget(browserGroup);
    layout->addStretch();

    autoLoad_->setChecked(scratch_.autoLoadLast != 0);
    follow_->setChecked(scratch_.followLogChanges != 0);
    sizeLimit_->setText(QString::number(scratch_.fileSizeLimit));
    enableBrowser_->setChecked(scratch_.enableBrowserSetting != 0);
    fillBrowsers();
    connect(choose_, &QPushButton::clicked, this, &CDlgOpt1::chooseBrowser);
}

void CDlgOpt1::fillBrowsers() {
    browsers_->clear();
    for (const std::string& path : scratch_.browsers.items())
        browsers_->addItem(pathToQString(path));
    if (browsers_->count() > 0) browsers_->setCurrentIndex(0);
}

void CDlgOpt1::chooseBrowser() {
    const QString path = chooser_ ? chooser_(this) : QString();
    if (path.isEmpty()) return;
    scratch_.browsers.addToFront(pathFromQString(path));
    fillBrowsers();
}

bool CDlgOpt1::commit() {
    bool ok = false;
    const uint limit = sizeLimit_->text().trimmed().toUInt(&ok);
    if (!ok || limit > static_cast<uint>(Settings::kMaxFileSizeLimit)) {
        alertUser(QStringLiteral("0 から %1 までの整数を入力してください。")
                      .arg(Settings::kMaxFileSizeLimit));
        sizeLimit_->setFocus();
        sizeLimit_->selectAll();
        return false;
    }
    scratch_.autoLoadLast = autoLoad_->isChecked() ? 1 : 0;
    scratch_.followLogChanges = follow_->isChecked() ? 1 : 0;
    scratch_.fileSizeLimit = static_cast<int>(limit);
    scratch_.enableBrowserSetting = enableBrowser_->isChecked() ? 1 : 0;
    // A path typed by hand becomes the browser in use.
    const QString typed = browsers_->currentText();
    if (!typed.isEmpty()) scratch_.browsers.addToFront(pathFromQString(typed));
    return true;
}

} // namespace lorvanel
