#pragma once
// A few byte strings searched for at once: whether a text contains any of them. Each
// literal is looked for by its rarest byte in Japanese Shift_JIS text (a lead byte such as
// 0x81 stands at every other punctuation mark, so "＞" is looked for by its 0x84), and up to
// four such bytes are compared sixteen bytes at a time in one pass over the text.
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

class LiteralSet {
public:
    LiteralSet() = default;
    // An empty literal is found in every text.
    explicit LiteralSet(std::vector<std::string> literals);

    // Whether the set holds no literal at all (then nothing is found).
    bool empty() const { return literals_.empty() && !everywhere_; }

    // Whether one of the literals occurs in text as a contiguous byte sequence (it may begin
    // at the second byte of a double-byte character). False for an empty set.
    bool foundIn(std::string_view text) const;

private:
    struct Literal {
        std::string bytes;
        std::size_t anchor = 0; // where in bytes the byte that the scan looks for stands
    };
    bool foundAt(const Literal& l, std::string_view text, std::size_t anchorAt) const;
    // The scan for K anchors.
    template <std::size_t K> bool scan(std::string_view text) const;

    std::vector<Literal> literals_;
    bool everywhere_ = false; // an empty literal was given
    // The distinct bytes the scan looks for, at most four; none when there are more, and then
    // each literal is searched for on its own.
    std::vector<unsigned char> anchors_;
};

} // namespace lorvanel
