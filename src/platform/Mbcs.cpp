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

} // namespace lorvanel
