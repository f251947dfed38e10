#pragma once
// A post log built in memory for keyword tests: titles and bodies are copied into the log's
// text buffer, where the readers would have left them, one post a minute.
#include "input/PostList.h"
#include "input/PostLog.h"

#include <cstring>
#include <string>
#include <vector>

namespace lorvanel::testing {

struct KeywordPost {
    std::string body;
    std::string title = "";
};

class KeywordTestLog {
public:
    // extraBytes: NUL bytes in front of the posts, as earlier files and their terminating NUL
    // bytes leave them; they are not counted in bytesRead, as the NUL bytes after each file
    // are not.
    explicit KeywordTestLog(const std::vector<KeywordPost>& posts, std::size_t extraBytes = 0) {
        std::size_t size = extraBytes;
        for (const KeywordPost& p : posts) size += p.title.size() + p.body.size() + 2;
        log.allocateText(size);
        char* w = log.textData();
        std::memset(w, 0, size);
        w += extraBytes;
        Time32 t = 1200000000; // 2008-01-11 06:20 in Tokyo
        for (const KeywordPost& p : posts) {
            PostRecord* r = log.arena.create();
            r->time = t;
            t += 60;
            r->server = "";
            r->lineCount = 1;
            r->title = w;
            w += p.title.copy(w, p.title.size()) + 1;
            r->body = w;
            w += p.body.copy(w, p.body.size()) + 1;
            addPost(log.posts, r, &log.arena, false);
        }
        log.bytesRead = size - extraBytes;
        log.fileSize = log.bytesRead;
        for (PostRecord* r : log.posts) selection.pushBack(r);
    }

    PostLog log;
    PostList selection; // the whole log
};

} // namespace lorvanel::testing
