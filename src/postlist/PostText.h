#pragma once
// The texts of the post list: the post date, the lines of a post's text (the copy form of its
// rows) and the walk that lays a body's lines onto the post's body rows.
//
// A post's text is made of one piece per row of the post:
//   row 0            title " (" board ")", CR LF
//   row 1            "名前：" name "[" mail "] 投稿日：" date, CR LF
//   rows 2 .. L + 1  the body, laid onto its L body rows (below)
//   row L + 2        CR LF
// Body lines end at CR LF, a lone CR or a lone LF. Line i of the body goes to body row i; when
// the body has more lines than rows (a line count that disagrees with the line breaks, such
// as lone LFs that the readers do not count), the last body row holds all the remaining lines,
// and when it has fewer, the rows beyond its end are empty. A body row's piece is its text as
// it stands in the body with the line break that follows it there (CR LF, a lone CR or a lone
// LF), the last body row's ending in CR LF: the copy of a post holds its body unchanged. A
// line break inside the title, name or mail (made by hand) is written as one space.
#include "input/PostRecord.h"

#include <string>
#include <string_view>

namespace lorvanel {

// "%Y/%m/%d(曜) %H:%M:%S" in local time, the weekday as 日 月 火 水 木 金 土.
void appendPostDateText(std::string& out, const PostRecord& p);
std::string postDateText(const PostRecord& p);

// Lines of a text by the list's rule: each ends at CR LF, a lone CR or a lone LF; a text of n
// line breaks has n + 1 lines (the empty text one empty line).
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : rest_(text) {}
    // The next line without its break; false once every line has been taken.
    bool next(std::string_view& line);
    // Everything not yet taken, line breaks included; empty once every line has been taken.
    std::string_view rest() const { return done_ ? std::string_view{} : rest_; }
    bool done() const { return done_; }
    // The break that ended the line next() took last (CR LF, CR or LF); empty for the last line.
    std::string_view lastBreak() const { return done_ ? std::string_view{} : lastBreak_; }

private:
    std::string_view rest_;
    std::string_view lastBreak_;
    bool done_ = false;
};

// The raw bytes of a body's rows in order: row i < rows - 1 is body line i, the last row the
// rest of the body (its breaks included), a row beyond the body's end is empty.
class BodyRowCursor {
public:
    BodyRowCursor(const char* body, int rows) : lines_(body ? body : ""), rows_(rows) {}
    std::string_view next();
    int row() const { return row_; } // the row that next() returns
    // The break that followed the row next() returned last in the body; empty for the last
    // body row and for a row beyond the body's end.
    std::string_view lineEnd() const { return lineEnd_; }

private:
    LineCursor lines_;
    int rows_;
    int row_ = 0;
    std::string_view lineEnd_;
};

// Appends raw bytes as one row's text: every line break (CR LF, CR or LF) becomes one space.
void appendRowText(std::string& out, std::string_view raw);
// Whether raw holds a line break.
inline bool hasLineBreak(std::string_view raw) {
    return raw.find_first_of("\r\n") != std::string_view::npos;
}

// Row `line`'s piece of the post's text, without its line end.
void appendPostLine(std::string& out, const PostRecord& p, int line);
// The pieces of rows first .. last of the post's text (clamped to the post's rows), each with
// its line end.
void appendPostLines(std::string& out, const PostRecord& p, int first, int last);
// The whole post text.
void appendPostText(std::string& out, const PostRecord& p);
std::string postText(const PostRecord& p);

} // namespace lorvanel
