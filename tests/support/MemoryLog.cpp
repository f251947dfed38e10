#include "support/MemoryLog.h"

#include "input/PostList.h"
#include "platform/LocalTime.h"

#include <cstring>

namespace lorvanel::testing {

TestPost::TestPost() : title("テストスレ") {}

Time32 at(int year, int month, int day, int hour, int minute, int second) {
    return fromLocalTime(year, month, day, hour, minute, second);
}

void fillPostLog(PostLog& log, const std::vector<TestPost>& posts, const LoadFacts& facts) {
    log.clear();
    std::size_t size = facts.leadingNulBytes + 1;
    for (const TestPost& p : posts) {
        size += p.title.size() + p.dir.size() + p.foreignServer.size() + 3;
        if (p.body) size += p.body->size() + 1;
    }
    log.allocateText(size);
    char* write = log.textData();
    std::memset(write, 0, facts.leadingNulBytes);
    write += facts.leadingNulBytes;
    auto place = [&](const std::string& s) {
        char* start = write;
        std::memcpy(write, s.c_str(), s.size() + 1);
        write += s.size() + 1;
        return start;
    };
    for (const TestPost& p : posts) {
        PostRecord* r = log.arena.create();
        r->time = p.time;
        r->title = place(p.title);
        r->dir = place(p.dir);
        r->server = place(p.foreignServer);
        if (p.body) r->body = place(*p.body);
        r->lineCount = p.lines;
        if (p.newThread) r->flags |= PostRecord::kNewThread;
        if (p.foreignServer.empty()) r->flags |= PostRecord::kKnownBbs;
        addPost(log.posts, r, &log.arena, false);
    }
    finishFilePosts(log.posts);
    *write = '\0';
    log.formatNames = facts.formatNames;
    log.sourcePaths = facts.sourcePaths;
    log.bytesRead = facts.bytesRead ? facts.bytesRead : size - facts.leadingNulBytes;
    log.fileSize = facts.fileSize ? facts.fileSize : log.bytesRead;
    // As a load does.
    log.noteForeignBoards();
}

std::vector<TestPost> postsAt(const std::vector<Time32>& times) {
    std::vector<TestPost> posts;
    for (Time32 t : times) {
        TestPost p;
        p.time = t;
        posts.push_back(p);
    }
    return posts;
}

} // namespace lorvanel::testing
