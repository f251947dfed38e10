#include "app/CProgressStatus.h"

#include "app/COperationRunner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>

namespace lorvanel {

namespace {
// Shorter work is over before a bar would be worth showing.
constexpr int kShowAfterMs = 300;
constexpr int kStepRefreshMs = 100;
} // namespace

CProgressStatus::CProgressStatus(COperationRunner& runner, QWidget* window, QWidget* parent)
    : QWidget(parent), runner_(runner), label_(new QLabel(this)), bar_(new QProgressBar(this)),
      cancel_(new QToolButton(this)), escape_(new QShortcut(QKeySequence(Qt::Key_Escape), window)),
      showTimer_(new QTimer(this)), stepTimer_(new QTimer(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label_);
    // No measure of the remaining work: the bar only shows that the work goes on.
    bar_->setRange(0, 0);
    bar_->setMaximumWidth(160);
    bar_->setTextVisible(false);
    layout->addWidget(bar_);
    cancel_->setText(QStringLiteral("キャンセル"));
    cancel_->setToolTip(QStringLiteral("キャンセル (Esc)"));
    layout->addWidget(cancel_);
    hide();

    escape_->setEnabled(false);
    escape_->setContext(Qt::WindowShortcut);
    showTimer_->setSingleShot(true);
    showTimer_->setInterval(kShowAfterMs);
    stepTimer_->setInterval(kStepRefreshMs);

    connect(cancel_, &QToolButton::clicked, this, [this] { runner_.cancel(); });
    connect(escape_, &QShortcut::activated, this, [this] { runner_.cancel(); });
    connect(showTimer_, &QTimer::timeout, this, [this] {
        if (!runner_.busy()) return;
        refresh();
        show();
        stepTimer_->start();
    });
    connect(stepTimer_, &QTimer::timeout, this, &CProgressStatus::refresh);
    connect(&runner_, &COperationRunner::started, this, &CProgressStatus::operationStarted);
    connect(&runner_, &COperationRunner::finished, this, &CProgressStatus::operationFinished);
}

QString CProgressStatus::stepText() const {
    switch (runner_.step()) {
    case OperationStep::kLoading:
        return QStringLiteral("読み込み中…");
    case OperationStep::kCounting:
        return QStringLiteral("集計中…");
    case OperationStep::kKeywords:
        return QStringLiteral("キーワード解析中…");
    case OperationStep::kNone:
        break;
    }
    return {};
}

void CProgressStatus::operationStarted() {
    // Esc cancels from the start, bar or not.
    escape_->setEnabled(true);
    showTimer_->start();
}

void CProgressStatus::operationFinished() {
    escape_->setEnabled(runner_.busy());
    if (runner_.busy()) return;
    showTimer_->stop();
    stepTimer_->stop();
    hide();
}

void CProgressStatus::refresh() {
    label_->setText(stepText());
}

} // namespace lorvanel
