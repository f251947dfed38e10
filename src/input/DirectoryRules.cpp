#include "input/DirectoryRules.h"

#include <cstring>

namespace lorvanel {

DirectoryMatch threadUrlDirectory(char* url) {
    if (char* cgi = std::strstr(url, ".cgi/")) {
        char* dir = cgi + 5;
        if (char* end = std::strchr(dir, '/')) return {dir, end};
    }
    if (char* bbs = std::strstr(url, "bbs=")) {
        char* dir = bbs + 4;
        if (char* end = std::strchr(dir, '&')) return {dir, end};
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
