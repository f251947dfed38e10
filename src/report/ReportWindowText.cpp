#include "report/ReportWindowText.h"

#include "report/WriteReport.h"

namespace lorvanel {

std::string reportWindowText(std::string_view reportText, std::string_view analysisLogText) {
    std::string s;
    s.reserve(reportText.size() + analysisLogText.size() + 64);
    s += reportText;
    s += kSectionRule;
    s += "★解析ログ\r\n";
    s += analysisLogText;
    return s;
}

} // namespace lorvanel
