#include "input/DirectoryRules.h"

#include "input/ShortSearch.h"

#include <cstring>
#include <string_view>

namespace lorvanel {

namespace {

// Where the URL's host ends (its "/" or the URL's end), or nullptr when the URL names a host
// other than the rental BBS whose boards are numbered within a category ("jbbs" of したらば,
// formerly of livedoor).
char* rentalBbsHostEnd(char* url) {
    char* host = findInShort(url, "//");
    if (!host) return nullptr;
    host += 2;
    char* end = findInShort(host, '/');
    if (!end) end = host + std::strlen(host);
    const std::string_view name(host, static_cast<std::size_t>(end - host));
    if (name == "jbbs.shitaraba.net" || name == "jbbs.livedoor.jp" || name == "jbbs.shitaraba.com")
        return end;
    return nullptr;
}

// The rental BBS's directory "CATEGORY/NUMBER": the two components after ".cgi/".
DirectoryMatch rentalThreadDirectory(char* url) {
    char* cgi = findInShort(url, ".cgi/");
    if (!cgi) return {};
    char* dir = cgi + 5;
    char* first = findInShort(dir, '/');
    if (!first || first == dir) return {};
    char* second = findInShort(first + 1, '/');
    if (!second || second == first + 1) return {};
    return {dir, second};
}

// The same from a board URL: the two components before its last "/", both in the path.
DirectoryMatch rentalBoardDirectory(char* url, const char* hostEnd) {
    char* point = std::strrchr(url, '/');
    if (!point || point <= hostEnd) return {};
    while (point > hostEnd && point[-1] == '/') --point;
    char* slashes[2] = {nullptr, nullptr};
    int found = 0;
    for (char* p = point; p > hostEnd && found < 2;)
        if (*--p == '/') slashes[found++] = p;
    if (found < 2 || slashes[0] == slashes[1] + 1 || point == slashes[0] + 1) return {};
    return {slashes[1] + 1, point};
}

} // namespace

DirectoryMatch threadUrlDirectory(char* url) {
    if (rentalBbsHostEnd(url))
        if (const DirectoryMatch m = rentalThreadDirectory(url); m.dir) return m;
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
    if (const char* hostEnd = rentalBbsHostEnd(url))
        if (const DirectoryMatch m = rentalBoardDirectory(url, hostEnd); m.dir) return m;
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
