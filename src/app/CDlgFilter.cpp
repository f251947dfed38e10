#include "app/CDlgFilter.h"

#include "filter/CompileFilter.h"
#include "input/UserTextFile.h"
#include "platform/File.h"
#include "platform/Paths.h"
#include "trees/CustomFilter.h"
#include "ui/FixedFont.h"
#include "ui/QtText.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lorvanel {

namespace {

constexpr int kMaxErrorLength = 512;
constexpr int kDescriptionPixels = 12;

} // namespace

QString CDlgFilter::description(const std::string& memoPath) {
    try {
        return toQString(userTextAsCp932(readWholeFile(memoPath)));
    } catch (const std::exception& e) {
        return toQString(e.what()).left(kMaxErrorLength);
    }
}

CDlgFilter::CDlgFilter(const std::string& name, const std::string& text, bool focusName,
                       QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("'") + toQString(name) + QStringLiteral("'の設定"));
    auto* layout = new QVBoxLayout(this);

    auto* group = new QGroupBox(QStringLiteral("説明"), this);
    auto* groupLayout = new QVBoxLayout(group);
    description_ = new QPlainTextEdit(group);
    description_->setReadOnly(true);
    description_->setLineWrapMode(QPlainTextEdit::NoWrap);
    description_->setFont(columnFont(kDescriptionPixels));
    description_->setPlainText(description(findProgramFile("FilterMemo.txt")));
    description_->setMinimumSize(560, 320);
    groupLayout->addWidget(description_);
    layout->addWidget(group, 1);

    layout->addWidget(new QLabel(QStringLiteral("名前"), this));
    nameEdit_ = new QLineEdit(toQString(name), this);
    nameEdit_->setMaxLength(kMaxCustomFilterName);
    layout->addWidget(nameEdit_);
    layout->addWidget(new QLabel(QStringLiteral("コマンド"), this));
    textEdit_ = new QLineEdit(toQString(text), this);
    layout->addWidget(textEdit_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgFilter::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    if (focusName) {
        nameEdit_->setFocus();
        nameEdit_->selectAll();
    } else {
        textEdit_->setFocus();
    }
}

void CDlgFilter::accept() {
    const QString name = nameEdit_->text();
    if (name.contains(QLatin1Char(','))) {
        alertUser(QStringLiteral("名前に,は使用出来ません"));
        nameEdit_->setFocus();
        return;
    }
    std::string nameBytes, textBytes;
    if (!toCp932(name, nameBytes)) {
        alertUser(QStringLiteral("名前にShift_JISで書けない文字があります"));
        nameEdit_->setFocus();
        return;
    }
    if (!toCp932(textEdit_->text(), textBytes)) {
        alertUser(QStringLiteral("コマンドにShift_JISで書けない文字があります"));
        textEdit_->setFocus();
        return;
    }
    // The compiler tells the user what is wrong; the compiled filter is only a check.
    if (!CompileFilter(textBytes)) {
        textEdit_->setFocus();
        return;
    }
    name_ = std::move(nameBytes);
    text_ = std::move(textBytes);
    QDialog::accept();
}

} // namespace lorvanel
