#pragma once
// The board and thread title of every post of a loaded log as numbers, recorded by the
// statistics walk over the whole log. The statistics of a selection of that log then count
// numbers instead of fetching and hashing each post's texts, which lie scattered over the
// whole log buffer. The titles point into the log's text: the keys are cleared before the
// log that they were recorded for changes or goes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

struct TextKeys {
    struct Key {
        // Below dirs.size(): the directory dirs[board] of the known BBS family; else the
        // display name names[board - dirs.size()] of a board elsewhere.
        std::uint32_t board = 0;
        std::uint32_t title = 0; // titles[title], when titles were recorded
    };

    std::vector<Key> ofPost; // by seq - 1
    std::vector<std::string> dirs;
    std::vector<std::string> names;
    std::vector<std::string_view> titles; // into the log's text
    bool hasTitles = false;

    bool empty() const { return ofPost.empty(); }
    void clear() { *this = TextKeys(); }
};

} // namespace lorvanel
