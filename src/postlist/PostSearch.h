#pragma once
// The search of the post list: the first row after the current selection whose text holds a
// pattern, exactly (byte for byte) unless the search bar's options ask for folding or a
// regular expression.
#include "match/Regex.h"
#include "postlist/PostRows.h"

#include <optional>
#include <string>
#include <string_view>

namespace lorvanel {

// The search bar's options; the defaults are the exact search.
struct SearchOptions {
    // "大文字と小文字を区別する". Off: pattern and texts are compared after width-and-case
    // folding (full-width to half-width, then ASCII lower case), as keywords marked "@" are.
    bool matchCase = true;
    // "平仮名とカタカナを区別する". Off: they are compared after kana folding (hiragana to
    // katakana, besides width and case), as plain keywords are; that folding has no form
    // that keeps case, so this also compares without case.
    bool matchKana = true;
    // "正規表現": the pattern is an Oniguruma expression (Shift_JIS, the default syntax) found
    // anywhere in a row's text; with folding, the pattern is folded and searched in the
    // folded text, as a keyword file's expressions are.
    bool regex = false;
};

// A pattern ready for searching: folded and, for a regular expression, compiled once.
class SearchPattern {
public:
    SearchPattern(std::string_view pattern, const SearchOptions& options);

    // False for an empty pattern (found nowhere) and for an expression that does not compile.
    bool usable() const { return usable_; }
    // Why the expression does not compile: "正規表現の書式が不正です\n'%s'" with the pattern.
    const std::string& error() const { return error_; }

    // Whether one row's text holds the pattern. Containment counts an occurrence only where a
    // character of the (folded) text starts, never at a double-byte character's second byte.
    bool foundIn(std::string_view text) const;
    bool exact() const { return exact_; }
    bool regex() const { return regex_.valid(); }
    const std::string& text() const { return text_; }

private:
    std::string_view folded(std::string_view text) const;

    std::string text_; // the pattern, folded as the options ask
    bool usable_ = false;
    bool exact_ = true;
    bool foldKana_ = false;
    bool foldCase_ = false;
    Regex regex_;
    std::string error_;
    mutable std::string scratch_; // the folded text being searched
};

// Searches from the row after selectionEnd (from row 0 when selectionEnd is -1) to the end
// of the list, without wrapping around. Row 0 of a post is matched against its title, row 1
// against its mail and then its name, the body rows against the body's lines (CR LF, CR or LF
// end a line; a line beyond the post's body rows counts for its last body row); the empty last
// row never matches. A post whose whole body lacks the pattern is passed over at once, so a
// pattern spanning two lines is never found. Returns the hit's row, or nothing (always for an
// unusable pattern).
std::optional<RowIndex> searchRows(const PostRows& rows, const SearchPattern& pattern,
                                   RowIndex selectionEnd);

// The exact search: a case-sensitive byte-wise substring test that counts an occurrence only
// where a character of the field or line starts. Nothing for an empty pattern.
std::optional<RowIndex> searchRows(const PostRows& rows, std::string_view pattern,
                                   RowIndex selectionEnd);

} // namespace lorvanel
