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
bool equalsIgnoringCase(std::string_view a, std::string_view lower) {
    if (a.size() != lower.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((a[i] | 0x20) != lower[i]) return false;
    return true;
}
// The scheme was written without its "h".
bool missesH(std::string_view scheme) {
    return equalsIgnoringCase(scheme, "ttp") || equalsIgnoringCase(scheme, "ttps");
}
} // namespace

bool isUsableUrl(std::string_view url) {
    std::size_t i = 0;
    while (i < url.size() && isAsciiLetter(url[i])) ++i;
    if (i == 0 || url.substr(i, 3) != "://") return false;
    const std::string_view scheme = url.substr(0, i);
    if (!equalsIgnoringCase(scheme, "http") && !equalsIgnoringCase(scheme, "https") &&
        !missesH(scheme))
        return false;
    i += 3;
    return i < url.size() && isUrlChar(url[i]);
}

std::string browserUrl(std::string_view usableUrl) {
    const std::size_t colon = usableUrl.find(':');
    if (colon != std::string_view::npos && missesH(usableUrl.substr(0, colon)))
        return "h" + std::string(usableUrl);
    return std::string(usableUrl);
}

} // namespace lorvanel
