#include "keywords/WordTokenizer.h"

#include "platform/Mbcs.h"

#include <cstring>

namespace lorvanel {

namespace {

constexpr unsigned kProlongedSoundMark = 0x815B; // ー

bool isAsciiLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isUrlChar(unsigned char c) {
    return isAsciiLetter(c) || (c >= '0' && c <= '9') ||
           (c != 0 && std::strchr("/-+.$,;:&=?!*~@#_()%", c) != nullptr);
}

CharClass singleByteClass(unsigned char c) {
    // Half-width 。「」、・ｰ and the ASCII hyphen separate words.
    if (c == 0xA1 || c == 0xA2 || c == 0xA3 || c == 0xA4 || c == 0xA5 || c == 0xB0 || c == '-')
        return kClassOther;
    if (isHalfWidthKana(c)) return kClassKatakana;
    if (isAsciiLetter(c)) return kClassLatin;
    if (c >= '0' && c <= '9') return kClassDigit;
    return kClassOther;
}

CharClass doubleByteClass(unsigned code) {
    if (code >= 0x8340 && code <= 0x8396) return kClassKatakana;
    if (code >= 0x829F && code <= 0x82F1) return kClassHiragana;
    if ((code >= 0x889F && code <= 0x9872) || (code >= 0x989F && code <= 0xEAA4))
        return kClassKanji;
    if ((code >= 0x8260 && code <= 0x8279) || (code >= 0x8281 && code <= 0x829A))
        return kClassLatin;
    if (code >= 0x8141 && code <= 0x81FC) return kClassSymbol;
    return kClassOther;
}

} // namespace

CharClass classifyChar(const char* p, std::size_t& length) {
    const auto c = static_cast<unsigned char>(p[0]);
    if (c == 0) {
        length = 0;
        return kClassEnd;
    }
    const auto t = static_cast<unsigned char>(p[1]);
    if (isLeadByte(c) && isTrailByte(t)) {
        length = 2;
        return doubleByteClass(c << 8 | t);
    }
    length = 1;
    return singleByteClass(c);
}

WordRun nextRun(const char* p) {
    std::size_t length = 0;
    const CharClass cls = classifyChar(p, length);
    WordRun run{cls, 0, 0};
    if (cls == kClassEnd) return run;
    const bool kana = cls == kClassHiragana || cls == kClassKatakana;
    for (;;) {
        run.bytes += length;
        ++run.chars;
        const char* q = p + run.bytes;
        const CharClass next = classifyChar(q, length);
        if (next == kClassEnd) break;
        const bool prolonged =
            length == 2 && (static_cast<unsigned char>(q[0]) << 8 |
                            static_cast<unsigned char>(q[1])) == kProlongedSoundMark;
        if (next != cls && !(kana && prolonged)) break;
    }
    return run;
}

const char* skipUrls(const char* p) {
    for (;;) {
        const auto* q = reinterpret_cast<const unsigned char*>(p);
        std::size_t i = 0;
        while (isAsciiLetter(q[i])) ++i;
        if (i == 0 || q[i] != ':' || q[i + 1] != '/' || q[i + 2] != '/') return p;
        i += 3;
        const std::size_t rest = i;
        while (isUrlChar(q[i])) ++i;
        if (i == rest) return p;
        p += i;
    }
}

} // namespace lorvanel
