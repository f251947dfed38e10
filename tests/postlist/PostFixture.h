#pragma once
// Posts made by hand for the post list's tests: their texts live in strings the fixture owns,
// as a log's records point into its buffer.
#include "input/PostList.h"
#include "platform/LocalTime.h"

#include <algorithm>
#include <deque>
#include <string>

namespace lorvanel::testing {

class PostFixture {
public:
    // A post of board "news" (ニュース速報). lineCount < 0: counted as the readers do, one
    // more than the body's CR bytes.
    PostRecord& add(std::string title, std::string name, std::string mail, std::string body,
                    int lineCount = -1) {
        PostRecord& r = records_.emplace_back();
        r.time = fromLocalTime(2008, 1, 2, 3, 4, 5) + static_cast<Time32>(records_.size()) * 60;
        r.title = keep(std::move(title));
        r.name = keep(std::move(name));
        r.mail = keep(std::move(mail));
        r.lineCount = lineCount >= 0
                          ? lineCount
                          : 1 + static_cast<int>(std::count(body.begin(), body.end(), '\r'));
        r.body = keep(std::move(body));
        r.server = "news.2ch.net";
        r.dir = "news";
        r.flags = PostRecord::kKnownBbs;
        r.seq = static_cast<int>(records_.size());
        list_.pushBack(&r);
        return r;
    }
    // A post with only a body.
    PostRecord& body(std::string text, int lineCount = -1) {
        return add("スレ", "名無し", "sage", std::move(text), lineCount);
    }

    const PostList& list() const { return list_; }

private:
    const char* keep(std::string s) { return texts_.emplace_back(std::move(s)).c_str(); }

    std::deque<std::string> texts_;
    std::deque<PostRecord> records_;
    PostList list_;
};

} // namespace lorvanel::testing
