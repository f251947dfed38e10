#pragma once
// Whether a post's URL text may be copied or handed to a browser.
#include <string>
#include <string_view>

namespace lorvanel {

// True when the text is a web address: "http://" or "https://" (letters in any case; also
// without the leading "h", as BBS users write links) followed by at least one URL character
// (an ASCII letter or digit or one of "/-+.$,;:&=?!*~@#_()%"). Only this prefix is tested;
// whatever follows is the caller's to use as it stands. Other schemes ("file://", "smb://",
// "ssh://") are refused: a crafted log must not hand them to the browser or the desktop.
bool isUsableUrl(std::string_view url);

// A usable URL as a browser takes it: "ttp://" and "ttps://" get their "h" back.
std::string browserUrl(std::string_view usableUrl);

} // namespace lorvanel
