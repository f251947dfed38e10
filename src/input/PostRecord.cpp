#include "input/PostRecord.h"

#include "input/BoardDirectory.h"
#include "platform/LocalTime.h"
#include "platform/Mbcs.h"

#include <cstring>

namespace lorvanel {

std::string PostRecord::urlText() const {
    if (!url || !*url || !urlEnd || urlEnd <= url) return {};
    std::string s(url, static_cast<std::size_t>(urlEnd - url) - 1);
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\0') continue;
        const char* at = url + i;
        if (at == dirCut)
            s[i] = dirCutChar;
        else if (at == hostCut)
            s[i] = '/';
        else {
            // A NUL the log itself held: the line ends there.
            s.resize(i);
            break;
        }
    }
    return s;
}

namespace {
bool isSingleByteSymbol(unsigned char c) {
    return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x7E) || c == ' ' || (c >= 0x09 && c <= 0x0D);
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

// The classification of every byte and double-byte code as tables, built once from the rules
// above: the test walks whole bodies of large logs and must not spend a call and a chain of
// range checks on every character.
struct SymbolTables {
    bool singleSymbol[256];
    std::uint64_t doubleSymbol[65536 / 64] = {}; // bit code: the double-byte character is a symbol

    SymbolTables() {
        for (unsigned c = 0; c < 256; ++c) {
            singleSymbol[c] = isSingleByteSymbol(static_cast<unsigned char>(c));
        }
        for (unsigned code = 0; code < 65536; ++code) {
            const bool symbol = isMbcPunct(code) || isMbcSpace(code) ||
                                (code >= 0x8141 && code <= 0x81FC) ||
                                (code >= 0x849F && code <= 0x84BE);
            if (symbol) doubleSymbol[code / 64] |= std::uint64_t{1} << (code % 64);
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
} // namespace

bool PostRecord::isAsciiArt() const {
    if (flags & kAsciiArt) return true;
    if (flags & kNotAsciiArt) return false;
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
    // The threshold is the single-precision 0.65 (0.64999998), so exactly 65 % qualifies.
    const double threshold = static_cast<double>(0.65f);
    if (chars > 0 && static_cast<double>(symbols) / chars > threshold) {
        flags |= kAsciiArt;
        return true;
    }
    flags |= kNotAsciiArt;
    return false;
}

const PostLocalTime& PostRecord::local() const {
    if (local_.year == 0) {
        const LocalTime lt = toLocalTime(time);
        local_.dayNumber = lt.dayNumber;
        local_.month = static_cast<std::uint8_t>(lt.month);
        local_.day = static_cast<std::uint8_t>(lt.day);
        local_.hour = static_cast<std::uint8_t>(lt.hour);
        local_.minute = static_cast<std::uint8_t>(lt.minute);
        local_.second = static_cast<std::uint8_t>(lt.second);
        local_.weekday = static_cast<std::uint8_t>(lt.weekday);
        local_.year = static_cast<std::int16_t>(lt.year);
    }
    return local_;
}

const std::string& PostRecord::boardName() const {
    if (!boardName_) boardName_ = &boardDirectory().boardDisplayName(*this);
    return *boardName_;
}

} // namespace lorvanel
