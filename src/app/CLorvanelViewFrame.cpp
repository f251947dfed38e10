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
    const QString text = bar_->pattern();
    if (text.isEmpty()) return false;
    bar_->rememberPattern(text);
    // The pattern is matched byte for byte against the posts' Shift_JIS text.
    clearNotFound();
    std::string pattern;
    // A character that Shift_JIS lacks is found nowhere, as any other pattern without a hit.
    const bool found = toCp932(text, pattern) && view_->search(pattern);
    if (!found) {
        notFoundShown_ = true;
        emit statusMessage(QStringLiteral("'%1' は見つかりませんでした").arg(text));
    }
    return found;
}

} // namespace lorvanel
