#pragma once
// The parser interface: one reader object per file parsed.
#include <cstddef>

namespace lorvanel {

class PostArena;
class PostList;

class LogReader {
public:
    virtual ~LogReader() = default;
    // Cuts text[0, length) (text[length] is NUL) into posts in place, creating records in
    // arena and admitting them to posts with addPost. Success: at least one post admitted.
    virtual bool parse(PostList& posts, PostArena& arena, char* text, std::size_t length) = 0;
    // The display name of the format the reader ended up parsing.
    virtual const char* formatName() const = 0;
};

} // namespace lorvanel
