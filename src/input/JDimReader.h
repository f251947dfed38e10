#pragma once
// The reader of JDim's post log (format 9): one UTF-8 line per post, fields set apart by
// "<br>". Its texts are converted to CP932 into buffers that the post log's arena owns,
// since the converted text may be longer than the file's.
#include "input/LogReader.h"

namespace lorvanel {

class JDimReader : public LogReader {
public:
    bool parse(PostList& posts, PostArena& arena, char* text, std::size_t length) override;
    const char* formatName() const override;
};

} // namespace lorvanel
