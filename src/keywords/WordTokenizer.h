#pragma once
// Cutting a CP932 text into runs of characters of one class, the raw material of automatic
// keyword extraction. Texts are NUL-terminated.
#include <cstddef>

namespace lorvanel {

enum CharClass : int {
    kClassOther = 0,    // digits of the full-width row, punctuation, control, ...
    kClassSymbol = 1,   // the double-byte symbol row (includes ー and 々)
    kClassDigit = 2,    // ASCII digits
    kClassLatin = 3,    // ASCII and full-width letters
    kClassHiragana = 4, //
    kClassKatakana = 5, // full-width and half-width katakana
    kClassKanji = 6,    // JIS level-1 and level-2 kanji
    kClassEnd = 7,      // the terminating NUL
};

// The class of the character at p; length receives its bytes (0 at the end). A lead byte
// without a valid trail byte is a one-byte character of class kClassOther.
CharClass classifyChar(const char* p, std::size_t& length);

struct WordRun {
    CharClass charClass;
    std::size_t bytes;
    std::size_t chars;
};

// The longest run of characters of the class of the one at p; hiragana and katakana runs also
// continue through the double-byte prolonged sound mark. At the end: kClassEnd, 0 bytes.
WordRun nextRun(const char* p);

// Skips every URL (ASCII letters, "://", URL characters) that starts at p, one after another.
const char* skipUrls(const char* p);

} // namespace lorvanel
