#pragma once
// Owns the records of one post log (addresses stay stable while records are added) and the
// texts that readers convert rather than cut out of the log.
#include "input/PostRecord.h"

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
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
        std::vector<TextBuffer>().swap(texts_);
    }
    std::size_t size() const { return size_; }
    // Exchanges the records and texts of two arenas; none of them moves.
    void swap(PostArena& other) noexcept {
        chunks_.swap(other.chunks_);
        std::swap(size_, other.size_);
        texts_.swap(other.texts_);
    }

    // A buffer of n bytes for texts that a reader made rather than cut out of the log (a log
    // converted from another encoding); it lives as long as the records.
    char* allocateText(std::size_t n) {
        texts_.push_back({std::make_unique_for_overwrite<char[]>(n), n});
        return texts_.back().bytes.get();
    }
    // The end of the reader's buffer that holds p; null when p lies in none of them.
    const char* textEndFor(const char* p) const {
        for (const TextBuffer& t : texts_)
            if (p >= t.bytes.get() && p < t.bytes.get() + t.size) return t.bytes.get() + t.size;
        return nullptr;
    }

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
    struct TextBuffer {
        std::unique_ptr<char[]> bytes;
        std::size_t size;
    };
    std::vector<TextBuffer> texts_;
};

} // namespace lorvanel
