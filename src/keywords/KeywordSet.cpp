#include "keywords/KeywordSet.h"

#include "input/Loader.h"
#include "input/UserTextFile.h"
#include "match/Folding.h"
#include "platform/Alert.h"
#include "platform/File.h"
#include "platform/Mbcs.h"
#include "platform/TextLines.h"

#include <cctype>

namespace lorvanel {

namespace {

constexpr std::string_view kGroupMark = "★";

std::string fold(std::string_view text, bool kana) {
    return kana ? foldKana(text) : foldWidthAndCase(text);
}

// A pattern is folded like a keyword so that it finds the folded bodies, except for the
// letter of each backslash escape: \S, \W, \D, \B, \A, \Z ... mean something other
// than their lower-case forms.
std::string foldPattern(std::string_view p, bool kana) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < p.size();) {
        const unsigned char c = static_cast<unsigned char>(p[i]);
        if (isLeadByte(c) && i + 1 < p.size()) {
            i += 2;
        } else if (c == '\\' && i + 1 < p.size() && p[i + 1] == '\\') {
            i += 2;
        } else if (c == '\\' && i + 1 < p.size() &&
                   std::isalpha(static_cast<unsigned char>(p[i + 1]))) {
            out += fold(p.substr(start, i + 1 - start), kana);
            out += p[i + 1];
            i += 2;
            start = i;
        } else {
            ++i;
        }
    }
    out += fold(p.substr(start), kana);
    return out;
}

KeywordEntry parseEntry(std::string_view line) {
    KeywordEntry e;
    std::size_t i = 0;
    for (; i < line.size() && (line[i] == '*' || line[i] == '@'); ++i) {
        if (line[i] == '*')
            e.flags |= KeywordEntry::kRegex;
        else
            e.flags &= ~KeywordEntry::kKanaInsensitive;
    }
    e.text = line.substr(i);
    e.folded =
        e.regex() ? foldPattern(e.text, e.kanaInsensitive()) : fold(e.text, e.kanaInsensitive());
    return e;
}

KeywordGroup& groupNamed(KeywordSet& set, std::string_view name) {
    for (KeywordGroup& g : set.groups)
        if (g.name == name) return g;
    set.groups.push_back({std::string(name), {}});
    return set.groups.back();
}

} // namespace

KeywordSet parseKeywordSet(std::string_view name, std::string_view text) {
    KeywordSet set;
    set.name = name;
    KeywordGroup* open = nullptr;
    TextLines lines(text);
    for (std::string_view line; lines.next(line);) {
        if (line.empty()) continue;
        if (line.starts_with(kGroupMark))
            open = &groupNamed(set, line.substr(kGroupMark.size()));
        else if (open)
            open->entries.push_back(parseEntry(line));
    }
    return set;
}

std::string keywordSetName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = base.rfind('.');
    if (dot != std::string_view::npos) base = base.substr(0, dot);
    return std::string(base);
}

bool loadKeywordSet(const std::string& path, KeywordSet& set) {
    std::string text;
    try {
        text = userTextAsCp932(readWholeFile(path));
    } catch (const FileError& e) {
        showAlert(displayPath(path) + ": " + e.reason());
        return false;
    }
    // File names come from the operating system (UTF-8 here); the name is shown as CP932.
    set = parseKeywordSet(keywordSetName(displayPath(path)), text);
    return true;
}

} // namespace lorvanel
