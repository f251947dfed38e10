#pragma once
// A keyword file: keywords sorted into named groups. A line "★name" opens a group (a name
// seen before reopens that group); every other line is a keyword of the open group, with
// leading "*" (regular expression) and "@" (tell hiragana from katakana) prefixes.
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

struct KeywordEntry {
    enum Flag : unsigned {
        kRegex = 1,
        kKanaInsensitive = 2,
    };
    unsigned flags = kKanaInsensitive;
    std::string text;   // as written, after the prefixes; results are listed under it
    std::string folded; // kana-folded when kana-insensitive, else width-and-case folded

    bool regex() const { return flags & kRegex; }
    bool kanaInsensitive() const { return flags & kKanaInsensitive; }
};

struct KeywordGroup {
    std::string name;
    std::vector<KeywordEntry> entries;
};

struct KeywordSet {
    std::string name;
    std::vector<KeywordGroup> groups;
};

// The set of a keyword file's text (CP932; lines end at CR, LF or CR LF).
KeywordSet parseKeywordSet(std::string_view name, std::string_view text);

// A keyword file's base name without its extension (both / and \ separate directories).
std::string keywordSetName(std::string_view path);

// Reads and parses a keyword file; an unreadable one is reported in a message box and gives
// false.
bool loadKeywordSet(const std::string& path, KeywordSet& set);

} // namespace lorvanel
