#include "report/ReportHeadings.h"

#include "platform/TextLines.h"

namespace lorvanel {

std::vector<ReportHeading> reportHeadings(std::string_view text) {
    std::vector<ReportHeading> headings;
    headings.push_back({0, "Top"});
    TextLines lines(text);
    int line = 0;
    for (std::string_view body; lines.next(body); ++line) {
        if (body.starts_with("★")) headings.push_back({line, std::string(body)});
    }
    return headings;
}

} // namespace lorvanel
