#include "app/CDlgBarSearch.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lorvanel {

CDlgBarSearch::CDlgBarSearch(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* caption = new QLabel(QStringLiteral("検索:"), this);
    combo_ = new QComboBox(this);
    combo_->setEditable(true);
    // The bar keeps the history itself: a pattern goes to the top when it is searched for.
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    combo_->setMinimumWidth(160);
    // The keys typed into the field reach the combo box, which has the focus (its line edit
    // only stands in for it) and hands them on to the line edit by a direct call: a filter on
    // the line edit would never see them.
    combo_->installEventFilter(this);
    button_ = new QPushButton(QStringLiteral("検索"), this);
    button_->setAutoDefault(false);
    caption->setBuddy(combo_);
    layout->addWidget(caption);
    // The drop-down takes the width; the button stays at the right edge.
    layout->addWidget(combo_, 1);
    layout->addSpacing(8);
    layout->addWidget(button_);
    connect(button_, &QPushButton::clicked, this, &CDlgBarSearch::searchRequested);
}

QString CDlgBarSearch::pattern() const {
    return combo_->currentText();
}

void CDlgBarSearch::rememberPattern(const QString& pattern) {
    if (pattern.isEmpty()) return;
    const int existing = combo_->findText(pattern, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (existing == 0) return;
    if (existing > 0) combo_->removeItem(existing);
    combo_->insertItem(0, pattern);
    combo_->setCurrentIndex(0);
}

bool CDlgBarSearch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == combo_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // The keypad's Enter comes with the keypad modifier.
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((enter || key->key() == Qt::Key_F3) && modifiers == Qt::NoModifier) {
            // A held key repeats: only the first press searches.
            if (!key->isAutoRepeat()) emit searchRequested();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lorvanel
