#pragma once
// The text of the report window: the report, a section rule, "★解析ログ" and the analysis
// log, so that the log follows the report even when there is none.
#include <string>
#include <string_view>

namespace lorvanel {

std::string reportWindowText(std::string_view reportText, std::string_view analysisLogText);

} // namespace lorvanel
