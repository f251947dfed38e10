#include "platform/Exception.h"

#include "platform/Mbcs.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace lorvanel {

std::size_t mbcsCutLength(const char* text, std::size_t length, std::size_t limit) {
    if (length <= limit) return length;
    std::size_t i = 0;
    while (i < limit) {
        const std::size_t step = isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + step > limit) break;
        i += step;
    }
    return i;
}

bool CException::GetErrorMessage(char* buffer, std::size_t size) const {
    if (!buffer || size == 0) return false;
    const std::string& m = message();
    const std::size_t n = mbcsCutLength(m.data(), m.size(), size - 1);
    std::memcpy(buffer, m.data(), n);
    buffer[n] = '\0';
    return true;
}

CEvalException::CEvalException(const char* format, ...) {
    constexpr std::size_t kCapacity = 1024;
    char buffer[kCapacity];
    std::va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(buffer, kCapacity, format, args);
    va_end(args);
    if (written < 0) return;
    // written counts the whole text, also when the buffer cut it.
    message_.assign(buffer,
                    mbcsCutLength(buffer, static_cast<std::size_t>(written), kCapacity - 1));
}

} // namespace lorvanel
