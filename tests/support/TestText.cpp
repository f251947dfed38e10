#include "support/TestText.h"

#include "platform/Encoding.h"

namespace lorvanel::testing {

std::string utf8(std::string_view cp932) {
    return cp932ToUtf8(cp932);
}

std::string cp932(std::string_view utf8) {
    std::string out;
    utf8ToCp932(utf8, out);
    return out;
}

std::unique_ptr<char[]> terminatedCopy(std::string_view text) {
    auto buffer = std::make_unique<char[]>(text.size() + 1);
    text.copy(buffer.get(), text.size());
    buffer[text.size()] = '\0';
    return buffer;
}

} // namespace lorvanel::testing
