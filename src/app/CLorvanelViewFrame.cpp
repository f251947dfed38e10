#include "app/CLorvanelViewFrame.h"

#include "app/CDlgBarSearch.h"
#include "app/CLorvanelView2.h"
#include "ui/QtText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace lorvanel {

CLorvanelViewFrame::CLorvanelViewFrame(DocBridge& bridge, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    bar_ = new CDlgBarSearch(this);
    view_ = new CLorvanelView2(bridge, this);
    layout->addWidget(bar_);
    layout->addWidget(view_, 1);
    setFocusProxy(view_);
    connect(bar_, &CDlgBarSearch::searchRequested, this, &CLorvanelViewFrame::runSearch);
    connect(view_, &CLorvanelView2::searchRequested, this, &CLorvanelViewFrame::runSearch);
    connect(bar_->comboBox(), &QComboBox::editTextChanged, this,
            &CLorvanelViewFrame::clearNotFound);
}

void CLorvanelViewFrame::clearNotFound() {
    if (!notFoundShown_) return;
    notFoundShown_ = false;
    emit statusMessage(QString());
}

void CLorvanelViewFrame::focusSearch() {
    QComboBox* field = bar_->comboBox();
    field->setFocus(Qt::ShortcutFocusReason);
    field->lineEdit()->selectAll();
}

bool CLorvanelViewFrame::runSearch() {
    return search(false);
}

bool CLorvanelViewFrame::searchFromTop(const QString& pattern, const SearchOptions& options) {
    bar_->setPattern(pattern);
    bar_->setOptions(options);
    return search(true);
}

bool CLorvanelViewFrame::search(bool fromTop) {
    const QString text = bar_->pattern();
    if (text.isEmpty()) return false;
    bar_->rememberPattern(text);
    // The pattern is matched against the posts' Shift_JIS text, folded as the options ask.
    clearNotFound();
    std::string bytes;
    // A character that Shift_JIS lacks is found nowhere, as any other pattern without a hit.
    if (toCp932(text, bytes)) {
        const SearchPattern pattern(bytes, bar_->options());
        if (!pattern.usable() && !pattern.error().empty()) {
            notFoundShown_ = true;
            emit statusMessage(
                toQString(pattern.error()).replace(QLatin1Char('\n'), QLatin1Char(' ')));
            return false;
        }
        if (view_->search(pattern, fromTop)) return true;
    }
    notFoundShown_ = true;
    emit statusMessage(QStringLiteral("'%1' は見つかりませんでした").arg(text));
    return false;
}

} // namespace lorvanel
