#pragma once
// Conversion between the core's CP932 texts and UTF-8 (the terminal, JSON, the GUI).
#include <string>
#include <string_view>

namespace lorvanel {

// Undecodable bytes (a lone or broken double-byte character, an unassigned code) each
// become U+FFFD; a lead byte followed by a valid trail byte of an unassigned code is one
// U+FFFD for both bytes.
std::string cp932ToUtf8(std::string_view cp932);
void appendCp932AsUtf8(std::string& out, std::string_view cp932);

// False (and out unspecified) when the text is not valid UTF-8 or holds a character that
// CP932 has no code for.
bool utf8ToCp932(std::string_view utf8, std::string& out);

} // namespace lorvanel
