#include "keywords/WordCount.h"

#include <algorithm>
#include <cstdio>

namespace lorvanel {

void sortWordCounts(std::vector<WordCount>& words) {
    // std::string compares as unsigned bytes, shorter prefix first.
    std::sort(words.begin(), words.end(), [](const WordCount& a, const WordCount& b) {
        if (a.count != b.count) return a.count > b.count;
        return a.text < b.text;
    });
}

std::string formatWordLines(const std::vector<WordCount>& words, int lineLimit,
                            std::vector<TextSpan>* spans) {
    static constexpr std::size_t kLineBytes = 60;
    std::string out = "　";
    std::size_t lines = 1;
    std::string line;
    char number[16];
    for (const WordCount& w : words) {
        // The line joins the output after the text written so far.
        if (spans)
            spans->push_back({out.size() + line.size(), out.size() + line.size() + w.text.size()});
        line += w.text;
        std::snprintf(number, sizeof number, "(%d) ", static_cast<int>(w.count));
        line += number;
        if (line.size() >= kLineBytes) {
            line += "\r\n　";
            out += line;
            line.clear();
            ++lines;
            if (lineLimit > 0 && lines >= static_cast<std::size_t>(lineLimit)) return out;
        }
    }
    if (!line.empty()) out += line + "\r\n";
    return out;
}

} // namespace lorvanel
