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
} // namespace

bool PostRecord::isAsciiArt() const {
    if (flags & kAsciiArt) return true;
    if (flags & kNotAsciiArt) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(body);
    const std::size_t n = std::strlen(body);
    unsigned chars = 0, symbols = 0;
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = p[i];
        ++chars;
        // A lead byte at the very end of the body counts as one plain character.
        if (isLeadByte(c) && i + 1 < n) {
            const unsigned code = c * 256u + p[i + 1];
            if (isMbcPunct(code) || isMbcSpace(code) || (code >= 0x8141 && code <= 0x81FC) ||
                (code >= 0x849F && code <= 0x84BE))
                ++symbols;
            i += 2;
        } else {
            if (isSingleByteSymbol(c)) ++symbols;
            ++i;
        }
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
