#pragma once
// The plain entries of a keyword file, matched together in one walk over a text: a trie of
// their folded texts, entered at every character start of the text, so that a keyword file
// of any size costs about one pass over each body rather than one search per entry.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lorvanel {

class KeywordTrie {
public:
    // Patterns are numbered by their position; equal patterns share their matches, and an
    // empty one is found in every text.
    explicit KeywordTrie(const std::vector<std::string_view>& patterns);

    // Which patterns the texts counted so far held, each at most once per text. One tally
    // per walking thread; tallies of parts of a list add up with add().
    class Tally {
    public:
        void add(const Tally& other);

    private:
        friend class KeywordTrie;
        std::vector<std::uint32_t> lastText_; // per distinct pattern: text number last found in
        std::vector<std::int32_t> texts_;     // per distinct pattern: texts found in
        std::uint32_t text_ = 0;
    };
    Tally makeTally() const;

    // Counts the patterns found in text. An occurrence counts only where it starts on a
    // character boundary of text, walking it from its start as Shift_JIS: a lead byte and
    // the byte after it are one character, any other byte is one.
    void count(std::string_view text, Tally& tally) const;

    // How many of the counted texts held pattern i.
    std::int32_t textsWith(const Tally& tally, std::size_t i) const {
        return tally.texts_[patternMatch_[i]];
    }

private:
    std::uint32_t child(std::uint32_t node, unsigned char byte) const;

    struct Node {
        std::uint32_t firstEdge = 0;
        std::uint32_t edges = 0;
        std::int32_t match = -1; // the distinct pattern that ends here
    };
    std::vector<Node> nodes_; // nodes_[0] is the root
    // Each node's edges lie together, sorted by byte.
    std::vector<unsigned char> edgeBytes_;
    std::vector<std::uint32_t> edgeTargets_;
    std::uint32_t rootNext_[256] = {};        // the root's edges by byte (0: none)
    std::vector<std::uint32_t> patternMatch_; // per pattern: its distinct pattern
    std::size_t distinct_ = 0;
};

} // namespace lorvanel
