#pragma once
// "-" as a log file: standard input, which may be a pipe. The loader reads regular files only
// (it seeks to the newest bytes and sizes its buffer first), so the input is copied once into
// a temporary file that is removed when the program ends.
#include <string>

namespace lorvanel::cli {

// The path of the copy of standard input, made at the first call. Throws CommandFailed
// ("-: reason") when it can't be read or copied.
std::string standardInputCopy();

} // namespace lorvanel::cli
