#pragma once
// The texts a user edits (keyword files, the filter memo) in either encoding: CP932, as the
// program writes them, or UTF-8, as a Linux editor saves them.
#include <string>

namespace lorvanel {

// The text as CP932. UTF-8 is recognised by its byte-order mark, or by holding non-ASCII
// bytes that are all valid UTF-8 (a CP932 text of any length almost never is), and converted
// as JDim's text is: characters CP932 lacks become references "&#N;". Anything else is taken
// as CP932 and returned as it is.
std::string userTextAsCp932(std::string bytes);

} // namespace lorvanel
