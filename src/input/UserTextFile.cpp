#include "input/UserTextFile.h"

#include "input/JDimText.h"

#include <string_view>

namespace lorvanel {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Whether every multi-byte sequence is well-formed UTF-8 (shortest form, no surrogates, at
// most U+10FFFF), and whether there was one at all.
bool isUtf8WithNonAscii(std::string_view s) {
    bool nonAscii = false;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        nonAscii = true;
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF; // the allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0) low = 0xA0;
            if (c == 0xED) high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (i + length > s.size()) return false;
        const auto second = static_cast<unsigned char>(s[i + 1]);
        if (second < low || second > high) return false;
        for (std::size_t k = 2; k < length; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return nonAscii;
}

} // namespace

std::string userTextAsCp932(std::string bytes) {
    std::string_view text = bytes;
    const bool bom = text.substr(0, kUtf8Bom.size()) == kUtf8Bom;
    if (bom) text.remove_prefix(kUtf8Bom.size());
    if (!bom && !isUtf8WithNonAscii(text)) return bytes;
    std::string out(text.size() * kJDimMaxGrowth, '\0');
    JDimCounts counts;
    char* end =
        convertJDimText(text.data(), text.data() + text.size(), JDimField::Raw, out.data(), counts);
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
}

} // namespace lorvanel
