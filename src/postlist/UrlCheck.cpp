#include "postlist/UrlCheck.h"

#include <cstring>

namespace lorvanel {

namespace {
bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isUrlChar(char c) {
    return isAsciiLetter(c) || (c >= '0' && c <= '9') ||
           (c != '\0' && std::strchr("/-+.$,;:&=?!*~@#_()%", c) != nullptr);
}
} // namespace

bool isUsableUrl(std::string_view url) {
    std::size_t i = 0;
    while (i < url.size() && isAsciiLetter(url[i])) ++i;
    if (i == 0 || url.substr(i, 3) != "://") return false;
    i += 3;
    return i < url.size() && isUrlChar(url[i]);
}

} // namespace lorvanel
