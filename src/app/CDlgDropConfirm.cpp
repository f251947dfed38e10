#include "app/CDlgDropConfirm.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lorvanel {

CDlgDropConfirm::CDlgDropConfirm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("確認"));
    auto* layout = new QVBoxLayout(this);
    fresh_ = new QRadioButton(QStringLiteral("新規に解析する。"), this);
    merge_ = new QRadioButton(QStringLiteral("現在解析中のファイルにマージする。"), this);
    fresh_->setChecked(true);
    layout->addWidget(fresh_);
    layout->addWidget(merge_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool CDlgDropConfirm::merge() const {
    return merge_->isChecked();
}

} // namespace lorvanel
