#pragma once
// The row layout of the post list: every post of a selection occupies its body rows plus three
// (title, name, body lines, an empty last row), and prefix sums of those counts map any row to
// its post and the offset within it in O(log n) without looking at any text.
#include "input/PostList.h"

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
    RowIndex totalRows() const { return firstRow_.back(); }
    RowIndex firstRowOf(std::size_t post) const { return firstRow_[post]; }
    int rowsOf(std::size_t post) const {
        return static_cast<int>(firstRow_[post + 1] - firstRow_[post]);
    }
    bool contains(RowIndex row) const { return row >= 0 && row < totalRows(); }

    // The post holding a row and the row's offset in it; the row must lie in 0 .. total - 1.
    RowPosition locate(RowIndex row) const;

private:
    std::vector<const PostRecord*> posts_;
    // firstRow_[i]: the first row of post i; the last entry is the total row count.
    std::vector<RowIndex> firstRow_{0};
};

} // namespace lorvanel
