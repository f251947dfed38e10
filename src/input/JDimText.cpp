#include "input/JDimText.h"

#include "platform/Cp932Encoder.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace lorvanel {

namespace {

// Classes of the ASCII bytes: the characters over which the browser lets a URL run, and the
// bytes that need a closer look ("<" may open "<br>", "&" an entity, ":" a URL's "://", CR
// may stand before a "<br>").
enum : std::uint8_t { kUrlChar = 1, kSpecial = 2 };

constexpr std::array<std::uint8_t, 128> asciiClasses() {
    std::array<std::uint8_t, 128> t{};
    for (int c = '0'; c <= '9'; ++c) t[c] = kUrlChar;
    for (int c = 'A'; c <= 'Z'; ++c) t[c] = kUrlChar;
    for (int c = 'a'; c <= 'z'; ++c) t[c] = kUrlChar;
    for (const char c : std::string_view("!#$%'()*+,-./;=?@[]^_|~")) t[c] = kUrlChar;
    t['&'] = kUrlChar | kSpecial;
    t[':'] = kUrlChar | kSpecial;
    t['<'] = kSpecial;
    t['\r'] = kSpecial;
    return t;
}
constexpr std::array<std::uint8_t, 128> kAscii = asciiClasses();

// Whether none of the eight bytes of w has its high bit set or is one of the bytes that need
// a closer look ("<", "&", ":", CR): the usual test for a zero byte, once per such byte.
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighs = 0x8080808080808080ull;
constexpr bool hasByte(std::uint64_t w, unsigned char b) {
    const std::uint64_t x = w ^ (kOnes * b);
    return ((x - kOnes) & ~x & kHighs) != 0;
}
constexpr bool isPlainAscii(std::uint64_t w) {
    return !(w & kHighs) && !hasByte(w, '<') && !hasByte(w, '&') && !hasByte(w, ':') &&
           !hasByte(w, '\r');
}

std::uint32_t littleEndian(std::uint32_t w) {
    if constexpr (std::endian::native == std::endian::big) return __builtin_bswap32(w);
    return w;
}

bool startsWith(const char* p, const char* end, const char* s, std::size_t n) {
    return static_cast<std::size_t>(end - p) >= n && std::memcmp(p, s, n) == 0;
}

bool endsWith(const char* begin, const char* end, std::string_view s) {
    return static_cast<std::size_t>(end - begin) >= s.size() &&
           std::memcmp(end - s.size(), s.data(), s.size()) == 0;
}

// Whether the log's text before a "://" ends with one of the schemes the browser starts a URL at,
// wherever it stands: "http", "https", "ftp", "ttp", "ttps", "tp", "tps" and "sssp", before
// "://". Each ends in "tp", "tps" or "sssp"; any other "letters://" ("ws://", "git://",
// "hxxp://") is plain text, whose "&" the log escapes.
bool endsWithUrlScheme(const char* begin, const char* end) {
    return endsWith(begin, end, "tp") || endsWith(begin, end, "tps") ||
           endsWith(begin, end, "sssp");
}

// The character an entity at p stands for and the entity's length; 0 when none of the four.
struct Entity {
    char c = 0;
    std::size_t length = 0;
};
Entity entityAt(const char* p, const char* end) {
    if (startsWith(p, end, "&amp;", 5)) return {'&', 5};
    if (startsWith(p, end, "&lt;", 4)) return {'<', 4};
    if (startsWith(p, end, "&gt;", 4)) return {'>', 4};
    if (startsWith(p, end, "&quot;", 6)) return {'"', 6};
    return {};
}

char* putReference(char* out, std::uint32_t u) {
    char digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    *out++ = '&';
    *out++ = '#';
    while (n) *out++ = digits[--n];
    *out++ = ';';
    return out;
}

bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Decodes the character at p (a byte of 0x80 or more). Returns the code point and sets
// length; a malformed sequence gives 0 with length = the bytes of its longest valid start.
std::uint32_t decodeUtf8(const unsigned char* p, const unsigned char* end, std::size_t& length) {
    const unsigned c = p[0];
    const std::size_t avail = static_cast<std::size_t>(end - p);
    length = 1;
    if (c >= 0xC2 && c <= 0xDF) {
        if (avail < 2 || !isContinuation(p[1])) return 0;
        length = 2;
        return (c & 0x1F) << 6 | (p[1] & 0x3F);
    }
    if (c >= 0xE0 && c <= 0xEF) {
        const unsigned lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
        if (avail < 2 || p[1] < lo || p[1] > hi) return 0;
        if (avail < 3 || !isContinuation(p[2])) {
            length = 2;
            return 0;
        }
        length = 3;
        return (c & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F);
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const unsigned lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
        if (avail < 2 || p[1] < lo || p[1] > hi) return 0;
        if (avail < 3 || !isContinuation(p[2])) {
            length = 2;
            return 0;
        }
        if (avail < 4 || !isContinuation(p[3])) {
            length = 3;
            return 0;
        }
        length = 4;
        return (c & 0x07) << 18 | (p[1] & 0x3F) << 12 | (p[2] & 0x3F) << 6 | (p[3] & 0x3F);
    }
    return 0;
}

// Converts plain ASCII (no byte that needs a closer look) and the three-byte characters that
// CP932 writes in two bytes, and stops before anything else. Text mixes the two in short
// runs, so a step computes both outcomes and keeps the right one rather than branching on
// which it met; the only branch left is the one that leaves. May write one byte past the end
// it returns, which the caller's room for kJDimMaxGrowth times the source covers.
const unsigned char* convertPlainRun(const unsigned char* p, const unsigned char* e,
                                     const std::uint16_t* table, char*& out) {
    char* o = out;
    while (e - p >= 4) {
        std::uint32_t w;
        std::memcpy(&w, p, 4);
        w = littleEndian(w);
        const unsigned c0 = w & 0xFF;
        const unsigned v = (w & 0x0F) << 12 | (w & 0x3F00) >> 2 | (w & 0x3F0000) >> 16;
        const bool ascii = c0 < 0x80 && !(kAscii[c0 & 0x7F] & kSpecial);
        // A lead byte of 1110xxxx, two continuation bytes, no overlong form (those and the
        // surrogates, which the table leaves without code, go the general way).
        const bool wide = (w & 0xC0C0F0) == 0x8080E0 && v >= 0x800;
        if (!(ascii | wide)) break;
        // Where the next character starts does not wait for the table.
        const std::uint16_t code = table[v];
        if (wide && code < 0x100) break;
        const unsigned char pair[2] = {static_cast<unsigned char>(wide ? code >> 8 : c0),
                                       static_cast<unsigned char>(code)};
        std::memcpy(o, pair, 2);
        o += 1 + wide;
        p += 1 + 2 * wide;
    }
    out = o;
    return p;
}

} // namespace

char* convertJDimText(const char* begin, const char* end, JDimField kind, char* out,
                      JDimCounts& counts) {
    const std::uint16_t* const table = cp932EncodeTable().data();
    const bool unescape = kind != JDimField::Raw;
    const bool message = kind == JDimField::Message;
    bool inUrl = false;
    const auto* p = reinterpret_cast<const unsigned char*>(begin);
    const auto* const e = reinterpret_cast<const unsigned char*>(end);
    while (p < e) {
        // Outside a URL, runs of plain ASCII are copied eight bytes at a time, and then plain
        // ASCII and the kana and kanji that CP932 writes in two bytes go one character a step.
        if (!inUrl) {
            while (e - p >= 8) {
                std::uint64_t w;
                std::memcpy(&w, p, 8);
                if (!isPlainAscii(w)) break;
                std::memcpy(out, &w, 8);
                out += 8;
                p += 8;
            }
            p = convertPlainRun(p, e, table, out);
            if (p == e) break;
        }
        const unsigned c = *p;
        if (c < 0x80) {
            const std::uint8_t cls = kAscii[c];
            if (!(cls & kSpecial)) {
                inUrl = inUrl && (cls & kUrlChar);
                *out++ = static_cast<char>(c);
                ++p;
                continue;
            }
            const char* at = reinterpret_cast<const char*>(p);
            if (c == '<') {
                inUrl = false;
                if (message && startsWith(at, end, "<br>", 4)) {
                    *out++ = '\r';
                    *out++ = '\n';
                    ++counts.carriageReturns;
                    p += 4;
                    continue;
                }
            } else if (c == '&') {
                // Inside a URL the log keeps "&" raw, so "&amp;" there is what was typed;
                // the other three stand for characters that end a URL (a typed "&lt;" inside
                // a URL is logged just as a typed "<" after it, and the latter is the one
                // people write).
                const Entity entity = unescape ? entityAt(at, end) : Entity{};
                if (entity.length && !(inUrl && entity.c == '&')) {
                    if (entity.c != '&') inUrl = false;
                    *out++ = entity.c;
                    p += entity.length;
                    continue;
                }
            } else if (c == ':') {
                if (message && !inUrl)
                    inUrl = startsWith(at, end, "://", 3) && endsWithUrlScheme(begin, at);
            } else { // CR
                inUrl = false;
                // A CR typed before a line break (a pasted CR LF) is logged as CR "<br>":
                // one line break, not two.
                if (message && startsWith(at + 1, end, "<br>", 4)) {
                    ++p;
                    continue;
                }
                ++counts.carriageReturns;
            }
            *out++ = static_cast<char>(c);
            ++p;
            continue;
        }
        inUrl = false;
        std::size_t length;
        const std::uint32_t u = decodeUtf8(p, e, length);
        p += length;
        if (u == 0) {
            *out++ = '?';
            ++counts.invalid;
            continue;
        }
        const std::uint16_t code = u < 0x10000 ? table[u] : 0;
        if (code >= 0x100) {
            out[0] = static_cast<char>(code >> 8);
            out[1] = static_cast<char>(code & 0xFF);
            out += 2;
        } else if (code != 0) {
            *out++ = static_cast<char>(code);
        } else {
            out = putReference(out, u);
        }
    }
    return out;
}

} // namespace lorvanel
