#pragma once
// Cutting a text into lines, the one way every reader of this program does it: a line ends
// at CR LF, a lone CR or a lone LF; the last line needs no end, and a text that ends with a
// line end has no empty line after it.
#include <string_view>

namespace lorvanel {

class TextLines {
public:
    explicit TextLines(std::string_view text) : rest_(text) {}

    // The next line, without its end; false when the text is used up.
    bool next(std::string_view& line) {
        if (rest_.empty()) return false;
        std::size_t end = rest_.find_first_of("\r\n");
        if (end == std::string_view::npos) end = rest_.size();
        line = rest_.substr(0, end);
        if (end < rest_.size() && rest_[end] == '\r') ++end;
        if (end < rest_.size() && rest_[end] == '\n') ++end;
        rest_.remove_prefix(end);
        return true;
    }

private:
    std::string_view rest_;
};

} // namespace lorvanel
