#include "stats/BoardRanking.h"

#include "input/BoardDirectory.h"

#include <algorithm>

namespace lorvanel {

void rankBoardTable(std::vector<TextCount>& table) {
    std::sort(table.begin(), table.end(), [](const TextCount& a, const TextCount& b) {
        return boardRanksBefore(static_cast<std::size_t>(a.count), a.text,
                                static_cast<std::size_t>(b.count), b.text);
    });
}

BoardRanking::BoardRanking(const PostList& posts) {
    for (const PostRecord* p : posts) add(*p);
    rank();
}

std::uint32_t BoardRanking::add(const PostRecord& post) {
    const std::uint32_t group = groupOf(post);
    ++groups_[group].count;
    return group;
}

std::uint32_t BoardRanking::groupOf(const PostRecord& post) {
    const std::size_t slot = std::size_t{post.boardNameNumber()} * 2 + (post.knownBbs() ? 1 : 0);
    if (slot >= groupOfName_.size()) groupOfName_.resize(slot + 1, kNoGroup);
    std::uint32_t& group = groupOfName_[slot];
    if (group == kNoGroup) group = findGroup(post);
    return group;
}

std::uint32_t BoardRanking::findGroup(const PostRecord& post) {
    const auto next = static_cast<std::uint32_t>(groups_.size());
    if (post.knownBbs()) {
        const std::string_view dir = post.dir ? std::string_view(post.dir) : std::string_view();
        const auto [it, added] = byDir_.try_emplace(dir, next);
        // The statistics name a directory's row by the board directory's name for it.
        if (added) groups_.push_back({boardDirectory().knownBoardName(dir)});
        return it->second;
    }
    const std::string* name = &post.boardName();
    const auto [it, added] = byName_.try_emplace(name, next);
    if (added) groups_.push_back({*name});
    return it->second;
}

void BoardRanking::rank() {
    std::vector<std::uint32_t> order(groups_.size());
    for (std::uint32_t g = 0; g < order.size(); ++g) order[g] = g;
    // Rows of equal count and name are alike, so their order does not matter.
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return boardRanksBefore(groups_[a].count, groups_[a].name, groups_[b].count,
                                groups_[b].name);
    });
    boards_.clear();
    boards_.reserve(order.size());
    for (std::size_t r = 0; r < order.size(); ++r) {
        Group& g = groups_[order[r]];
        g.rank = r;
        boards_.push_back({g.name, g.count});
    }
}

} // namespace lorvanel
