#pragma once
// "-" as a log file: standard input, which may be a pipe. The loader reads regular files only
// (it seeks to the newest bytes and sizes its buffer first), so the input is copied once into
// a temporary file. The file is unlinked at once and read through /proc/self/fd, so that
// nothing is left behind even when a closed pipe ends the program.
#include <string>

namespace lorvanel::cli {

// The path of the copy of standard input ("/proc/self/fd/N"), made at the first call. Throws
// CommandFailed
// ("-: reason") when it can't be read or copied.
std::string standardInputCopy();

} // namespace lorvanel::cli
