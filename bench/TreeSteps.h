#pragma once
// The filter tree's steps on a loaded log: rebuilding it, expanding its branches, and a
// click on an item carried through to the document.
#include "Steps.h"

#include <string>
#include <vector>

namespace lorvanel::bench {

// Appends the tree's steps over the log file at path, which they load into a document of
// their own.
void appendTreeSteps(std::vector<Step>& steps, const std::string& path);

} // namespace lorvanel::bench
