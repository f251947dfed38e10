#include "keywords/KeywordTrie.h"

#include "platform/Mbcs.h"

#include <algorithm>
#include <numeric>

namespace lorvanel {

KeywordTrie::KeywordTrie(const std::vector<std::string_view>& patterns) {
    std::vector<std::uint32_t> order(patterns.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(),
              [&](std::uint32_t a, std::uint32_t b) { return patterns[a] < patterns[b]; });
    // Equal patterns are one distinct pattern.
    patternMatch_.assign(patterns.size(), 0);
    std::vector<std::string_view> unique;
    for (std::uint32_t i : order) {
        if (unique.empty() || unique.back() != patterns[i]) unique.push_back(patterns[i]);
        patternMatch_[i] = static_cast<std::uint32_t>(unique.size() - 1);
    }
    distinct_ = unique.size();

    // Built breadth first from the sorted patterns: a node stands for the patterns of a range
    // that share its first `depth` bytes, and its children for the runs of equal next bytes.
    struct Pending {
        std::uint32_t node;
        std::size_t begin, end, depth;
    };
    nodes_.emplace_back();
    std::vector<Pending> queue{{0, 0, unique.size(), 0}};
    for (std::size_t q = 0; q < queue.size(); ++q) {
        const Pending at = queue[q];
        std::size_t i = at.begin;
        // Sorted first: the pattern that ends at this node.
        if (i < at.end && unique[i].size() == at.depth)
            nodes_[at.node].match = static_cast<std::int32_t>(i++);
        nodes_[at.node].firstEdge = static_cast<std::uint32_t>(edgeBytes_.size());
        while (i < at.end) {
            const unsigned char byte = static_cast<unsigned char>(unique[i][at.depth]);
            std::size_t j = i + 1;
            while (j < at.end && static_cast<unsigned char>(unique[j][at.depth]) == byte) ++j;
            const auto next = static_cast<std::uint32_t>(nodes_.size());
            nodes_.emplace_back();
            edgeBytes_.push_back(byte);
            edgeTargets_.push_back(next);
            ++nodes_[at.node].edges;
            if (at.node == 0) rootNext_[byte] = next;
            queue.push_back({next, i, j, at.depth + 1});
            i = j;
        }
    }
}

KeywordTrie::Tally KeywordTrie::makeTally() const {
    Tally t;
    t.lastText_.assign(distinct_, 0);
    t.texts_.assign(distinct_, 0);
    return t;
}

void KeywordTrie::Tally::add(const Tally& other) {
    for (std::size_t i = 0; i < texts_.size(); ++i) texts_[i] += other.texts_[i];
}

std::uint32_t KeywordTrie::child(std::uint32_t node, unsigned char byte) const {
    const Node& n = nodes_[node];
    const unsigned char* first = edgeBytes_.data() + n.firstEdge;
    const unsigned char* last = first + n.edges;
    const unsigned char* at =
        n.edges <= 8 ? std::find(first, last, byte) : std::lower_bound(first, last, byte);
    if (at == last || *at != byte) return 0;
    return edgeTargets_[static_cast<std::size_t>(at - edgeBytes_.data())];
}

void KeywordTrie::count(std::string_view text, Tally& tally) const {
    const std::uint32_t number = ++tally.text_;
    auto found = [&](std::int32_t match) {
        if (tally.lastText_[match] == number) return;
        tally.lastText_[match] = number;
        ++tally.texts_[match];
    };
    if (nodes_[0].match >= 0) found(nodes_[0].match);
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = t[i];
        std::uint32_t node = rootNext_[c];
        for (std::size_t j = i + 1; node;) {
            if (nodes_[node].match >= 0) found(nodes_[node].match);
            if (j == n) break;
            node = child(node, t[j++]);
        }
        i += isLeadByte(c) && i + 1 < n ? 2 : 1;
    }
}

} // namespace lorvanel
