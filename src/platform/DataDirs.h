#pragma once
// Where the program's own data (keyword files, FilterMemo.txt) lies, found at run time so that
// an installation works under any prefix and a build tree or a portable copy uses its own.
#include "platform/UserDirs.h"

#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

// The directories to look in, each ending in a separator, in this order: the executable's own
// directory (a build tree or a portable copy keeps its data beside the program), then
// <bin>/../share/lorvanel of an installation, then lorvanel/ in each directory of
// $XDG_DATA_DIRS (default /usr/local/share:/usr/share). Relative entries of $XDG_DATA_DIRS are
// ignored, as the XDG rules ask; a directory is listed once.
std::vector<std::string> programDataDirectories(std::string_view executableDirectory,
                                                const EnvironmentLookup& env = processEnvironment);

} // namespace lorvanel
