#include "app/CDlgBarSearch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace lorvanel {

CDlgBarSearch::CDlgBarSearch(QWidget* parent) : QWidget(parent) {
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    rows->addLayout(layout);
    auto* caption = new QLabel(QStringLiteral("検索:"), this);
    combo_ = new QComboBox(this);
    combo_->setEditable(true);
    // The bar keeps the history itself: a pattern goes to the top when it is searched for.
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Narrow enough for the bar to share a 480 px window with the filter pane.
    combo_->setMinimumWidth(120);
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

    // The options go on a row of their own, so that the field keeps its width in a narrow
    // window. The row never holds the window wide: where it does not fit, its boxes give way
    // to a button beside "検索" whose menu holds the same options.
    optionsRow_ = new QWidget(this);
    optionsRow_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto* options = new QHBoxLayout(optionsRow_);
    options->setContentsMargins(0, 0, 0, 0);
    matchCase_ = new QCheckBox(QStringLiteral("大文字と小文字を区別する"), optionsRow_);
    matchKana_ = new QCheckBox(QStringLiteral("平仮名とカタカナを区別する"), optionsRow_);
    regex_ = new QCheckBox(QStringLiteral("正規表現"), optionsRow_);
    optionsButton_ = new QToolButton(this);
    // An icon as the graph tab's options button has in a narrow frame; its name in the tip.
    optionsButton_->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    optionsButton_->setText(QStringLiteral("検索オプション"));
    optionsButton_->setToolTip(QStringLiteral("検索オプション"));
    optionsButton_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // As high as the row, so that the row keeps its height when it comes or goes.
    optionsButton_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    optionsButton_->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(optionsButton_);
    for (QCheckBox* box : {matchCase_, matchKana_, regex_}) {
        options->addWidget(box);
        QAction* item = menu->addAction(box->text());
        item->setCheckable(true);
        connect(box, &QCheckBox::toggled, item, &QAction::setChecked);
        connect(item, &QAction::toggled, box, &QCheckBox::setChecked);
    }
    options->addStretch(1);
    optionsButton_->setMenu(menu);
    optionsButton_->hide();
    layout->addWidget(optionsButton_);
    rows->addWidget(optionsRow_);
    setOptions(SearchOptions());
}

void CDlgBarSearch::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QMargins margins = layout()->contentsMargins();
    const bool fits = optionsRow_->sizeHint().width() + margins.left() + margins.right() <= width();
    // What goes is hidden before what comes is shown: never both at once, not even for the
    // layout that a shown widget runs at once.
    QWidget* going = fits ? static_cast<QWidget*>(optionsButton_) : optionsRow_;
    QWidget* coming = fits ? optionsRow_ : static_cast<QWidget*>(optionsButton_);
    going->setVisible(false);
    coming->setVisible(true);
}

void CDlgBarSearch::setPattern(const QString& pattern) {
    combo_->setEditText(pattern);
}

SearchOptions CDlgBarSearch::options() const {
    SearchOptions options;
    options.matchCase = matchCase_->isChecked();
    options.matchKana = matchKana_->isChecked();
    options.regex = regex_->isChecked();
    return options;
}

void CDlgBarSearch::setOptions(const SearchOptions& options) {
    matchCase_->setChecked(options.matchCase);
    matchKana_->setChecked(options.matchKana);
    regex_->setChecked(options.regex);
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
