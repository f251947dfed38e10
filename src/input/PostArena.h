#pragma once
// Owns the records of one post log; addresses stay stable while records are added.
#include "input/PostRecord.h"

#include <deque>

namespace lorvanel {

class PostArena {
public:
    PostRecord* create() { return &records_.emplace_back(); }
    // Gives back a rejected record; the newest one's slot is reused.
    void recycle(PostRecord* r) {
        if (!records_.empty() && &records_.back() == r) records_.pop_back();
    }
    void clear() { std::deque<PostRecord>().swap(records_); }
    std::size_t size() const { return records_.size(); }

private:
    std::deque<PostRecord> records_;
};

} // namespace lorvanel
