#include "report/CountRows.h"

#include <algorithm>
#include <cstdio>

namespace lorvanel {

void appendFormatV(std::string& out, const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    char buf[256];
    const int n = std::vsnprintf(buf, sizeof buf, format, copy);
    va_end(copy);
    if (n < 0) return;
    if (static_cast<std::size_t>(n) < sizeof buf) {
        out.append(buf, static_cast<std::size_t>(n));
        return;
    }
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(n) + 1);
    std::vsnprintf(out.data() + at, static_cast<std::size_t>(n) + 1, format, args);
    out.resize(at + static_cast<std::size_t>(n));
}

void appendFormat(std::string& out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    appendFormatV(out, format, args);
    va_end(args);
}

int barLength(int count, int largest) {
    if (largest <= 0 || count <= 0) return 0;
    // The scale is the largest count as a float, as the bars have always been drawn.
    const double length =
        static_cast<double>(count) / static_cast<double>(static_cast<float>(largest)) * kBarWidth;
    return std::clamp(static_cast<int>(length), 0, kBarWidth);
}

const char* countBar(int count, int largest) {
    static const char stars[] = "******************************";
    static_assert(sizeof stars == kBarWidth + 1);
    return stars + (kBarWidth - barLength(count, largest));
}

// The formats are the report's own fixed row formats, chosen by the caller.
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"

namespace {

std::string keyText(const KeyCount& e) {
    return std::to_string(e.key);
}
const std::string& keyText(const TextCount& e) {
    return e.text;
}

template <class Entry>
std::string formatRows(const std::vector<Entry>& table, const char* format, bool bars,
                       std::size_t first, std::size_t last, bool skipZero) {
    std::string out;
    if (table.empty() || first >= table.size()) return out;
    last = std::min(last, table.size() - 1);
    int largest = 0;
    if (bars)
        for (const Entry& e : table) largest = std::max(largest, e.count);
    for (std::size_t i = first; i <= last; ++i) {
        const Entry& e = table[i];
        if (skipZero && e.count == 0) continue;
        if (bars)
            appendFormat(out, format, keyText(e).c_str(), countBar(e.count, largest), e.count);
        else
            appendFormat(out, format, keyText(e).c_str(), e.count);
    }
    return out;
}

} // namespace

std::string formatCountRows(const std::vector<KeyCount>& table, const char* format, bool bars,
                            std::size_t first, std::size_t last, bool skipZero) {
    return formatRows(table, format, bars, first, last, skipZero);
}

std::string formatCountRows(const std::vector<TextCount>& table, const char* format, bool bars,
                            std::size_t first, std::size_t last, bool skipZero) {
    return formatRows(table, format, bars, first, last, skipZero);
}

std::string formatByteSize(std::uint64_t bytes) {
    const bool inBytes = bytes < 1024;
    const std::string digits = std::to_string(inBytes ? bytes : bytes / 1024);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    out += inBytes ? "bytes" : "KB";
    return out;
}

} // namespace lorvanel
