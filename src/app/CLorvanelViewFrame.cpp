#include "app/CLorvanelViewFrame.h"

#include "app/CDlgBarSearch.h"
#include "app/CLorvanelView2.h"
#include "ui/QtText.h"

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
}

bool CLorvanelViewFrame::runSearch() {
    const QString text = bar_->pattern();
    if (text.isEmpty()) return false;
    bar_->rememberPattern(text);
    // The pattern is matched byte for byte against the posts' Shift_JIS text; a character
    // that Shift_JIS lacks can't be in any post.
    std::string pattern;
    if (!toCp932(text, pattern)) return false;
    return view_->search(pattern);
}

} // namespace lorvanel
