#pragma once
// Texts in tests. The core tests and this library are compiled with the CP932 flags, so a
// plain literal is CP932 bytes; the command-line program prints UTF-8 and the GUI tests'
// literals are UTF-8.
#include <memory>
#include <string>
#include <string_view>

// A UTF-8 literal as a std::string, whatever the execution character set.
#define U8(s) std::string(reinterpret_cast<const char*>(u8##s))

namespace lorvanel::testing {

// CP932 to UTF-8 and back; a text that can't be converted gives what the converter makes of
// it (tests compare the results).
std::string utf8(std::string_view cp932);
std::string cp932(std::string_view utf8);

// The text in a buffer of exactly its size plus a NUL, as the loader hands a reader its text.
std::unique_ptr<char[]> terminatedCopy(std::string_view text);

} // namespace lorvanel::testing
