#pragma once
// Containment tests on Shift_JIS text that count an occurrence only where a character starts:
// "A" is not found in "ア" (0x83 0x41), nor "\" in "表" (0x95 0x5C). Walked from its start, a
// text is cut into characters so: a byte 0x81..0x9F or 0xE0..0xFC and the byte after it are
// one character, any other byte is one. The searches run the fast byte search first and look
// at a hit's boundary only afterwards; the check walks back from the hit over lead-range bytes
// only, never further than the last place known to start a character.
#include "platform/Mbcs.h"

#include <cstddef>
#include <cstring>
#include <string_view>

namespace lorvanel {

// Whether p starts a character, given that known (<= p) does. A byte outside the lead range
// always ends a character, so the character boundary nearest before p is just after the last
// such byte; from there the lead-range bytes pair up, and p starts a character when an even
// number of them stands before it.
inline bool startsCharacter(const char* known, const char* p) {
    const char* q = p;
    while (q > known && isLeadByte(static_cast<unsigned char>(q[-1]))) --q;
    return ((p - q) & 1) == 0;
}

// The first byte hit of a search that starts a character. find(from) gives the first byte
// occurrence at or after from, or nullptr; begin starts a character. A hit that does not is
// the second byte of the character before it, so the next one starts right after it.
template <class Find> const char* findStartingCharacter(const char* begin, Find&& find) {
    const char* known = begin;
    for (;;) {
        const char* hit = find(known);
        if (!hit || startsCharacter(known, hit)) return hit;
        known = hit + 1;
    }
}

// The first occurrence of needle in text that starts a character; nullptr when there is none.
// An empty needle is found at the start.
inline const char* findWholeChars(std::string_view text, std::string_view needle) {
    if (needle.empty()) return text.data();
    const char* const end = text.data() + text.size();
    return findStartingCharacter(text.data(), [&](const char* from) -> const char* {
        if (static_cast<std::size_t>(end - from) < needle.size()) return nullptr;
        return static_cast<const char*>(
            memmem(from, static_cast<std::size_t>(end - from), needle.data(), needle.size()));
    });
}

inline bool containsWholeChars(std::string_view text, std::string_view needle) {
    return findWholeChars(text, needle) != nullptr;
}

// The same for a NUL-terminated text (a record's field): strstr finds the hit in one pass,
// where taking the length first would take two. needle is NUL-terminated and not empty.
inline bool containsWholeChars(const char* text, const char* needle) {
    return findStartingCharacter(text, [&](const char* from) -> const char* {
               return std::strstr(from, needle);
           }) != nullptr;
}

} // namespace lorvanel
