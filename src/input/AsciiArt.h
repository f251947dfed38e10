#pragma once
// The ASCII-art test of a post's body: the share of symbols among its Shift_JIS characters.
namespace lorvanel {

// Whether the NUL-terminated body is ASCII art: more than 65 % (as a single-precision value)
// of its characters are symbols (ASCII punctuation and white space, double-byte punctuation
// and spaces, 0x8141..0x81FC and 0x849F..0x84BE). A lead byte right before the NUL counts
// as one plain character; an empty body is not ASCII art.
bool isAsciiArtText(const char* body);

// The same answer from the character walk alone, without the byte-count bound that settles
// most bodies first (the reference the quick path is checked against).
bool isAsciiArtTextByWalk(const char* body);

} // namespace lorvanel
