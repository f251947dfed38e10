#include "input/PostRecord.h"

#include "input/BoardDirectory.h"
#include "platform/LocalTime.h"
#include "platform/Mbcs.h"

#include <cstring>
#include <unordered_map>
#include <vector>

namespace lorvanel {

static_assert(sizeof(void*) != 8 || sizeof(PostRecord) == 88,
              "a post record has grown: every byte counts a million times in a large log");

const char* PostRecord::hostCut() const {
    // No NUL lay between the host's start and the '/' that addPost cut, so the host ends there.
    return (flags & kHostCut) && server ? server + std::strlen(server) : nullptr;
}

std::string PostRecord::urlText() const {
    const char* end = urlEnd();
    if (!url || !*url || !end || end <= url) return {};
    const char* dirCutAt = dirCut();
    const char* hostCutAt = hostCut();
    std::string s(url, static_cast<std::size_t>(end - url) - 1);
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\0') continue;
        const char* at = url + i;
        if (at == dirCutAt)
            s[i] = dirCutChar;
        else if (at == hostCutAt)
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

PostLocalTime PostRecord::local() const {
    const LocalTime lt = toLocalTime(time);
    PostLocalTime t;
    t.dayNumber = lt.dayNumber;
    t.year = static_cast<std::int16_t>(lt.year);
    t.month = static_cast<std::uint8_t>(lt.month);
    t.day = static_cast<std::uint8_t>(lt.day);
    t.hour = static_cast<std::uint8_t>(lt.hour);
    t.minute = static_cast<std::uint8_t>(lt.minute);
    t.second = static_cast<std::uint8_t>(lt.second);
    t.weekday = static_cast<std::uint8_t>(lt.weekday);
    return t;
}

namespace {
// The board names that records have asked for, numbered from 1 in the order first asked:
// a record keeps the number, half the size of a pointer. The names themselves live in the
// board directory until the program ends.
class BoardNameNumbers {
public:
    std::uint32_t numberOf(const std::string& name) {
        if (&name == lastName_) return lastNumber_;
        auto [it, added] = numbers_.try_emplace(&name, 0);
        if (added) {
            names_.push_back(&name);
            it->second = static_cast<std::uint32_t>(names_.size());
        }
        lastName_ = &name;
        lastNumber_ = it->second;
        return it->second;
    }
    const std::string& name(std::uint32_t number) const { return *names_[number - 1]; }

private:
    std::vector<const std::string*> names_;
    std::unordered_map<const std::string*, std::uint32_t> numbers_;
    // Neighbouring posts mostly share a board.
    const std::string* lastName_ = nullptr;
    std::uint32_t lastNumber_ = 0;
};

BoardNameNumbers& boardNameNumbers() {
    static BoardNameNumbers numbers;
    return numbers;
}
} // namespace

const std::string& PostRecord::boardName() const {
    BoardNameNumbers& numbers = boardNameNumbers();
    if (!boardId_) boardId_ = numbers.numberOf(boardDirectory().boardDisplayName(*this));
    return numbers.name(boardId_);
}

} // namespace lorvanel
