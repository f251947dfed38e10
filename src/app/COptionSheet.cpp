#include "app/COptionSheet.h"

#include "app/CDlgAnalyzeOptions.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lorvanel {

COptionSheet::COptionSheet(const Settings& current, int threadRanking, int monthThreadRanking,
                           BrowserChooser chooser, QWidget* parent)
    : QDialog(parent), scratch_(current) {
    setWindowTitle(QStringLiteral("設定"));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    general_ = new CDlgOpt1(scratch_, std::move(chooser), tabs_);
    analysis_ = new CDlgAnalyzeOptions(threadRanking, monthThreadRanking, tabs_);
    tabs_->addTab(general_, QStringLiteral("全般"));
    tabs_->addTab(analysis_, QStringLiteral("解析"));
    layout->addWidget(tabs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionSheet::reject);
}

void COptionSheet::accept() {
    if (!general_->commit()) {
        tabs_->setCurrentWidget(general_);
        return;
    }
    QDialog::accept();
}

int COptionSheet::threadRanking() const {
    return analysis_->threadRanking();
}

int COptionSheet::monthThreadRanking() const {
    return analysis_->monthThreadRanking();
}

} // namespace lorvanel
