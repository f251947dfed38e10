#include "postlist/RowViewport.h"

#include <algorithm>

namespace lorvanel {

void RowViewport::setTop(RowIndex top) {
    top_ = std::max<RowIndex>(std::min(top, total_ - page_), 0);
}

void RowViewport::reset(RowIndex total) {
    total_ = std::max<RowIndex>(total, 0);
    top_ = 0;
}

void RowViewport::setPage(RowIndex page) {
    page_ = std::max<RowIndex>(page, 0);
    setTop(page_ >= total_ ? 0 : top_);
}

void RowViewport::lineUp() {
    setTop(top_ + page_ - 1 >= total_ ? total_ - page_ : top_ - 1);
}

void RowViewport::lineDown() {
    setTop(top_ + page_ + 1 >= total_ ? total_ - page_ : top_ + 1);
}

void RowViewport::pageUp() {
    setTop(top_ >= total_ ? total_ - page_ : top_ - page_);
}

void RowViewport::pageDown() {
    setTop(top_ + 2 * page_ >= total_ ? total_ - page_ : top_ + page_);
}

void RowViewport::wheel(int delta) {
    setTop(top_ + static_cast<RowIndex>(delta / -120) * 4);
}

void RowViewport::scrollBarTo(RowIndex top) {
    setTop(std::clamp<RowIndex>(top, 0, std::max<RowIndex>(total_ - 1, 0)));
}

bool RowViewport::reveal(RowIndex row) {
    if (shows(row)) return false;
    const RowIndex before = top_;
    setTop(row - page_ / 2);
    return top_ != before;
}

void RowSelection::dragTo(RowIndex row) {
    start_ = std::min(anchor_, row);
    end_ = std::max(anchor_, row);
}

} // namespace lorvanel
