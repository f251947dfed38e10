#pragma once
// The --filter TEXT option of the commands that print a selection of the loaded posts.
#include <string>

namespace lorvanel::cli {

// The filter text of the command line (UTF-8) in CP932. A text that can't be converted, or
// that doesn't compile, is a usage error; the latter quotes the compiler's message.
std::string filterOptionValue(const std::string& utf8);

} // namespace lorvanel::cli
