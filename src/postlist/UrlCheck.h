#pragma once
// Whether a post's URL text may be copied or handed to a browser.
#include <string_view>

namespace lorvanel {

// True when the text starts with one or more ASCII letters, "://" and at least one URL
// character (an ASCII letter or digit or one of "/-+.$,;:&=?!*~@#_()%"). Only this prefix is
// tested; whatever follows is the caller's to use as it stands.
bool isUsableUrl(std::string_view url);

} // namespace lorvanel
