#include "app/CDlgAnalyzeOptions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace lorvanel {

CDlgAnalyzeOptions::CDlgAnalyzeOptions(int threadRanking, int monthThreadRanking, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("解析項目"), this);
    auto* groupLayout = new QVBoxLayout(group);
    threadRanking_ = new QCheckBox(QStringLiteral("最多書き込みスレッド"), group);
    monthThreadRanking_ = new QCheckBox(QStringLiteral("毎月ごとの最多書き込みスレッド"), group);
    groupLayout->addWidget(threadRanking_);
    groupLayout->addWidget(monthThreadRanking_);
    layout->addWidget(group);
    layout->addStretch();
    threadRanking_->setChecked(threadRanking != 0);
    monthThreadRanking_->setChecked(monthThreadRanking != 0);
}

int CDlgAnalyzeOptions::threadRanking() const {
    return threadRanking_->isChecked() ? 1 : 0;
}

int CDlgAnalyzeOptions::monthThreadRanking() const {
    return monthThreadRanking_->isChecked() ? 1 : 0;
}

} // namespace lorvanel
