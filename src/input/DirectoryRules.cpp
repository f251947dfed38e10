#include "input/DirectoryRules.h"

#include "input/ShortSearch.h"

#include <cstring>

namespace lorvanel {

DirectoryMatch threadUrlDirectory(char* url) {
    if (char* cgi = findInShort(url, ".cgi/")) {
        char* dir = cgi + 5;
        if (char* end = findInShort(dir, '/')) return {dir, end};
    }
    if (char* bbs = findInShort(url, "bbs=")) {
        char* dir = bbs + 4;
        if (char* end = findInShort(dir, '&')) return {dir, end};
    }
    return {};
}

DirectoryMatch boardUrlDirectory(char* url) {
    char* point = std::strrchr(url, '/');
    if (!point) return {};
    while (point > url && point[-1] == '/') --point;
    for (char* p = point; p > url;) {
        --p;
        if (*p == '/') return {p + 1, point};
    }
    return {};
}

} // namespace lorvanel
