#pragma once
// The one board ranking: the statistics' board table and the boards the cumulative graph
// charts. Posts of the main BBS family count under their directory, all others under their
// display name; each group is a row named by its board name, more posts first, equal counts
// by name in byte order.
#include "input/PostList.h"
#include "stats/PostStatistics.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lorvanel {

// The ranking order of two rows. Rows of the same name and count are alike to every reader.
inline bool boardRanksBefore(std::size_t countA, std::string_view nameA, std::size_t countB,
                             std::string_view nameB) {
    return countA != countB ? countA > countB : nameA < nameB;
}

// Puts a board table in ranking order.
void rankBoardTable(std::vector<TextCount>& table);

struct BoardCount {
    std::string_view name; // board name (lives as long as the program)
    std::size_t count = 0;
};

// Counts the posts of a list by board as the statistics do and ranks the rows; each post's
// row can be asked afterwards through the group number that counting it gave.
class BoardRanking {
public:
    BoardRanking() = default;
    explicit BoardRanking(const PostList& posts);

    // Counts one post; returns the number of its group (numbered in the order first met).
    std::uint32_t add(const PostRecord& post);
    // Ranks what was counted; boards() and rankOfGroup() read the result.
    void rank();

    const std::vector<BoardCount>& boards() const { return boards_; }
    std::size_t groupCount() const { return groups_.size(); }
    // The row of a group after rank().
    std::size_t rankOfGroup(std::uint32_t group) const { return groups_[group].rank; }

private:
    struct Group {
        std::string_view name;
        std::size_t count = 0;
        std::size_t rank = 0;
    };
    static constexpr std::uint32_t kNoGroup = UINT32_MAX;
    std::uint32_t groupOf(const PostRecord& post);
    std::uint32_t findGroup(const PostRecord& post);

    std::vector<Group> groups_;
    // The group of each board name number and family flag, number * 2 + family. A family
    // post's name text stands for its directory alone (see BoardDirectory::boardDisplayName),
    // so a post's group is found without reading its texts, which lie scattered over the log
    // buffer; only the first post of each name and flag looks its group up by them.
    std::vector<std::uint32_t> groupOfName_;
    std::unordered_map<std::string_view, std::uint32_t> byDir_;    // into the posts' text
    std::unordered_map<const std::string*, std::uint32_t> byName_; // display names
    std::vector<BoardCount> boards_;
};

} // namespace lorvanel
