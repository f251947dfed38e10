#pragma once
// The JDim post log's figures: loading converts every line from UTF-8 while parsing, so it is
// measured against the read+memchr baseline of its own file.
#include "Figures.h"

#include <string>

namespace lorvanel::bench {

// Adds a section to figures: the best of `runs` loads of the log at path (target 3x the
// baseline) and the end-to-end report of lorvanel-cli on it.
void benchJDimLoad(Figures& figures, const std::string& path, const std::string& cli, int runs);

} // namespace lorvanel::bench
