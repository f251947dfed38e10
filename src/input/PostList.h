#pragma once
// An ordered list of posts shared with the post log: the log's posts, the current selection
// and every filter result are PostLists over the same records, which the log owns.
#include "input/PostRecord.h"
#include "platform/Cancellation.h"

#include <cstddef>
#include <deque>
#include <unordered_set>

namespace lorvanel {

class PostArena;

class PostList {
public:
    using Items = std::deque<PostRecord*>;
    using const_iterator = Items::const_iterator;

    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    PostRecord* front() const { return items_.front(); }
    PostRecord* back() const { return items_.back(); }
    PostRecord* operator[](std::size_t i) const { return items_[i]; }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

    void pushBack(PostRecord* p) { items_.push_back(p); }
    void pushFront(PostRecord* p) { items_.push_front(p); }
    Items& items() { return items_; }
    const Items& items() const { return items_; }

    // Renumbers seq 1..n from the front.
    void renumber();
    // Empties the list and forgets how its posts were admitted.
    void clear();

private:
    friend bool addPost(PostList&, PostRecord*, PostArena*, bool);
    friend void finishFilePosts(PostList&);

    // Whether a post at t may join the posts admitted so far: false when one of them has the
    // same time. While the file comes in order this is one comparison with the neighbour;
    // after the first post out of order every admitted time is remembered.
    bool takesTime(Time32 t, bool atFront);

    Items items_;
    bool outOfOrder_ = false;
    bool newestFirst_ = false;
    std::unordered_set<Time32> admittedTimes_;
};

// Admits a parsed post of one file to the list after the per-post checks (a date text that
// was complained about, line count, a time equal to one admitted before) and derives
// `server` from the URL when the reader left it unset. Posts are put at the end, or at the
// front for newest-first logs, in the order they come; a file that turns out not to be in
// time order is sorted by finishFilePosts. A rejected record is handed back to releaseTo
// (when given) so that its slot can be reused. Returns whether the record was admitted.
bool addPost(PostList& list, PostRecord* record, PostArena* releaseTo, bool atFront);

// Ends the admission of one file's posts: sorts them by time when they came out of order and
// numbers seq 1..n in time order. A file that came in order (oldest first) is left as it is.
void finishFilePosts(PostList& list);

// Merges `added` (ascending by time) into `log`; a post of `added` whose time equals one
// already in `log` is dropped with a line in the analysis log. `added` ends empty and `log`
// is renumbered 1..n. Returns the size of `log`.
std::size_t mergePosts(PostList& log, PostList& added);

// Appends to dest, in source order, every post of src that pred.acceptPost accepts.
template <class Predicate>
std::size_t selectPosts(PostList& dest, const PostList& src, const Predicate& pred) {
    std::size_t n = 0;
    CancelPoll poll;
    for (PostRecord* p : src) {
        poll();
        if (pred.acceptPost(*p)) {
            dest.pushBack(p);
            ++n;
        }
    }
    return n;
}

// Drops every reference the list holds.
inline void releasePosts(PostList& list) {
    list.clear();
}

} // namespace lorvanel
