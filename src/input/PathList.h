#pragma once
// Lists of source paths: each path once, compared without regard to letter case, and the
// joined form kept in the recent-files list (one path as is; several each in double quotes).
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

// ASCII letters compared without case; the trail bytes of Shift_JIS characters exactly.
bool samePathIgnoringCase(std::string_view a, std::string_view b);
bool containsPath(const std::vector<std::string>& paths, std::string_view path);

// Adds a path string: one starting with '"' is split into its quoted paths. Each path is
// added only when not yet present.
void addPathString(std::vector<std::string>& paths, std::string_view text);

std::string joinPaths(const std::vector<std::string>& paths);

} // namespace lorvanel
