#include "input/PostLog.h"

#include "input/BoardDirectory.h"
#include "platform/Cancellation.h"
#include "platform/LargeBuffer.h"

#include <unordered_set>

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

PostLog::~PostLog() {
    releaseForeignBoards();
}

void PostLog::noteForeignBoards() {
    releaseForeignBoards();
    std::unordered_set<const std::string*> seen;
    CancelPoll poll;
    for (const PostRecord* p : posts) {
        poll();
        if (p->knownBbs() || !p->dir || !*p->dir) continue;
        // The directory hands out one text per name, so the names compare by address.
        const std::string* name = &p->boardName();
        if (seen.insert(name).second) foreignBoards_.push_back(name);
    }
    for (const std::string* name : foreignBoards_) boardDirectory().retainForeignBoard(*name);
}

void PostLog::releaseForeignBoards() {
    for (const std::string* name : foreignBoards_) boardDirectory().releaseForeignBoard(*name);
    foreignBoards_.clear();
}

void PostLog::swap(PostLog& other) noexcept {
    using std::swap;
    swap(bytesRead, other.bytesRead);
    swap(fileSize, other.fileSize);
    posts.items().swap(other.posts.items());
    formatNames.swap(other.formatNames);
    sourcePaths.swap(other.sourcePaths);
    arena.swap(other.arena);
    foreignBoards_.swap(other.foreignBoards_);
    text_.swap(other.text_);
    swap(textCapacity_, other.textCapacity_);
    foldedText_.swap(other.foldedText_);
    kanaFoldedText_.swap(other.kanaFoldedText_);
}

void PostLog::clear() {
    releaseForeignBoards();
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
    // The file is read straight into it, every page at once. (The keyword search's folded
    // copies, written a post at a time, measured slower with large pages: they go without.)
    adviseLargeBuffer(text_.get(), n);
}

} // namespace lorvanel
