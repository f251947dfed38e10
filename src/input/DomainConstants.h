#pragma once
// Host domains of the BBS family whose boards the program knows by name.
#include <string_view>

namespace lorvanel {

// The main BBS; also the text put into `server` where a log names the main BBS itself.
inline constexpr const char* kMainBbsDomain = "2ch.net";
// The main BBS's current domain: counts as the main BBS wherever the family is tested.
inline constexpr const char* kMainBbsCurrentDomain = "5ch.net";
// The sister adult BBS.
inline constexpr const char* kAdultBbsDomain = "bbspink.com";
// The regional BBS.
inline constexpr const char* kRegionalBbsDomain = "machi.to";

// Whether a host belongs to the family: it contains one of the domains above.
bool isKnownBbsHost(std::string_view server);

} // namespace lorvanel
