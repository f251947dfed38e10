#include "filter/BytePattern.h"

#include "platform/WholeCharSearch.h"

namespace lorvanel {

BytePattern::BytePattern(std::string pattern)
    : pattern_(std::move(pattern)), searcher_(pattern_.data(), pattern_.data() + pattern_.size()) {}

bool BytePattern::foundIn(std::string_view text) const {
    if (pattern_.empty()) return true;
    if (pattern_.size() > text.size()) return false;
    const char* end = text.data() + text.size();
    return findStartingCharacter(text.data(), [&](const char* from) -> const char* {
               const char* hit = searcher_(from, end).first;
               return hit != end ? hit : nullptr;
           }) != nullptr;
}

} // namespace lorvanel
