#pragma once
// The row formatter shared by the report's sections (key text, optional '*' bar, count) and
// the byte-size text of the size line.
#include "stats/PostStatistics.h"

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>

namespace lorvanel {

inline constexpr std::size_t kAllRows = static_cast<std::size_t>(-1);
inline constexpr int kBarWidth = 30;

// Rows for the entries first..last (inclusive, clipped to the table). The format takes the
// key text (%s: the entry's text or its key in decimal), then with bars the bar (%s), then
// the count (%d). skipZero leaves out entries whose count is 0.
std::string formatCountRows(const std::vector<KeyCount>& table, const char* format, bool bars,
                            std::size_t first = 0, std::size_t last = kAllRows,
                            bool skipZero = false);
std::string formatCountRows(const std::vector<TextCount>& table, const char* format, bool bars,
                            std::size_t first = 0, std::size_t last = kAllRows,
                            bool skipZero = false);

// Bar length of a count against the table's largest count: count / largest x 30, truncated.
int barLength(int count, int largest);
// The bar itself, a text of barLength stars that stays valid for the program's run.
const char* countBar(int count, int largest);

// "512bytes", "1,000bytes", "1KB", "120,563KB": below 1024 in bytes, else whole kilobytes.
std::string formatByteSize(std::uint64_t bytes);

// printf into the end of a string.
void appendFormat(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void appendFormatV(std::string& out, const char* format, va_list args);

} // namespace lorvanel
