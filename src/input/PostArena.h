#pragma once
// Owns the records of one post log; addresses stay stable while records are added.
#include "input/PostRecord.h"

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

namespace lorvanel {

class PostArena {
public:
    PostArena() = default;
    PostArena(const PostArena&) = delete;
    PostArena& operator=(const PostArena&) = delete;
    ~PostArena() { clear(); }

    PostRecord* create() {
        if (size_ == chunks_.size() * kChunk)
            chunks_.push_back(std::make_unique_for_overwrite<Slot[]>(kChunk));
        Slot& slot = chunks_[size_ / kChunk][size_ % kChunk];
        ++size_;
        return ::new (static_cast<void*>(slot.bytes)) PostRecord();
    }
    // Gives back a rejected record; the newest one's slot is reused.
    void recycle(PostRecord* r) {
        if (size_ > 0 && at(size_ - 1) == r) {
            r->~PostRecord();
            --size_;
        }
    }
    void clear() {
        while (size_ > 0) at(--size_)->~PostRecord();
        std::vector<std::unique_ptr<Slot[]>>().swap(chunks_);
    }
    std::size_t size() const { return size_; }

private:
    // Records live in large chunks of raw slots, one allocation for thousands of records:
    // a large log holds a million of them, and the walks of the statistics and filters run
    // over them in order (or, for a newest-first log, in reverse order), which the processor
    // follows best through contiguous memory.
    static constexpr std::size_t kChunk = 4096;
    struct Slot {
        alignas(PostRecord) unsigned char bytes[sizeof(PostRecord)];
    };
    PostRecord* at(std::size_t i) const {
        return std::launder(reinterpret_cast<PostRecord*>(chunks_[i / kChunk][i % kChunk].bytes));
    }

    std::vector<std::unique_ptr<Slot[]>> chunks_;
    std::size_t size_ = 0;
};

} // namespace lorvanel
