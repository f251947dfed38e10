#include "postlist/PostRows.h"

#include <algorithm>

namespace lorvanel {

void PostRows::reset(const PostList& posts) {
    posts_.assign(posts.begin(), posts.end());
    firstRow_.resize(posts_.size() + 1);
    RowIndex row = 0;
    for (std::size_t i = 0; i < posts_.size(); ++i) {
        firstRow_[i] = row;
        row += rowCountOf(*posts_[i]);
    }
    firstRow_.back() = row;
}

void PostRows::clear() {
    posts_.clear();
    posts_.shrink_to_fit();
    firstRow_.assign(1, 0);
    firstRow_.shrink_to_fit();
}

RowPosition PostRows::locate(RowIndex row) const {
    if (posts_.empty()) return {};
    // The first post that starts after the row, less one.
    const auto after = std::upper_bound(firstRow_.begin() + 1, firstRow_.end() - 1, row);
    const auto post = static_cast<std::size_t>(after - firstRow_.begin()) - 1;
    return {post, static_cast<int>(row - firstRow_[post])};
}

} // namespace lorvanel
