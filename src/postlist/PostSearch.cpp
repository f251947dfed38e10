#include "postlist/PostSearch.h"

#include "match/Folding.h"
#include "platform/Alert.h"
#include "platform/WholeCharSearch.h"
#include "postlist/PostText.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace lorvanel {

namespace {

// The exact search's test: the pattern as a C string, as every field it is tested against is
// one, and strstr runs over a field in one pass where finding its length first would take two.
class ExactPattern {
public:
    explicit ExactPattern(std::string_view p) : text_(p) {}
    bool in(const char* field) const { return field && containsWholeChars(field, text_.c_str()); }
    bool in(std::string_view line) const {
        return line.size() >= text_.size() && containsWholeChars(line, text_);
    }
    // The whole body's test before its lines are looked at.
    bool inBody(const char* body) const { return in(body); }

private:
    std::string text_;
};

// The search with the options: each text folded (or not) and then tested.
class OptionPattern {
public:
    explicit OptionPattern(const SearchPattern& p) : p_(p) {}
    bool in(const char* field) const { return field && p_.foundIn(field); }
    bool in(std::string_view line) const { return p_.foundIn(line); }
    // An expression's anchors see lines, not the whole body: no test before the lines then.
    bool inBody(const char* body) const { return p_.regex() || (body && p_.foundIn(body)); }

private:
    const SearchPattern& p_;
};

// The hit's offset within the post when matching starts at offset `from`.
template <class Pattern>
std::optional<int> searchPost(const PostRecord& p, const Pattern& pattern, int from) {
    if (from == 0 && pattern.in(p.title)) return 0;
    if (from <= 1 && (pattern.in(p.mail) || pattern.in(p.name))) return 1;
    const int bodyRows = bodyRowCount(p);
    const int firstBodyRow = std::max(from, 2) - 2;
    if (firstBodyRow >= bodyRows) return std::nullopt; // only the empty last row is left
    if (!pattern.inBody(p.body)) return std::nullopt;
    LineCursor lines(p.body ? p.body : "");
    std::string_view line;
    for (int j = 0; lines.next(line); ++j) {
        const int row = std::min(j, bodyRows - 1);
        if (row >= firstBodyRow && pattern.in(line)) return 2 + row;
    }
    return std::nullopt;
}

template <class Pattern>
std::optional<RowIndex> searchFrom(const PostRows& rows, const Pattern& pattern,
                                   RowIndex selectionEnd) {
    const RowIndex start = selectionEnd < 0 ? 0 : selectionEnd + 1;
    if (!rows.contains(start)) return std::nullopt;
    const RowPosition at = rows.locate(start);
    for (std::size_t i = at.post; i < rows.postCount(); ++i) {
        const int from = i == at.post ? at.offset : 0;
        if (const std::optional<int> hit = searchPost(rows.post(i), pattern, from))
            return rows.firstRowOf(i) + *hit;
    }
    return std::nullopt;
}

} // namespace

SearchPattern::SearchPattern(std::string_view pattern, const SearchOptions& options)
    : foldKana_(!options.matchKana), foldCase_(options.matchCase == false && options.matchKana) {
    exact_ = !options.regex && !foldKana_ && !foldCase_;
    text_ = foldKana_   ? foldKana(pattern)
            : foldCase_ ? foldWidthAndCase(pattern)
                        : std::string(pattern);
    // No text of a post holds a NUL byte, so a pattern with one is found nowhere.
    if (text_.empty() || text_.find('\0') != std::string::npos) return;
    if (options.regex) {
        if (!regex_.compile(text_)) {
            error_ = "正規表現の書式が不正です\n'" + std::string(pattern) + "'";
            return;
        }
    }
    usable_ = true;
}

std::string_view SearchPattern::folded(std::string_view text) const {
    if (!foldKana_ && !foldCase_) return text;
    scratch_.resize(text.size());
    const std::size_t n = foldKana_ ? foldKana(text.data(), text.size(), scratch_.data())
                                    : foldWidthAndCase(text.data(), text.size(), scratch_.data());
    return std::string_view(scratch_.data(), n);
}

bool SearchPattern::foundIn(std::string_view text) const {
    if (!usable_) return false;
    const std::string_view t = folded(text);
    if (regex_.valid()) return regex_.search(t);
    return t.size() >= text_.size() && containsWholeChars(t, text_);
}

std::optional<RowIndex> searchRows(const PostRows& rows, const SearchPattern& pattern,
                                   RowIndex selectionEnd) {
    if (!pattern.usable()) return std::nullopt;
    if (pattern.exact()) return searchFrom(rows, ExactPattern(pattern.text()), selectionEnd);
    try {
        return searchFrom(rows, OptionPattern(pattern), selectionEnd);
    } catch (const RegexSearchError& e) {
        // The expression gave up on a row: say so rather than answer "not found".
        showAlert(e.message());
        return std::nullopt;
    }
}

std::optional<RowIndex> searchRows(const PostRows& rows, std::string_view pattern,
                                   RowIndex selectionEnd) {
    // No text of a post holds a NUL byte, so a pattern with one is found nowhere.
    if (pattern.empty() || pattern.find('\0') != std::string_view::npos) return std::nullopt;
    return searchFrom(rows, ExactPattern(pattern), selectionEnd);
}

} // namespace lorvanel
