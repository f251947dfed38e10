#include "keywords/AutoKeywordAnalysis.h"

#include "input/PostList.h"
#include "keywords/WordCounter.h"
#include "keywords/WordTokenizer.h"
#include "match/Folding.h"
#include "platform/Cancellation.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace lorvanel {

namespace {

constexpr int kWordLineLimit = 50;

bool startsWithKanji(const std::string& text) {
    std::size_t length = 0;
    return classifyChar(text.c_str(), length) == kClassKanji;
}

std::vector<WordCount> frequentWords(const WordCounter& counter) {
    std::vector<WordCount> words = counter.counts();
    sortWordCounts(words);
    cutRareWords(words);
    mergeWordVariants(words);
    return words;
}

} // namespace

void cutRareWords(std::vector<WordCount>& words) {
    if (words.size() < 2) return;
    auto rare =
        std::find_if(words.begin(), words.end(), [](const WordCount& w) { return w.count <= 2; });
    words.erase(rare, words.end());
}

void mergeWordVariants(std::vector<WordCount>& words) {
    if (words.size() < 2) return;
    std::vector<std::string> folded;
    folded.reserve(words.size());
    for (const WordCount& w : words) folded.push_back(foldWidthAndCase(w.text));
    // Each word joins the first word of its folded form; one pass with the first index of
    // every form. The folded texts are in lower case already, so equal bytes means equal
    // ignoring case.
    std::unordered_map<std::string_view, std::size_t> first;
    first.reserve(words.size());
    std::size_t mergedCount = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (startsWithKanji(folded[i])) continue;
        const auto [it, isFirst] = first.try_emplace(folded[i], i);
        if (isFirst) continue;
        words[it->second].count += words[i].count;
        words[i].count = 0;
        ++mergedCount;
    }
    if (mergedCount == 0) return;
    sortWordCounts(words);
    words.resize(words.size() - mergedCount);
}

namespace {

// The word lines of a list, each word a link. A word was counted by its exact text, but its
// count also holds the variants merged into it, which width-and-case folding finds.
void appendWordLinks(ResultPage& page, const std::vector<WordCount>& words) {
    std::vector<TextSpan> spans;
    const std::size_t at = page.text.size();
    page.text += formatWordLines(words, kWordLineLimit, &spans);
    for (std::size_t i = 0; i < spans.size(); ++i)
        page.links.push_back({at + spans[i].begin, at + spans[i].end, words[i].text,
                              PageLink::Folding::kWidthAndCase, false});
}

} // namespace

ResultPage analyzeAutoKeywords(const PostList& selection) {
    WordCounter bodyWords;
    WordCounter titleWords;
    CancelPoll poll;
    for (const PostRecord* p : selection) {
        poll();
        extractWords(p->body, bodyWords);
        extractWords(p->title, titleWords);
    }
    ResultPage page;
    page.title = "キーワード解析";
    page.text = "★書き込みキーワード\r\n";
    appendWordLinks(page, frequentWords(bodyWords));
    page.text += "\r\n\r\n";
    page.text += "--------------------------------------------\r\n";
    page.text += "★スレッドキーワード\r\n";
    appendWordLinks(page, frequentWords(titleWords));
    return page;
}

} // namespace lorvanel
