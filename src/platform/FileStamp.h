#pragma once
// What tells one state of a file from the next without reading it: identity, size and the
// time of its last change, so that a file read before can be known as unchanged.
#include <cstdint>
#include <string>

namespace lorvanel {

struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// False when the path has no status.
bool fileStamp(const std::string& path, FileStamp& stamp);

} // namespace lorvanel
