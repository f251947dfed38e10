#pragma once
// A fixed byte string searched for in Shift_JIS texts: the skip table is built once, so each
// search is one pass over the text. Only an occurrence that starts a character counts, never
// one that begins at a double-byte character's second byte.
#include <functional>
#include <string>
#include <string_view>

namespace lorvanel {

class BytePattern {
public:
    explicit BytePattern(std::string pattern);
    // The searcher refers into the pattern's bytes, so the object stays where it was built.
    BytePattern(const BytePattern&) = delete;
    BytePattern& operator=(const BytePattern&) = delete;

    const std::string& text() const { return pattern_; }
    bool empty() const { return pattern_.empty(); }

    // Whether the pattern occurs in text at a character's start; an empty pattern occurs in
    // every text.
    bool foundIn(std::string_view text) const;

private:
    std::string pattern_;
    std::boyer_moore_horspool_searcher<const char*> searcher_;
};

} // namespace lorvanel
