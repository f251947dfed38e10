#include "input/PostLog.h"

namespace lorvanel {

namespace {
std::unique_ptr<char[]> defaultAllocator(std::size_t n) {
    return std::make_unique_for_overwrite<char[]>(n);
}
TextAllocator currentAllocator = &defaultAllocator;
} // namespace

void setTextAllocator(TextAllocator allocator) {
    currentAllocator = allocator ? allocator : &defaultAllocator;
}

std::unique_ptr<char[]> allocateTextBuffer(std::size_t n) {
    return currentAllocator(n);
}

void PostLog::clear() {
    releasePosts(posts);
    arena.clear();
    text_.reset();
    textCapacity_ = 0;
    foldedText_.reset();
    kanaFoldedText_.reset();
    formatNames.clear();
    sourcePaths.clear();
    bytesRead = 0;
    fileSize = 0;
}

void PostLog::allocateText(std::size_t n) {
    text_.reset();
    textCapacity_ = 0;
    text_ = allocateTextBuffer(n);
    textCapacity_ = n;
}

} // namespace lorvanel
