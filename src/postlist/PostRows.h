#pragma once
// The row layout of the post list: every post of a selection occupies its body rows plus three
// (title, name, body lines, an empty last row), and prefix sums of those counts map any row to
// its post and the offset within it in O(log n) without looking at any text.
#include "input/PostList.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lorvanel {

using RowIndex = std::int64_t;

// Body rows of a post: its line count, at least one (a record made by hand may say 0).
inline int bodyRowCount(const PostRecord& p) {
    return p.lineCount > 1 ? p.lineCount : 1;
}
// Rows of a post: title row, name row, body rows, empty last row.
inline int rowCountOf(const PostRecord& p) {
    return bodyRowCount(p) + 3;
}

// Where a row lies: the post's index in the selection and the row's offset within the post.
struct RowPosition {
    std::size_t post = 0;
    int offset = 0;
};

class PostRows {
public:
    PostRows() = default;
    explicit PostRows(const PostList& posts) { reset(posts); }

    // Lays out the posts of a list (in its order). The records must outlive the layout or the
    // next reset/clear: the layout keeps pointers to them.
    void reset(const PostList& posts);
    // Forgets every record.
    void clear();

    std::size_t postCount() const { return posts_.size(); }
    bool empty() const { return posts_.empty(); }
    const PostRecord& post(std::size_t i) const { return *posts_[i]; }
    RowIndex totalRows() const { return firstRowOf(posts_.size()); }
    RowIndex firstRowOf(std::size_t post) const {
        const auto low = static_cast<RowIndex>(firstRowLow_[post]);
        if (wraps_.empty()) return low;
        const auto high = std::upper_bound(wraps_.begin(), wraps_.end(), post) - wraps_.begin();
        return static_cast<RowIndex>(high) << 32 | low;
    }
    int rowsOf(std::size_t post) const {
        return static_cast<int>(firstRowOf(post + 1) - firstRowOf(post));
    }
    bool contains(RowIndex row) const { return row >= 0 && row < totalRows(); }

    // The post holding a row and the row's offset in it; the row must lie in 0 .. total - 1.
    RowPosition locate(RowIndex row) const;

private:
    std::vector<const PostRecord*> posts_;
    // The first row of post i, kept in 32 bits: the low half of the row number, the last entry
    // being the total row count. A post has fewer than 2^32 rows, so the high half grows by at
    // most one from a post to the next; wraps_ lists, ascending, the posts where it grows (none
    // below four billion rows). Half the size of whole row numbers, on a list of a million posts.
    std::vector<std::uint32_t> firstRowLow_{0};
    std::vector<std::size_t> wraps_;
};

} // namespace lorvanel
