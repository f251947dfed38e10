#pragma once
// The known name closest to a misspelt one, for "did you mean ...?" in usage errors.
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel::cli {

// The name of the list within a small edit distance of given (about a third of its length,
// at least 1, at most 3), the first of the nearest; empty when none is that close.
std::string nearestName(std::string_view given, const std::vector<std::string>& names);

// " (did you mean NAME?)" for the nearest name, or nothing.
std::string didYouMean(std::string_view given, const std::vector<std::string>& names);

} // namespace lorvanel::cli
