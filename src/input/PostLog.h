#pragma once
// The loaded log: the text of every source file in one buffer, the time-ordered posts cut
// out of it, and the load facts that the report prints.
#include "input/PostArena.h"
#include "input/PostList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lorvanel {

class PostLog {
public:
    PostLog() = default;
    ~PostLog();
    PostLog(const PostLog&) = delete;
    PostLog& operator=(const PostLog&) = delete;

    // Exchanges the whole contents, records and buffers staying where they are: a log loaded
    // apart takes the place of the current one.
    void swap(PostLog& other) noexcept;

    // Releases the posts and frees every buffer, and gives back the board names noted for
    // them. Lists over the records must be released before, since the records' texts live in
    // `text`.
    void clear();

    // Notes the display names of the posts' boards outside the BBS family with the board
    // directory, which knows them to a filter's brd_ while this log holds them (until clear).
    // Loading calls it once the posts are in place; a second call notes the names afresh.
    void noteForeignBoards();

    // Allocates `text` of n bytes (contents unset); throws std::bad_alloc on failure.
    void allocateText(std::size_t n);
    char* textData() { return text_.get(); }
    const char* textData() const { return text_.get(); }
    std::size_t textCapacity() const { return textCapacity_; }
    bool hasText() const { return text_ != nullptr; }
    // Whether p points into the text buffer (the test of every record text).
    bool inText(const char* p) const {
        return text_ && p >= text_.get() && p < text_.get() + textCapacity_;
    }

    // Builds the folded body copies on first need; false when there is no text or the
    // buffers can't be allocated (reported through a message box and the analysis log).
    bool ensureFoldedBodies();
    bool hasFoldedBodies() const { return foldedText_ != nullptr; }
    // A post's body folded in width and case, and that folded in kana too (see
    // keywords/Folding.h); null until ensureFoldedBodies has built them.
    const char* foldedBody(const PostRecord& p) const {
        return p.foldedAt_ && foldedText_ ? foldedText_.get() + (p.foldedAt_ - 1) : nullptr;
    }
    const char* kanaFoldedBody(const PostRecord& p) const {
        return p.foldedAt_ && kanaFoldedText_ ? kanaFoldedText_.get() + (p.foldedAt_ - 1) : nullptr;
    }

    std::uint64_t bytesRead = 0;
    std::uint64_t fileSize = 0;
    PostList posts;
    std::vector<std::string> formatNames;
    std::vector<std::string> sourcePaths;
    PostArena arena;

private:
    void releaseForeignBoards();

    std::vector<const std::string*> foreignBoards_;
    std::unique_ptr<char[]> text_;
    std::size_t textCapacity_ = 0;
    std::unique_ptr<char[]> foldedText_;
    std::unique_ptr<char[]> kanaFoldedText_;
};

// Allocation of the log's buffers; tests replace it to inject a failure. Null restores the
// default. The function must return a buffer of n bytes or throw std::bad_alloc.
using TextAllocator = std::unique_ptr<char[]> (*)(std::size_t n);
void setTextAllocator(TextAllocator allocator);
std::unique_ptr<char[]> allocateTextBuffer(std::size_t n);

} // namespace lorvanel
