#pragma once
// The reader of the sectioned key=value log (format 4): one "[...]" section per post with
// its fields on fixed lines in a fixed order and the message percent-encoded on one line.
#include "input/LogReader.h"

namespace lorvanel {

class KeyValueReader : public LogReader {
public:
    bool parse(PostList& posts, PostArena& arena, char* text, std::size_t length) override;
    const char* formatName() const override;
};

// Decodes a percent-encoded message over itself: "%" and two characters become one byte
// (upper- or lower-case hexadecimal digits; any other character counts as its code minus
// 55). A "%" with fewer than two characters after it, or one that would decode to NUL (which
// would end the message early), is kept as written. Returns the decoded length; the result
// is NUL-terminated.
std::size_t decodePercentInPlace(char* text, std::size_t length);

} // namespace lorvanel
