#include "platform/Mbcs.h"

namespace lorvanel {

bool isMbcSpace(unsigned code) {
    return code == 0x8140;
}

bool isMbcPunct(unsigned code) {
    return (code >= 0x8141 && code <= 0x81FC) || (code >= 0x849F && code <= 0x84BE) ||
           (code >= 0x8740 && code <= 0x879C) || (code >= 0xEEEF && code <= 0xEEFC) ||
           (code >= 0xFA40 && code <= 0xFA55);
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const auto fold = [](unsigned char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
    };
    for (std::size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        if (isLeadByte(x) && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (fold(x) != fold(y)) return false;
    }
    return true;
}

} // namespace lorvanel
