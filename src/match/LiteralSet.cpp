#include "match/LiteralSet.h"

#include <algorithm>
#include <cstring>

namespace lorvanel {

namespace {

// How common a byte is in Japanese Shift_JIS posts, roughly: 0 for bytes that hardly ever
// occur, up to 9 for the lead bytes of punctuation, hiragana and katakana. Only the choice
// of the byte to look for depends on it, never an answer.
int commonness(unsigned char c) {
    if (c == 0x81 || c == 0x82 || c == 0x83) return 9;
    if ((c >= 0x88 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEA)) return 7;
    if (c == ' ' || c == '\r' || c == '\n') return 7;
    if (c >= 0xA1 && c <= 0xF1) return 6; // hiragana's second bytes and half-width katakana
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return 5;
    if (c >= 0x40 && c <= 0x7E) return 4; // second bytes of katakana and kanji, capitals
    if (c >= 0x21 && c <= 0x3F) return 3; // ASCII punctuation
    if ((c >= 0x84 && c <= 0x87) || (c >= 0xEB && c <= 0xFC)) return 2;
    return 1;
}

constexpr std::size_t kMaxAnchors = 4;

using Bytes16 = unsigned char __attribute__((vector_size(16)));
using Words2 = unsigned long long __attribute__((vector_size(16)));

} // namespace

LiteralSet::LiteralSet(std::vector<std::string> literals) {
    for (std::string& s : literals) {
        if (s.empty()) {
            everywhere_ = true;
            continue;
        }
        Literal l;
        for (std::size_t i = 1; i < s.size(); ++i)
            if (commonness(static_cast<unsigned char>(s[i])) <
                commonness(static_cast<unsigned char>(s[l.anchor])))
                l.anchor = i;
        l.bytes = std::move(s);
        const auto anchor = static_cast<unsigned char>(l.bytes[l.anchor]);
        if (std::find(anchors_.begin(), anchors_.end(), anchor) == anchors_.end())
            anchors_.push_back(anchor);
        literals_.push_back(std::move(l));
    }
    if (anchors_.size() > kMaxAnchors) anchors_.clear();
}

bool LiteralSet::foundAt(const Literal& l, std::string_view text, std::size_t anchorAt) const {
    if (anchorAt < l.anchor) return false;
    const std::size_t start = anchorAt - l.anchor;
    return start + l.bytes.size() <= text.size() &&
           std::memcmp(text.data() + start, l.bytes.data(), l.bytes.size()) == 0;
}

bool LiteralSet::foundIn(std::string_view text) const {
    if (everywhere_) return true;
    if (literals_.empty()) return false;
    if (anchors_.empty())
        return std::any_of(literals_.begin(), literals_.end(), [&](const Literal& l) {
            return text.find(l.bytes) != std::string_view::npos;
        });
    switch (anchors_.size()) {
    case 1:
        return scan<1>(text);
    case 2:
        return scan<2>(text);
    case 3:
        return scan<3>(text);
    default:
        return scan<4>(text);
    }
}

template <std::size_t K> bool LiteralSet::scan(std::string_view text) const {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    unsigned char a[K];
    for (std::size_t k = 0; k < K; ++k) a[k] = anchors_[k];
    auto isAnchor = [&](unsigned char c) {
        bool any = false;
        for (std::size_t k = 0; k < K; ++k) any |= c == a[k];
        return any;
    };
    auto check = [&](std::size_t at) {
        const auto c = static_cast<unsigned char>(p[at]);
        for (const Literal& l : literals_)
            if (static_cast<unsigned char>(l.bytes[l.anchor]) == c && foundAt(l, text, at))
                return true;
        return false;
    };
    // The anchors among the 16 bytes at p + at, from lane `from` on.
    auto scan16 = [&](std::size_t at, std::size_t from) {
        Bytes16 v;
        std::memcpy(&v, p + at, sizeof v);
        Bytes16 hit = reinterpret_cast<Bytes16>(v == a[0]);
        for (std::size_t k = 1; k < K; ++k) hit |= reinterpret_cast<Bytes16>(v == a[k]);
        const Words2 any = reinterpret_cast<Words2>(hit);
        if ((any[0] | any[1]) == 0) return false;
        for (std::size_t i = from; i < 16; ++i)
            if (hit[i] && check(at + i)) return true;
        return false;
    };
    if (n < 16) {
        for (std::size_t at = 0; at < n; ++at)
            if (isAnchor(p[at]) && check(at)) return true;
        return false;
    }
    std::size_t at = 0;
    for (; at + 16 <= n; at += 16)
        if (scan16(at, 0)) return true;
    // The last 16 bytes, of which those before `at` have been looked at.
    return at < n && scan16(n - 16, 16 - (n - at));
}

} // namespace lorvanel
