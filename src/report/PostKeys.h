#pragma once
// What the statistics read of every post of a loaded log, kept as small numbers: its board
// and thread title, its local day and hour. They are recorded by the statistics walk over the
// whole log; the statistics of a selection of that log then count these numbers instead of
// fetching and hashing each post's texts, which lie scattered over the whole log buffer, and
// converting its time to local time again. The titles point into the log's text: the keys
// are cleared before the log that they were recorded for changes or goes. Like the whole
// log's statistics, they hold local times of the time zone the process had at the load.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

struct PostKeys {
    struct Key {
        std::int32_t dayNumber = 0; // local calendar days since 1970-01-01
        std::uint32_t title = 0;    // titles[title], when titles were recorded
        // Below dirs.size(): the directory dirs[board] of the known BBS family; else the
        // display name names[board - dirs.size()] of a board elsewhere.
        std::uint16_t board = 0;
        std::uint8_t hour = 0; // local hour, 0..23
    };
    // More boards than a key can number leave a log without keys.
    static constexpr std::size_t kMaxBoards = 65536;

    std::vector<Key> ofPost; // by seq - 1
    std::vector<std::string> dirs;
    std::vector<std::string> names;
    std::vector<std::string_view> titles; // into the log's text
    bool hasTitles = false;

    bool empty() const { return ofPost.empty(); }
    void clear() { *this = PostKeys(); }
};

} // namespace lorvanel
