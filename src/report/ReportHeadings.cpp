#include "report/ReportHeadings.h"

namespace lorvanel {

std::vector<ReportHeading> reportHeadings(std::string_view text) {
    std::vector<ReportHeading> headings;
    headings.push_back({0, "Top"});
    int line = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view body = text.substr(pos, end - pos);
        if (body.size() >= 2 && body[0] == '\x81' && body[1] == '\x9A')
            headings.push_back({line, std::string(body)});
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
        ++line;
    }
    return headings;
}

} // namespace lorvanel
