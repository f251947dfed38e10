#pragma once
// Path helpers: the folder part of a path, joining a directory and a name, and the
// directories where the program finds its own files.
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

// The folder part of a path: everything up to and including its last separator.
std::string directoryPart(std::string_view path);

// The directories (each ending in a separator) where the program's own files lie: beside
// the executable first, then the installed data directory.
void setProgramDirectories(std::vector<std::string> directories);
const std::vector<std::string>& programDirectories();
// The first existing file of that name in the program directories; the name itself when no
// directory has it.
std::string findProgramFile(std::string_view name);

// The path of a file in a directory, with exactly one separator between them.
std::string joinPath(std::string_view directory, std::string_view name);

} // namespace lorvanel
