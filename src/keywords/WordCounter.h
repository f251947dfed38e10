#pragma once
// Counts, for every word, how many texts contain it: the words of one text are added between
// beginText calls, and a word found several times in one text counts once.
#include "keywords/WordCount.h"
#include "keywords/WordTokenizer.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lorvanel {

class WordCounter {
public:
    void beginText() { ++text_; }
    void add(std::string_view word);
    // Every word with its count, in no particular order.
    std::vector<WordCount> counts() const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    struct Entry {
        std::int32_t count = 0;
        std::uint32_t lastText = 0;
    };
    std::unordered_map<std::string, Entry, Hash, std::equal_to<>> words_;
    std::uint32_t text_ = 0;
};

// Whether a run of the tokenizer is a word: below 64 bytes, and katakana or kanji of at least
// 2 characters, or letters of at least 3.
bool isWordRun(const WordRun& run);

// Adds the words of one NUL-terminated text (URLs skipped) as one text of the counter.
void extractWords(const char* text, WordCounter& counter);

} // namespace lorvanel
