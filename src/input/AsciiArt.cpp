// Most bodies are plainly not ASCII art. Counting bytes (which any processor does several at
// a time) bounds the share of symbols from above without walking the characters, whose widths
// depend on each other; only the bodies that the bound cannot settle are walked.
#include "input/AsciiArt.h"

#include "platform/Mbcs.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace lorvanel {

namespace {

bool isSingleByteSymbol(unsigned char c) {
    return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x7E) || c == ' ' || (c >= 0x09 && c <= 0x0D);
}

bool isDoubleByteSymbol(unsigned code) {
    return isMbcPunct(code) || isMbcSpace(code) || (code >= 0x8141 && code <= 0x81FC) ||
           (code >= 0x849F && code <= 0x84BE);
}

// Lead bytes 0x81..0x9F and 0xE0..0xFC are, with bit 5 flipped, the one range 0xA1..0xDC:
// on the walk's path from one character to the next, arithmetic is quicker than a table.
constexpr bool isLeadByteQuick(unsigned char c) {
    return static_cast<unsigned char>((c ^ 0x20) - 0xA1) < 0x3C;
}
constexpr bool quickLeadTestAgrees() {
    for (unsigned c = 0; c < 256; ++c)
        if (isLeadByteQuick(static_cast<unsigned char>(c)) !=
            isLeadByte(static_cast<unsigned char>(c)))
            return false;
    return true;
}
static_assert(quickLeadTestAgrees());

// The classification as tables, built once from the rules above.
struct SymbolTables {
    bool singleSymbol[256];
    std::uint64_t doubleSymbol[65536 / 64] = {}; // bit code: the double-byte character is a symbol
    // Per byte value, for the bound: 1 when a character starting with this byte can be a
    // symbol (a single-byte symbol, or a lead byte of some double-byte symbol), plus 1 << 16
    // when the byte is a lead byte. Counted over a body's bytes, the first are at least as
    // many as its symbols, the second at least as many as its double-byte characters.
    std::uint32_t boundWeight[256] = {};

    SymbolTables() {
        for (unsigned c = 0; c < 256; ++c) {
            singleSymbol[c] = isSingleByteSymbol(static_cast<unsigned char>(c));
            if (singleSymbol[c]) boundWeight[c] = 1;
            if (isLeadByte(static_cast<unsigned char>(c))) boundWeight[c] |= 1u << 16;
        }
        for (unsigned code = 0; code < 65536; ++code) {
            if (!isDoubleByteSymbol(code)) continue;
            doubleSymbol[code / 64] |= std::uint64_t{1} << (code % 64);
            if (isLeadByte(static_cast<unsigned char>(code >> 8))) boundWeight[code >> 8] |= 1;
        }
    }
    bool isDoubleSymbol(unsigned code) const {
        return (doubleSymbol[code / 64] >> (code % 64)) & 1;
    }
};

const SymbolTables& symbolTables() {
    static const SymbolTables tables;
    return tables;
}

// The threshold is the single-precision 0.65 (0.64999998), so exactly 65 % qualifies.
bool aboveThreshold(unsigned symbols, unsigned chars) {
    const double threshold = static_cast<double>(0.65f);
    return chars > 0 && static_cast<double>(symbols) / chars > threshold;
}

// Sixteen bytes at a time (the compiler's vector extension, which every target lowers to
// its own vector instructions or to plain code).
using Bytes16 = unsigned char __attribute__((vector_size(16)));
using Mask16 = signed char __attribute__((vector_size(16)));

// The bytes that may start a symbol: ASCII punctuation and white space (printable bytes that
// are neither digits nor letters, and the controls 0x09..0x0D), and the lead bytes of the
// double-byte symbols (0x81, 0x84, 0x87, 0xEE, 0xFA). Every such byte gets -1 in the mask.
Mask16 symbolStarts(Bytes16 v) {
    const Mask16 printable = (v - 0x20) <= 0x5E;
    const Mask16 digit = (v - 0x30) <= 9;
    const Mask16 letter = ((v | 0x20) - 0x61) <= 25;
    const Mask16 control = (v - 0x09) <= 4;
    const Mask16 symbolLead = (v == 0x81) | (v == 0x84) | (v == 0x87) | (v == 0xEE) | (v == 0xFA);
    return (printable & ~(digit | letter)) | control | symbolLead;
}

// The lead bytes 0x81..0x9F and 0xE0..0xFC (see isLeadByteQuick).
Mask16 leadBytes(Bytes16 v) {
    return ((v ^ 0x20) - 0xA1) <= 0x3B;
}

// Whether the two vector classifications above agree with the tables byte for byte: the
// bound below is only sound if they do. Checked once; the tables alone decide otherwise.
bool vectorClassesAgree(const SymbolTables& t) {
    for (unsigned base = 0; base < 256; base += 16) {
        Bytes16 v;
        for (unsigned i = 0; i < 16; ++i) v[i] = static_cast<unsigned char>(base + i);
        const Mask16 starts = symbolStarts(v), leads = leadBytes(v);
        for (unsigned i = 0; i < 16; ++i)
            if ((starts[i] != 0) != ((t.boundWeight[base + i] & 0xFFFF) != 0) ||
                (leads[i] != 0) != ((t.boundWeight[base + i] >> 16) != 0))
                return false;
    }
    return true;
}

// The sum of the sixteen lanes, folded in halves: bytes into 16-bit lanes, those into 32-bit
// and 64-bit ones.
std::size_t laneSum(Bytes16 v) {
    using U16 = std::uint16_t __attribute__((vector_size(16)));
    using U32 = std::uint32_t __attribute__((vector_size(16)));
    using U64 = std::uint64_t __attribute__((vector_size(16)));
    const U16 w = reinterpret_cast<U16>(v);
    const U32 d = reinterpret_cast<U32>((w & 0xFF) + (w >> 8));
    const U64 q = reinterpret_cast<U64>((d & 0xFFFF) + (d >> 16));
    const U64 sum = (q & 0xFFFFFFFF) + (q >> 32);
    return static_cast<std::size_t>(sum[0] + sum[1]);
}

Bytes16 load16(const unsigned char* p) {
    Bytes16 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// The last n % 16 bytes of p[0, n) in the high lanes of a vector, zeros below them (a zero
// byte counts as neither class).
Bytes16 loadTail(const unsigned char* p, std::size_t n) {
    const std::size_t rest = n % 16;
    if (n >= 16) {
        // The last whole 16 bytes, less those already counted.
        static const Bytes16 lane = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
        const Bytes16 keep =
            reinterpret_cast<Bytes16>(lane >= static_cast<unsigned char>(16 - rest));
        return load16(p + n - 16) & keep;
    }
    Bytes16 v = {};
    for (std::size_t i = 0; i < rest; ++i) v[16 - rest + i] = p[i];
    return v;
}

// The two counts of the bound over n bytes: bytes that may start a symbol, lead bytes.
void countBoundBytes(const unsigned char* p, std::size_t n, std::size_t& starts,
                     std::size_t& leads) {
    starts = leads = 0;
    Bytes16 startCount = {}, leadCount = {};
    auto add = [&](Bytes16 v) {
        startCount -= reinterpret_cast<Bytes16>(symbolStarts(v));
        leadCount -= reinterpret_cast<Bytes16>(leadBytes(v));
    };
    auto flush = [&] {
        starts += laneSum(startCount);
        leads += laneSum(leadCount);
        startCount = leadCount = Bytes16{};
    };
    std::size_t at = 0;
    int inLanes = 0;
    for (; at + 16 <= n; at += 16) {
        add(load16(p + at));
        // Byte lanes hold at most 255; they are added up before.
        if (++inLanes == 255) {
            flush();
            inLanes = 0;
        }
    }
    if (at < n) add(loadTail(p, n));
    flush();
}

// The same counts from the tables, where the vector classes would not be sound.
void countBoundBytesByTable(const unsigned char* p, std::size_t n, const SymbolTables& t,
                            std::size_t& starts, std::size_t& leads) {
    starts = leads = 0;
    for (std::size_t i = 0; i < n; ++i) {
        starts += t.boundWeight[p[i]] & 0xFFFF;
        leads += t.boundWeight[p[i]] >> 16;
    }
}

// Whether the body's symbols can't make the threshold whatever its characters turn out to
// be. With n bytes, at most min(leads, n / 2) of its characters are double-byte, so it has
// at least n minus that many characters, and at most `starts` of them are symbols. A share
// of 64 % or less at those bounds leaves the true share below the threshold.
bool plainlyNotArt(const unsigned char* p, std::size_t n, const SymbolTables& t) {
    static const bool vectorsSound = vectorClassesAgree(t);
    std::size_t starts = 0, leads = 0;
    if (vectorsSound)
        countBoundBytes(p, n, starts, leads);
    else
        countBoundBytesByTable(p, n, t, starts, leads);
    const std::size_t chars = n - std::min(leads, n / 2);
    return 25 * starts <= 16 * chars;
}

} // namespace

bool isAsciiArtTextByWalk(const char* body) {
    const SymbolTables& t = symbolTables();
    const auto* p = reinterpret_cast<const unsigned char*>(body);
    unsigned chars = 0, symbols = 0;
    // Without branches on the character's width: Japanese text mixes both widths too
    // irregularly for the processor to guess.
    while (const unsigned char c = *p) {
        ++chars;
        // A lead byte at the very end of the body counts as one plain character.
        const unsigned wide = isLeadByteQuick(c) & (p[1] != 0);
        const unsigned doubleSymbol = t.isDoubleSymbol(c * 256u + p[1]);
        symbols += wide ? doubleSymbol : t.singleSymbol[c];
        p += 1 + wide;
    }
    return aboveThreshold(symbols, chars);
}

bool isAsciiArtText(const char* body) {
    const SymbolTables& t = symbolTables();
    const std::size_t n = std::strlen(body);
    if (n == 0) return false;
    if (plainlyNotArt(reinterpret_cast<const unsigned char*>(body), n, t)) return false;
    return isAsciiArtTextByWalk(body);
}

} // namespace lorvanel
