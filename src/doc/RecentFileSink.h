#pragma once
// Where a load puts its file set at the front of the recent-files list; the settings keep
// the list, the document only hands over the joined form of the loaded paths.
#include <string>

namespace lorvanel {

class RecentFileSink {
public:
    virtual ~RecentFileSink() = default;
    virtual void addRecentFile(const std::string& joinedPaths) = 0;
};

} // namespace lorvanel
