#include "PostListSteps.h"

#include "Figures.h"
#include "Measure.h"

#include "input/PostLog.h"
#include "platform/Encoding.h"
#include "postlist/PostRows.h"
#include "postlist/PostSearch.h"
#include "postlist/PostText.h"
#include "postlist/RowViewport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>

namespace lorvanel::bench {

namespace {

// Rows of a page: a window of about 800 pixels at the list's row height.
constexpr RowIndex kPageRows = 40;

// What painting a page needs of the core, without drawing (this harness is built without
// Qt): the post of the top row, then for every row in view its texts, converted to UTF-8 as
// the widget's text conversion does. Returns a count so that nothing is optimised away.
std::size_t pageWork(const PostRows& rows, RowIndex top) {
    if (!rows.contains(top)) return 0;
    std::size_t bytes = 0;
    std::string text, utf8;
    auto show = [&](std::string_view cp932) {
        utf8.clear();
        appendCp932AsUtf8(utf8, cp932);
        bytes += utf8.size();
    };
    const RowPosition at = rows.locate(top);
    RowIndex shown = -at.offset;
    for (std::size_t i = at.post; i < rows.postCount() && shown < kPageRows; ++i) {
        const PostRecord& p = rows.post(i);
        const int n = rows.rowsOf(i);
        auto visible = [&](int r) { return shown + r >= 0 && shown + r < kPageRows; };
        if (visible(0)) {
            show(std::to_string(p.seq));
            text.clear();
            appendRowText(text, p.title);
            show(text);
            show(p.boardName());
        }
        if (visible(1)) {
            text.clear();
            appendRowText(text, p.name);
            show(text);
            text.clear();
            appendRowText(text, p.mail);
            appendPostDateText(text, p);
            show(text);
        }
        BodyRowCursor body(p.body, bodyRowCount(p));
        for (int r = 2; r < n - 1 && shown + r < kPageRows; ++r) {
            const std::string_view raw = body.next();
            if (!visible(r)) continue;
            text.clear();
            appendRowText(text, raw);
            show(text);
        }
        shown += n;
    }
    return bytes;
}

// Makes the last post hold a text that no other post holds, by writing it over the start of
// its body (or of its title, for a short body) in the loaded text; the destructor puts the
// bytes back. The benchmark's copy of the log is the only one changed.
class MarkedLastPost {
public:
    MarkedLastPost(const PostRecord& last, std::string_view mark) {
        const char* field = std::strlen(last.body) >= mark.size() ? last.body : last.title;
        if (std::strlen(field) < mark.size()) return;
        at_ = const_cast<char*>(field);
        saved_.assign(at_, mark.size());
        std::memcpy(at_, mark.data(), mark.size());
    }
    ~MarkedLastPost() {
        if (at_) std::memcpy(at_, saved_.data(), saved_.size());
    }
    MarkedLastPost(const MarkedLastPost&) = delete;
    MarkedLastPost& operator=(const MarkedLastPost&) = delete;
    bool marked() const { return at_ != nullptr; }

private:
    char* at_ = nullptr;
    std::string saved_;
};

std::string microseconds(double seconds) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f us", seconds * 1e6);
    return buf;
}

} // namespace

void addPostListFigures(Figures& figures, PostLog& log, double baseline, int runs) {
    figures.section("Post list over the whole log (" + std::to_string(log.posts.size()) +
                    " posts)");
    PostRows rows;
    const double build = bestOf(runs, [&] { rows.reset(log.posts); });
    figures.time("post list: build the row model", build, baseline, 0);
    const RowIndex total = rows.totalRows();

    std::mt19937_64 rng(42);
    std::vector<RowIndex> randomRows(1000000);
    for (RowIndex& r : randomRows)
        r = static_cast<RowIndex>(rng() % static_cast<unsigned long long>(total));
    volatile std::size_t sink = 0;
    const double lookups = bestOf(runs, [&] {
        std::size_t s = 0;
        for (RowIndex r : randomRows) s += rows.locate(r).post;
        sink = sink + s;
    });
    char perLookup[64];
    std::snprintf(perLookup, sizeof perLookup, "%.0f ns", lookups / randomRows.size() * 1e9);
    figures.add({"post list: map a random row to its post (each)", perLookup, lookups / baseline,
                 "baseline (1,000,000 lookups)", 0});

    // A page in the middle of a 1,000-post selection and of the whole log, side by side: the
    // work must not grow with the selection.
    PostList thousand;
    const std::size_t from =
        log.posts.size() / 2 - std::min<std::size_t>(500, log.posts.size() / 2);
    for (std::size_t i = from; i < std::min(from + 1000, log.posts.size()); ++i)
        thousand.pushBack(log.posts[i]);
    const PostRows small(thousand);
    constexpr int kPages = 2000;
    auto pageTime = [&](const PostRows& r) {
        const RowIndex top = r.totalRows() / 2;
        return bestOf(runs,
                      [&] {
                          std::size_t s = 0;
                          for (int k = 0; k < kPages; ++k) s += pageWork(r, top);
                          sink = sink + s;
                      }) /
               kPages;
    };
    const double pageSmall = pageTime(small);
    const double pageWhole = pageTime(rows);
    figures.add({"page (core work, no Qt here), 1,000 posts", microseconds(pageSmall),
                 pageSmall / 0.008, "8 ms", 1.0});
    figures.add({"page (core work, no Qt here), whole log", microseconds(pageWhole),
                 pageWhole / 0.008, "8 ms", 1.0});
    figures.add({"page, whole log / 1,000 posts", microseconds(pageWhole), pageWhole / pageSmall,
                 "1,000 posts", 2.0, 0.25});

    // Scrolling: Page Down and the new page's work, page after page from a random row.
    RowViewport viewport;
    viewport.reset(total);
    viewport.setPage(kPageRows);
    const RowIndex start =
        static_cast<RowIndex>(rng() % static_cast<unsigned long long>(total / 2));
    const double scroll = bestOf(runs,
                                 [&] {
                                     viewport.setTop(start);
                                     std::size_t s = 0;
                                     for (int k = 0; k < kPages; ++k) {
                                         viewport.pageDown();
                                         s += pageWork(rows, viewport.top());
                                     }
                                     sink = sink + s;
                                 }) /
                          kPages;
    figures.add(
        {"scroll by a page (core work)", microseconds(scroll), scroll / 0.008, "8 ms", 1.0});

    // The search from the first row to a hit in the last post, for an ASCII pattern and for a
    // Japanese one (whose lead bytes are common in the text, so the scan stops more often).
    const struct {
        const char* name;
        std::string_view mark;
    } searches[] = {{"search to the last post, ASCII pattern", "Zq7#Xv9!"},
                    {"search to the last post, Japanese pattern", "鵺鶫鰯鱚"}};
    for (const auto& s : searches) {
        const MarkedLastPost mark(rows.post(rows.postCount() - 1), s.mark);
        if (!mark.marked()) {
            std::printf("\nWARNING: the last post is too short to be marked; no search figure\n");
            return;
        }
        const std::string pattern(s.mark);
        std::optional<RowIndex> hit;
        const double search = bestOf(runs, [&] { hit = searchRows(rows, pattern, -1); });
        if (!hit || rows.locate(*hit).post != rows.postCount() - 1)
            throw std::runtime_error("the post list's search missed the last post");
        figures.time(s.name, search, baseline, 1.0);
    }
    (void)sink;
}

} // namespace lorvanel::bench
