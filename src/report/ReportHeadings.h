#pragma once
// The heading list of the report window: "Top" and every line of the window's text that
// starts with "★", each with the line it stands on.
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

struct ReportHeading {
    int line = 0;     // 0-based line of the text
    std::string text; // CP932, without the line end
};

// "Top" at line 0, then each line whose first two bytes are "★" (0x81 0x9A), in text order.
// A line ends at CR LF, a lone CR or a lone LF.
std::vector<ReportHeading> reportHeadings(std::string_view text);

} // namespace lorvanel
