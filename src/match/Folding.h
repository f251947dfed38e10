#pragma once
// The two normalisations of CP932 text that keyword matching compares in: width-and-case
// folding (full-width to half-width, then ASCII lower case) and kana folding (the same, with
// hiragana turned into katakana first). Neither ever makes a text longer.
#include <cstddef>
#include <string>
#include <string_view>

namespace lorvanel {

// Fold n bytes from in to out and return the bytes written (at most n). out may equal in;
// otherwise the ranges must not overlap. A lead byte without a valid trail byte is copied
// as it is.
std::size_t foldWidthAndCase(const char* in, std::size_t n, char* out);
std::size_t foldKana(const char* in, std::size_t n, char* out);

std::string foldWidthAndCase(std::string_view text);
std::string foldKana(std::string_view text);

} // namespace lorvanel
