#pragma once
// Searches of the short NUL-terminated texts of one post (a URL, a host): a plain loop, as the
// library's vectorised searches spend longer getting ready than these texts take to scan.
#include <cstring>
#include <string_view>

namespace lorvanel {

// The first c in s, or nullptr.
inline char* findInShort(char* s, char c) {
    for (; *s; ++s)
        if (*s == c) return s;
    return nullptr;
}

// The first occurrence of needle (not empty) in s, or nullptr.
inline char* findInShort(char* s, std::string_view needle) {
    for (; *s; ++s)
        if (*s == needle[0] && std::strncmp(s + 1, needle.data() + 1, needle.size() - 1) == 0)
            return s;
    return nullptr;
}

} // namespace lorvanel
