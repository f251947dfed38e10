// The post list's row model, texts and search over arbitrary posts. The input's NUL-separated
// parts are a search pattern followed by posts; each post part is a line count byte and then
// title, name, mail and body separated by 0x01 bytes. Whatever the line counts and line
// breaks, every post's text has one line per row, each row's text alone is that line, a copy
// of rows has one line per row, and every search hit lies on a row of its post that holds
// the pattern (a pattern holding a line break only in a title, name or mail), after the row
// the search started from.
#include "FuzzSupport.h"

#include "input/PostList.h"
#include "postlist/PostRows.h"
#include "postlist/PostSearch.h"
#include "postlist/PostText.h"
#include "postlist/RowCopy.h"

#include <deque>
#include <string>
#include <string_view>
#include <vector>

using namespace lorvanel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input = fuzz::asText(data, size);
    std::vector<std::string_view> parts;
    while (parts.size() < 65) {
        const std::size_t end = input.find('\0');
        parts.push_back(input.substr(0, end));
        if (end == std::string_view::npos) break;
        input.remove_prefix(end + 1);
    }
    const std::string pattern(parts.front());

    // Each text is NUL-terminated in storage of its own, as in a log's buffer.
    std::deque<std::string> texts;
    std::deque<PostRecord> records;
    PostList list;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        std::string_view part = parts[i];
        PostRecord& r = records.emplace_back();
        r.time = 1199210645 + static_cast<Time32>(i) * 61;
        r.seq = static_cast<int>(i);
        r.lineCount = part.empty() ? 1 : static_cast<unsigned char>(part.front()) % 101;
        if (!part.empty()) part.remove_prefix(1);
        const char** fields[] = {&r.title, &r.name, &r.mail, &r.body};
        for (const char** field : fields) {
            const std::size_t end = field == &r.body ? std::string_view::npos : part.find('\x01');
            *field = texts.emplace_back(part.substr(0, end)).c_str();
            part.remove_prefix(end == std::string_view::npos ? part.size() : end + 1);
        }
        r.server = "";
        r.dir = "";
        list.pushBack(&r);
    }

    const PostRows rows(list);
    RowIndex total = 0;
    for (std::size_t i = 0; i < rows.postCount(); ++i) {
        const PostRecord& p = rows.post(i);
        FUZZ_CHECK(rows.firstRowOf(i) == total);
        FUZZ_CHECK(rows.rowsOf(i) == rowCountOf(p));
        const std::string text = postText(p);
        FUZZ_CHECK(text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0);
        // Each line alone is the post text's line; a body keeps its own line breaks (a lone
        // CR or LF stays as it stands), the rest end in CR LF.
        std::string_view rest = text;
        for (int k = 0; k < rowCountOf(p); ++k) {
            std::string line;
            appendPostLine(line, p, k);
            FUZZ_CHECK(rest.substr(0, line.size()) == line);
            rest.remove_prefix(line.size());
            const std::size_t lineBreak = rest.substr(0, 2) == "\r\n" ? 2 : 1;
            FUZZ_CHECK(!rest.empty() && (rest[0] == '\r' || rest[0] == '\n'));
            rest.remove_prefix(lineBreak);
            const RowPosition at = rows.locate(total + k);
            FUZZ_CHECK(at.post == i && at.offset == k);
        }
        FUZZ_CHECK(rest.empty());
        total += rowCountOf(p);
    }
    FUZZ_CHECK(rows.totalRows() == total);

    // A copy of rows is the copies of its rows in turn; the whole list is every post text.
    if (total > 0) {
        const RowIndex first = static_cast<RowIndex>(pattern.size()) % total;
        const RowIndex last = first + (total - first) / 2;
        std::string joined;
        for (RowIndex k = first; k <= last; ++k) joined += copyRows(rows, k, k);
        FUZZ_CHECK(copyRows(rows, first, last) == joined);
        std::string all;
        for (std::size_t i = 0; i < rows.postCount(); ++i) appendPostText(all, rows.post(i));
        FUZZ_CHECK(copyRows(rows, 0, total - 1) == all);
    }
    FUZZ_CHECK(copyRows(rows, 0, total).empty());

    // The search repeated as F3 does: every hit after the previous one, inside its post and
    // never on its empty last row, on a row whose text holds the pattern.
    RowIndex from = -1;
    int hits = 0;
    while (const std::optional<RowIndex> hit = searchRows(rows, pattern, from)) {
        FUZZ_CHECK(!pattern.empty());
        FUZZ_CHECK(*hit > from && *hit < total);
        const RowPosition at = rows.locate(*hit);
        FUZZ_CHECK(at.offset < rows.rowsOf(at.post) - 1);
        if (hasLineBreak(pattern)) {
            // Body lines hold no line break: only a title, name or mail (made with breaks that
            // their rows show as spaces) can hold such a pattern.
            FUZZ_CHECK(at.offset <= 1);
        } else {
            std::string line;
            appendPostLine(line, rows.post(at.post), at.offset);
            FUZZ_CHECK(line.find(pattern) != std::string::npos);
        }
        from = *hit;
        FUZZ_CHECK(++hits <= total);
    }
    return 0;
}
