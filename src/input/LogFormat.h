#pragma once
// The recognised log formats, their display names and their detection from a file's start.
#include "input/LogReader.h"

#include <memory>
#include <string>
#include <string_view>

namespace lorvanel {

enum LogFormat : int {
    kFormatUnknown = 0,
    kFormatJane = 1,
    kFormatKachusha = 2,
    kFormatLive2ch = 3,
    kFormatGikonavi = 4,
    kFormatV2c = 5,
    kFormatJaneOrV2c = 6,
    kFormatABone = 7,
    kFormatHotzonu = 8,
    kFormatJDim = 9, // UTF-8, one line per post; converted to CP932 while parsing
};

// "Jane", "かちゅ～しゃ", ... ; "不明" for numbers outside 1..9.
const char* formatDisplayName(int format);

// Bytes that detection reads from the start of a file.
inline constexpr std::size_t kDetectSampleBytes = 510;

// Format from the first bytes of a text (0 when not recognised; never 5).
int detectFormatText(std::string_view sample);
// Format from the first 510 bytes of a file; a file error is reported through the analysis
// log and gives 0.
int detectFormat(const std::string& path);
// The same, throwing the file error instead, for a caller that reports it as its own.
int detectFileFormat(const std::string& path);

// A new reader for the format, or none outside 1..9.
std::unique_ptr<LogReader> createReader(int format);

} // namespace lorvanel
