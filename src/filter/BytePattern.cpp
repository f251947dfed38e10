#include "filter/BytePattern.h"

namespace lorvanel {

BytePattern::BytePattern(std::string pattern)
    : pattern_(std::move(pattern)), searcher_(pattern_.data(), pattern_.data() + pattern_.size()) {}

bool BytePattern::foundIn(std::string_view text) const {
    if (pattern_.size() > text.size()) return false;
    const char* end = text.data() + text.size();
    return searcher_(text.data(), end).first != end || pattern_.empty();
}

} // namespace lorvanel
