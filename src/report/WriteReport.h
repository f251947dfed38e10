#pragma once
// The statistics report: the overall block "★総合結果" and the twelve sections, one text of
// CP932 with CR LF line ends.
#include "stats/PostStatistics.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lorvanel {

// The line that opens every section (44 hyphens and CR LF).
inline constexpr const char* kSectionRule = "--------------------------------------------\r\n";

// Writes the report of posts (the list the statistics were computed from) into text. The
// load facts describe the loaded files, also when posts is a filtered selection.
bool writeReport(std::string& text, const PostStatistics& stats, const PostList& posts,
                 const std::vector<std::string>& formatNames, std::uint64_t bytesRead,
                 std::uint64_t fileSize);

} // namespace lorvanel
