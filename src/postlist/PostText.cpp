#include "postlist/PostText.h"

#include "postlist/PostRows.h"

#include <algorithm>

namespace lorvanel {

namespace {

const char* const kWeekdays[7] = {"日", "月", "火", "水", "木", "金", "土"};

void appendTwoDigits(std::string& out, int n) {
    out += static_cast<char>('0' + n / 10 % 10);
    out += static_cast<char>('0' + n % 10);
}

void appendTitleLine(std::string& out, const PostRecord& p) {
    appendRowText(out, p.title ? p.title : "");
    out += " (";
    appendRowText(out, p.boardName());
    out += ')';
}

void appendNameLine(std::string& out, const PostRecord& p) {
    out += "名前：";
    appendRowText(out, p.name ? p.name : "");
    out += '[';
    appendRowText(out, p.mail ? p.mail : "");
    out += "] 投稿日：";
    appendPostDateText(out, p);
}

} // namespace

void appendPostDateText(std::string& out, const PostRecord& p) {
    const PostLocalTime& t = p.local();
    // Years of four digits as strftime writes them; a 32-bit time has no other.
    out += std::to_string(t.year);
    out += '/';
    appendTwoDigits(out, t.month);
    out += '/';
    appendTwoDigits(out, t.day);
    out += '(';
    out += kWeekdays[t.weekday % 7];
    out += ") ";
    appendTwoDigits(out, t.hour);
    out += ':';
    appendTwoDigits(out, t.minute);
    out += ':';
    appendTwoDigits(out, t.second);
}

std::string postDateText(const PostRecord& p) {
    std::string s;
    appendPostDateText(s, p);
    return s;
}

bool LineCursor::next(std::string_view& line) {
    if (done_) return false;
    const std::size_t brk = rest_.find_first_of("\r\n");
    if (brk == std::string_view::npos) {
        line = rest_;
        rest_ = {};
        done_ = true;
        return true;
    }
    line = rest_.substr(0, brk);
    std::size_t after = brk + 1;
    if (rest_[brk] == '\r' && after < rest_.size() && rest_[after] == '\n') ++after;
    lastBreak_ = rest_.substr(brk, after - brk);
    rest_.remove_prefix(after);
    return true;
}

std::string_view BodyRowCursor::next() {
    const int row = row_++;
    lineEnd_ = {};
    if (row >= rows_) return {};
    if (row == rows_ - 1) return lines_.rest();
    std::string_view line;
    if (!lines_.next(line)) return {};
    if (!lines_.done()) lineEnd_ = lines_.lastBreak();
    return line;
}

void appendRowText(std::string& out, std::string_view raw) {
    for (;;) {
        const std::size_t brk = raw.find_first_of("\r\n");
        if (brk == std::string_view::npos) {
            out.append(raw);
            return;
        }
        out.append(raw.substr(0, brk));
        out += ' ';
        std::size_t after = brk + 1;
        if (raw[brk] == '\r' && after < raw.size() && raw[after] == '\n') ++after;
        raw.remove_prefix(after);
    }
}

namespace {

// Lines first .. last of the post's text, clamped to its rows; withEnds adds each line's end.
void appendLines(std::string& out, const PostRecord& p, int first, int last, bool withEnds) {
    const int bodyRows = bodyRowCount(p);
    first = std::max(first, 0);
    last = std::min(last, bodyRows + 2);
    if (first > last) return;
    if (first == 0) {
        appendTitleLine(out, p);
        if (withEnds) out += "\r\n";
    }
    if (first <= 1 && last >= 1) {
        appendNameLine(out, p);
        if (withEnds) out += "\r\n";
    }
    // Body rows from max(first, 2) - 2 to min(last, bodyRows + 1) - 2.
    const int from = std::max(first, 2) - 2;
    const int to = std::min(last, bodyRows + 1) - 2;
    if (from <= to) {
        BodyRowCursor rows(p.body, bodyRows);
        for (int r = 0; r <= to; ++r) {
            const std::string_view raw = rows.next();
            if (r < from) continue;
            out.append(raw);
            if (!withEnds) continue;
            const std::string_view end = rows.lineEnd();
            out.append(end.empty() ? std::string_view("\r\n") : end);
        }
    }
    if (last == bodyRows + 2 && withEnds) out += "\r\n";
}

} // namespace

void appendPostLine(std::string& out, const PostRecord& p, int line) {
    appendLines(out, p, line, line, false);
}

void appendPostLines(std::string& out, const PostRecord& p, int first, int last) {
    appendLines(out, p, first, last, true);
}

void appendPostText(std::string& out, const PostRecord& p) {
    appendPostLines(out, p, 0, rowCountOf(p) - 1);
}

std::string postText(const PostRecord& p) {
    std::string s;
    appendPostText(s, p);
    return s;
}

} // namespace lorvanel
