#include "keywords/WordCounter.h"

#include "keywords/WordTokenizer.h"

namespace lorvanel {

void WordCounter::add(std::string_view word) {
    auto it = words_.find(word);
    if (it == words_.end()) it = words_.emplace(std::string(word), Entry{}).first;
    Entry& e = it->second;
    if (e.lastText == text_ && e.count > 0) return;
    e.lastText = text_;
    ++e.count;
}

std::vector<WordCount> WordCounter::counts() const {
    std::vector<WordCount> out;
    out.reserve(words_.size());
    for (const auto& [text, e] : words_) out.push_back({text, e.count});
    return out;
}

bool isWordRun(const WordRun& run) {
    if (run.bytes >= 64) return false;
    switch (run.charClass) {
    case kClassKatakana:
    case kClassKanji:
        return run.chars >= 2;
    case kClassLatin:
        return run.chars >= 3;
    default:
        return false;
    }
}

void extractWords(const char* text, WordCounter& counter) {
    counter.beginText();
    const char* p = skipUrls(text);
    for (;;) {
        const WordRun run = nextRun(p);
        if (run.charClass == kClassEnd) return;
        if (isWordRun(run)) counter.add(std::string_view(p, run.bytes));
        p = skipUrls(p + run.bytes);
    }
}

} // namespace lorvanel
