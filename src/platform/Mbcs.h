#pragma once
// Shift_JIS (code page 932) byte classes and the double-byte character classification that
// the ASCII-art test relies on.
#include <string_view>

namespace lorvanel {

inline constexpr bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
inline bool isTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}
inline bool isHalfWidthKana(unsigned char c) {
    return c >= 0xA1 && c <= 0xDF;
}

// Equal but for the case of ASCII letters. A double-byte character compares exactly: its
// trail byte may look like a letter ("\x83\x41" is not "\x83\x61").
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Double-byte space: only the ideographic space 0x8140.
bool isMbcSpace(unsigned code);

// Double-byte punctuation, after code page 932's character types: the symbols of row 1
// (0x8141..0x81FC: marks, brackets, arithmetic and other signs), the box-drawing pieces
// (0x849F..0x84BE), the NEC special characters of row 13 (0x8740..0x879C: circled numbers,
// Roman numerals, unit and era signs, mathematical signs) and the IBM extension symbols
// (0xEEEF..0xEEFC and 0xFA40..0xFA55: Roman numerals, not sign, broken bar, quotes).
// Kana, kanji, full-width letters and digits, Greek and Cyrillic are not punctuation.
bool isMbcPunct(unsigned code);

} // namespace lorvanel
