#include "postlist/PostRows.h"

#include <algorithm>

namespace lorvanel {

void PostRows::reset(const PostList& posts) {
    posts_.assign(posts.begin(), posts.end());
    firstRowLow_.resize(posts_.size() + 1);
    wraps_.clear();
    RowIndex row = 0;
    for (std::size_t i = 0; i <= posts_.size(); ++i) {
        firstRowLow_[i] = static_cast<std::uint32_t>(row);
        if (i > 0 && (row >> 32) != (firstRowOf(i - 1) >> 32)) wraps_.push_back(i);
        if (i < posts_.size()) row += rowCountOf(*posts_[i]);
    }
}

void PostRows::clear() {
    posts_.clear();
    posts_.shrink_to_fit();
    firstRowLow_.assign(1, 0);
    firstRowLow_.shrink_to_fit();
    wraps_.clear();
}

RowPosition PostRows::locate(RowIndex row) const {
    if (posts_.empty()) return {};
    // The first post after post 0 that starts after the row (or the end), less one.
    std::size_t low = 1, high = posts_.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (firstRowOf(middle) > row)
            high = middle;
        else
            low = middle + 1;
    }
    const std::size_t post = low - 1;
    return {post, static_cast<int>(row - firstRowOf(post))};
}

} // namespace lorvanel
