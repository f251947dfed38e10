#include "postlist/PostSearch.h"

#include "postlist/PostText.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace lorvanel {

namespace {

// The pattern as a C string: every field it is tested against is one, and strstr runs over a
// field in one pass where finding its length first would take two.
class Pattern {
public:
    explicit Pattern(std::string_view p) : text_(p) {}
    bool in(const char* field) const { return field && std::strstr(field, text_.c_str()); }
    bool in(std::string_view line) const {
        return line.size() >= text_.size() &&
               memmem(line.data(), line.size(), text_.data(), text_.size()) != nullptr;
    }

private:
    std::string text_;
};

// The hit's offset within the post when matching starts at offset `from`.
std::optional<int> searchPost(const PostRecord& p, const Pattern& pattern, int from) {
    if (from == 0 && pattern.in(p.title)) return 0;
    if (from <= 1 && (pattern.in(p.mail) || pattern.in(p.name))) return 1;
    const int bodyRows = bodyRowCount(p);
    const int firstBodyRow = std::max(from, 2) - 2;
    if (firstBodyRow >= bodyRows) return std::nullopt; // only the empty last row is left
    if (!pattern.in(p.body)) return std::nullopt;
    LineCursor lines(p.body);
    std::string_view line;
    for (int j = 0; lines.next(line); ++j) {
        const int row = std::min(j, bodyRows - 1);
        if (row >= firstBodyRow && pattern.in(line)) return 2 + row;
    }
    return std::nullopt;
}

} // namespace

std::optional<RowIndex> searchRows(const PostRows& rows, std::string_view pattern,
                                   RowIndex selectionEnd) {
    // No text of a post holds a NUL byte, so a pattern with one is found nowhere.
    if (pattern.empty() || pattern.find('\0') != std::string_view::npos) return std::nullopt;
    const RowIndex start = selectionEnd < 0 ? 0 : selectionEnd + 1;
    if (!rows.contains(start)) return std::nullopt;
    const Pattern p(pattern);
    const RowPosition at = rows.locate(start);
    for (std::size_t i = at.post; i < rows.postCount(); ++i) {
        const int from = i == at.post ? at.offset : 0;
        if (const std::optional<int> hit = searchPost(rows.post(i), p, from))
            return rows.firstRowOf(i) + *hit;
    }
    return std::nullopt;
}

} // namespace lorvanel
