#include "keywords/KeywordTrie.h"
#include "platform/Mbcs.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace lorvanel;

namespace {

// The texts among texts that hold pattern at a character boundary, found the slow way: one
// search per pattern, walking the text character by character.
std::int32_t naiveCount(const std::vector<std::string>& texts, std::string_view pattern) {
    std::int32_t n = 0;
    for (std::string_view t : texts) {
        for (std::size_t i = 0; i <= t.size();) {
            if (t.substr(i).starts_with(pattern)) {
                ++n;
                break;
            }
            if (i == t.size()) break;
            i += isLeadByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size() ? 2 : 1;
        }
    }
    return n;
}

std::vector<std::int32_t> trieCounts(const std::vector<std::string>& texts,
                                     const std::vector<std::string_view>& patterns) {
    const KeywordTrie trie(patterns);
    // Two tallies over halves of the texts, added up, as parallel walks count.
    KeywordTrie::Tally first = trie.makeTally(), second = trie.makeTally();
    for (std::size_t i = 0; i < texts.size(); ++i)
        trie.count(texts[i], i < texts.size() / 2 ? first : second);
    first.add(second);
    std::vector<std::int32_t> counts;
    for (std::size_t i = 0; i < patterns.size(); ++i) counts.push_back(trie.textsWith(first, i));
    return counts;
}

} // namespace

TEST(KeywordTrie, OccurrencesCountOnlyFromCharacterBoundaries) {
    // "表" is 0x95 0x5C, "ア" 0x83 0x41: their trail bytes are no backslash and no "A".
    const std::vector<std::string> texts = {"表示", "表\\", "アイス", "Aア", "ab", "abab", ""};
    const std::vector<std::string_view> patterns = {"\\", "A", "ab", "b", "", "ab", "アイ", "\x95"};
    EXPECT_EQ(trieCounts(texts, patterns), (std::vector<std::int32_t>{1, 1, 2, 2, 7, 2, 1, 2}));
}

TEST(KeywordTrie, AgreesWithOneSearchPerPatternOnRandomTexts) {
    // Few distinct bytes, lead bytes among them, so that patterns overlap, nest and straddle
    // characters often.
    const std::string alphabet = "ab\x81\x82\x40\x5C\xE0";
    std::mt19937 random(28);
    auto randomText = [&](std::size_t maxLength) {
        std::string s(random() % (maxLength + 1), ' ');
        for (char& c : s) c = alphabet[random() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 50; ++round) {
        std::vector<std::string> texts, patternTexts;
        for (int i = 0; i < 40; ++i) texts.push_back(randomText(30));
        for (int i = 0; i < 60; ++i) patternTexts.push_back(randomText(4));
        const std::vector<std::string_view> patterns(patternTexts.begin(), patternTexts.end());
        std::vector<std::int32_t> expected;
        for (std::string_view p : patterns) expected.push_back(naiveCount(texts, p));
        ASSERT_EQ(trieCounts(texts, patterns), expected) << "round " << round;
    }
}
