#include "postlist/RowCopy.h"

#include "postlist/PostText.h"

namespace lorvanel {

namespace {

// Runs the copy, appending to out and calling flush after each post.
template <class Flush>
bool copyInto(std::string& out, const PostRows& rows, RowIndex first, RowIndex last, Flush flush) {
    if (rows.empty() || first > last || !rows.contains(first) || !rows.contains(last)) return false;
    const RowPosition a = rows.locate(first);
    const RowPosition b = rows.locate(last);
    if (a.post == b.post) {
        appendPostLines(out, rows.post(a.post), a.offset, b.offset);
        flush();
        return true;
    }
    appendPostLines(out, rows.post(a.post), a.offset, rows.rowsOf(a.post) - 1);
    flush();
    for (std::size_t i = a.post + 1; i < b.post; ++i) {
        appendPostText(out, rows.post(i));
        flush();
    }
    appendPostLines(out, rows.post(b.post), 0, b.offset);
    flush();
    return true;
}

} // namespace

std::string copyRows(const PostRows& rows, RowIndex first, RowIndex last) {
    std::string out;
    copyInto(out, rows, first, last, [] {});
    return out;
}

bool writeCopyRows(const PostRows& rows, RowIndex first, RowIndex last,
                   const std::function<void(std::string_view)>& sink) {
    constexpr std::size_t kPiece = 1 << 16;
    std::string out;
    out.reserve(kPiece * 2);
    const bool any = copyInto(out, rows, first, last, [&] {
        if (out.size() < kPiece) return;
        sink(out);
        out.clear();
    });
    if (!out.empty()) sink(out);
    return any;
}

} // namespace lorvanel
