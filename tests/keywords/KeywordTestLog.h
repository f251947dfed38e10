#pragma once
// The keyword tests' posts: bodies and titles only, one post a minute, in a log built in
// memory (support/MemoryLog.h) with the whole log as the selection.
#include "input/PostList.h"
#include "input/PostLog.h"
#include "support/MemoryLog.h"

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
    // bytes leave them.
    explicit KeywordTestLog(const std::vector<KeywordPost>& posts, std::size_t extraBytes = 0) {
        std::vector<TestPost> built;
        Time32 t = 1200000000; // 2008-01-11 06:20 in Tokyo
        for (const KeywordPost& p : posts) {
            TestPost post;
            post.time = t;
            t += 60;
            post.title = p.title;
            post.body = p.body;
            built.push_back(post);
        }
        LoadFacts facts;
        facts.leadingNulBytes = extraBytes;
        fillPostLog(log, built, facts);
        for (PostRecord* r : log.posts) selection.pushBack(r);
    }

    PostLog log;
    PostList selection; // the whole log
};

} // namespace lorvanel::testing
