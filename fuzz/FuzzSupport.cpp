#include "FuzzSupport.h"

#include "input/AnalysisLog.h"
#include "input/BoardDirectory.h"
#include "input/DomainConstants.h"
#include "input/PostList.h"
#include "input/PostLog.h"
#include "platform/Alert.h"
#include "platform/LocalTime.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace lorvanel::fuzz {

namespace {

class SilentAlertSink : public AlertSink {
public:
    void alert(std::string_view) override {}
};

// Texts that a record may point at outside the buffer: the constants readers put there and
// the directories of the board list, which lasts as long as the program.
bool isConstantText(const char* p) {
    if (*p == '\0' || p == kMainBbsDomain || std::strcmp(p, kMainBbsDomain) == 0) return true;
    const auto& boards = boardDirectory().boards();
    const auto it = boards.find(std::string_view(p));
    return it != boards.end() && it->first.c_str() == p;
}

void checkText(const PostLog& log, const char* p, const char* field) {
    if (!p) {
        std::fprintf(stderr, "record field %s is null\n", field);
        std::abort();
    }
    if (log.inText(p)) {
        const char* end = log.textData() + log.textCapacity();
        if (!std::memchr(p, '\0', static_cast<std::size_t>(end - p))) {
            std::fprintf(stderr, "record field %s runs past the buffer\n", field);
            std::abort();
        }
        return;
    }
    // Texts a reader converted live in buffers of the arena.
    if (const char* end = log.arena.textEndFor(p)) {
        if (!std::memchr(p, '\0', static_cast<std::size_t>(end - p))) {
            std::fprintf(stderr, "record field %s runs past its converted buffer\n", field);
            std::abort();
        }
        return;
    }
    if (!isConstantText(p)) {
        std::fprintf(stderr, "record field %s points outside the buffer\n", field);
        std::abort();
    }
}

void checkCut(const PostLog& log, const char* p, const char* field) {
    if (p && !log.inText(p) && !log.arena.textEndFor(p)) {
        std::fprintf(stderr, "record position %s lies outside the buffer\n", field);
        std::abort();
    }
}

} // namespace

void initialise() {
    setenv("TZ", "Asia/Tokyo", 1);
    resetLocalTimeCache();
    boardDirectory().loadBoardList();
    static SilentAlertSink sink;
    setAlertSink(&sink);
}

void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}

void checkPostOrder(const PostList& posts) {
    for (std::size_t i = 0; i < posts.size(); ++i) {
        const PostRecord& r = *posts[i];
        FUZZ_CHECK(r.seq == static_cast<std::int32_t>(i + 1));
        FUZZ_CHECK(r.lineCount >= 0 && r.lineCount <= 100);
        if (i > 0) FUZZ_CHECK(posts[i - 1]->time < r.time);
    }
}

void checkReaderPosts(const PostList& posts) {
    checkPostOrder(posts);
    static const Time32 fallback = fromLocalTime(1971, 1, 1, 0, 0, 0);
    for (const PostRecord* r : posts) {
        FUZZ_CHECK(!(r->flags & PostRecord::kBadTime));
        FUZZ_CHECK(r->time != fallback);
    }
}

void checkPostTexts(const PostLog& log) {
    for (const PostRecord* r : log.posts) {
        checkText(log, r->url, "url");
        checkText(log, r->title, "title");
        checkText(log, r->name, "name");
        checkText(log, r->mail, "mail");
        checkText(log, r->body, "body");
        checkText(log, r->dir, "dir");
        checkText(log, r->server, "server");
        checkCut(log, r->urlEnd(), "urlEnd");
        checkCut(log, r->dirCut(), "dirCut");
        checkCut(log, r->hostCut(), "hostCut");
        // Rebuilding the URL line reads between the cuts: it must stay in the buffer.
        (void)r->urlText();
    }
}

void checkAnalysisLog() {
    const AnalysisLog& a = analysisLog();
    FUZZ_CHECK(a.entryCount() <= AnalysisLog::kMaxEntries);
    for (const std::string& e : a.entries()) FUZZ_CHECK(e.size() <= AnalysisLog::kMaxEntryBytes);
}

} // namespace lorvanel::fuzz
