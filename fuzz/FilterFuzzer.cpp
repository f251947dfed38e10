// The filter compiler on arbitrary text, then the compiled filter over a small fixed log.
// Besides surviving, compilation must give a filter or a message, never both or neither;
// matching must not depend on anything but the post; and whenever a text compiles, "!(text)"
// compiles too and selects exactly the other posts.
#include "FuzzSupport.h"

#include "match/Regex.h"

#include "filter/CompileFilter.h"
#include "filter/FilterNode.h"
#include "input/PostArena.h"
#include "input/PostList.h"
#include "platform/LocalTime.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace lorvanel;

namespace {

struct FixedLog {
    PostArena arena;
    PostList posts;
};

PostRecord* post(FixedLog& log, int y, int mo, int d, int h, const char* title, const char* name,
                 const char* mail, const char* body, const char* server, const char* dir, int lines,
                 std::uint32_t flags) {
    PostRecord* r = log.arena.create();
    r->time = fromLocalTime(y, mo, d, h, 10, 0);
    r->title = title;
    r->name = name;
    r->mail = mail;
    r->body = body;
    r->server = server;
    r->dir = dir;
    r->lineCount = lines;
    r->flags = flags;
    addPost(log.posts, r, nullptr, false);
    return r;
}

FixedLog& fixedLog() {
    static FixedLog* log = [] {
        auto* l = new FixedLog;
        post(*l, 1999, 12, 31, 23, "", "", "", "", "", "", 1, PostRecord::kKnownBbs);
        post(*l, 2008, 1, 2, 3, "ニュース速報のスレ", "名無し", "sage", "テストです>>1\r\nabc",
             "hayabusa.2ch.net", "news", 2, PostRecord::kKnownBbs);
        post(*l, 2008, 2, 29, 13, "新スレ", "", "age", "　　∧＿∧\r\n　（　´∀｀）\r\n", "pc.2ch.net",
             "tech", 3, PostRecord::kNewThread | PostRecord::kKnownBbs);
        post(*l, 2012, 7, 15, 0, "表示ソフト", "ソ\\ト", "", "ポ|ポ&(x)\"q\"", "example.com",
             "board", 1, 0);
        post(*l, 2037, 12, 31, 22, "ABC", "abc", "ABC", "ＡＢＣabc", "machi.to", "tokyo", 100,
             PostRecord::kKnownBbs);
        return l;
    }();
    return *log;
}

std::vector<bool> matches(const FilterNode& f) {
    std::vector<bool> m;
    for (const PostRecord* p : fixedLog().posts) m.push_back(f.Matches(*p));
    return m;
}

void checkSelection(const std::string& text, const FilterNode& filter) {
    const std::vector<bool> first = matches(filter);
    FUZZ_CHECK(matches(filter) == first);
    PostList selected;
    const std::size_t n = selectPosts(selected, fixedLog().posts, filter);
    FUZZ_CHECK(n == selected.size());
    FUZZ_CHECK(static_cast<std::size_t>(std::count(first.begin(), first.end(), true)) == n);

    // Far from the nesting and depth limits, wrapping can't make a valid text invalid.
    if (text.size() < 500) {
        std::string again;
        FilterPtr negated = compileFilterQuietly("!(" + text + ")", &again);
        FUZZ_CHECK(negated != nullptr);
        const std::vector<bool> other = matches(*negated);
        for (std::size_t i = 0; i < first.size(); ++i) FUZZ_CHECK(other[i] != first[i]);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::initialise();
    fixedLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(fuzz::asText(data, size));
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));

    std::string message;
    FilterPtr filter = compileFilterQuietly(text, &message);
    FUZZ_CHECK((filter != nullptr) == message.empty());
    if (!filter) return 0;

    // A regular expression may give up on a post (its search budget); then the selection
    // stops with a message, which is a fine answer too.
    try {
        checkSelection(text, *filter);
    } catch (const RegexSearchError&) {
    }
    return 0;
}
