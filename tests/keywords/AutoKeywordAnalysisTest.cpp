#include "keywords/AutoKeywordAnalysis.h"
#include "keywords/KeywordTestLog.h"
#include "keywords/WordCount.h"
#include "keywords/WordTokenizer.h"
#include "match/Folding.h"

#include <gtest/gtest.h>

using namespace lorvanel;
using lorvanel::testing::KeywordPost;
using lorvanel::testing::KeywordTestLog;

namespace {

const std::string kRule = "--------------------------------------------\r\n";

std::vector<WordCount> list(std::initializer_list<WordCount> words) {
    return std::vector<WordCount>(words);
}

std::string lines(const std::vector<WordCount>& words) {
    std::string s;
    for (const WordCount& w : words) s += w.text + "(" + std::to_string(w.count) + ") ";
    return s;
}

} // namespace

TEST(AutoKeywords, RareWordsAreCutUnlessAlone) {
    auto words = list({{"a", 5}, {"b", 3}, {"c", 2}, {"d", 3}});
    cutRareWords(words);
    EXPECT_EQ(lines(words), "a(5) b(3) ");
    words = list({{"a", 2}, {"b", 1}});
    cutRareWords(words);
    EXPECT_TRUE(words.empty());
    words = list({{"alone", 1}});
    cutRareWords(words);
    EXPECT_EQ(lines(words), "alone(1) ");
}

TEST(AutoKeywords, VariantsMergeIntoTheEntryThatSortsFirst) {
    auto words = list({{"abc", 3}, {"ＡＢＣ", 3}, {"テスト", 3}, {"ﾃｽﾄ", 3}, {"ＴＥＳＴ", 3}});
    sortWordCounts(words);
    mergeWordVariants(words);
    EXPECT_EQ(lines(words), "abc(6) テスト(6) ＴＥＳＴ(3) ");
    words = list({{"ＡＢＣ", 5}, {"Abc", 4}, {"abc", 3}});
    mergeWordVariants(words);
    EXPECT_EQ(lines(words), "ＡＢＣ(12) ");
    // Hiragana never merges with katakana: the width folding keeps them apart.
    words = list({{"テスト", 4}, {"ﾃｽﾄ", 3}, {"漢字", 3}});
    mergeWordVariants(words);
    EXPECT_EQ(lines(words), "テスト(7) 漢字(3) ");
}

// The merge joins words by their folded form in one pass; it must give what comparing every
// pair of words gives, on lists full of variants, kanji words and equal counts.
TEST(AutoKeywords, MergingVariantsMatchesThePairwiseRule) {
    const auto startsWithKanji = [](const std::string& text) {
        std::size_t length = 0;
        return classifyChar(text.c_str(), length) == kClassKanji;
    };
    const auto pairwise = [&](std::vector<WordCount> words) {
        if (words.size() < 2) return words;
        std::vector<bool> merged(words.size(), false);
        std::size_t mergedCount = 0;
        for (std::size_t k = 0; k + 1 < words.size(); ++k) {
            const std::string fk = foldWidthAndCase(words[k].text);
            if (startsWithKanji(fk)) continue;
            for (std::size_t l = k + 1; l < words.size(); ++l) {
                const std::string fl = foldWidthAndCase(words[l].text);
                if (merged[l] || startsWithKanji(fl) || fl != fk) continue;
                words[k].count += words[l].count;
                words[l].count = 0;
                merged[l] = true;
                ++mergedCount;
            }
        }
        if (mergedCount == 0) return words;
        sortWordCounts(words);
        words.resize(words.size() - mergedCount);
        return words;
    };
    const std::vector<std::string> forms = {"abc",  "ABC",  "ＡＢＣ", "Ａbc", "テスト", "ﾃｽﾄ",
                                            "漢字", "漢字", "x",      "Ｘ",   "ｘ",     "y"};
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<WordCount> words;
        const int n = static_cast<int>(next() % 14);
        for (int i = 0; i < n; ++i)
            words.push_back({forms[next() % forms.size()], static_cast<int>(next() % 5) + 1});
        if (round % 2) sortWordCounts(words);
        std::vector<WordCount> linear = words;
        mergeWordVariants(linear);
        EXPECT_EQ(lines(linear), lines(pairwise(words))) << "round " << round;
    }
}

TEST(AutoKeywords, WordLinesWrapAt60BytesAndStopAtTheLimit) {
    EXPECT_EQ(formatWordLines({}, 50), "　");
    std::vector<WordCount> words;
    for (int i = 0; i < 11; ++i) words.push_back({"abcdefgh", 5}); // 12 bytes each
    const std::string five = "abcdefgh(5) abcdefgh(5) abcdefgh(5) abcdefgh(5) abcdefgh(5) ";
    EXPECT_EQ(formatWordLines(words, 0), "　" + five + "\r\n　" + five + "\r\n　abcdefgh(5) \r\n");
    words.pop_back();
    EXPECT_EQ(formatWordLines(words, 0), "　" + five + "\r\n　" + five + "\r\n　");
    EXPECT_EQ(formatWordLines(words, 2), "　" + five + "\r\n　");

    std::vector<WordCount> many(400, {"abcdefgh", 5});
    const std::string text = formatWordLines(many, 50);
    std::size_t breaks = 0;
    for (std::size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p + 1))
        ++breaks;
    EXPECT_EQ(breaks, 49u); // 50 lines counting the first "　"
    EXPECT_TRUE(text.ends_with("\r\n　"));
}

TEST(AutoKeywords, PageOfBodiesAndThreadTitles) {
    KeywordTestLog t({
        {"テスト、テスト、テスト abc", "雑談スレ"},
        {"テストです abc ＡＢＣ", "雑談スレ"},
        {"テスト ＡＢＣ abc", "雑談スレ"},
        {"ＡＢＣ てすと てすと", "質問スレ"},
    });
    const ResultPage page = analyzeAutoKeywords(t.selection);
    EXPECT_EQ(page.title, "キーワード解析");
    // abc and ＡＢＣ (3 posts each) merge; thread words count once per post, and 質問 (one
    // post) is cut.
    EXPECT_EQ(page.text, "★書き込みキーワード\r\n"
                         "　abc(6) テスト(3) \r\n"
                         "\r\n\r\n" +
                             kRule +
                             "★スレッドキーワード\r\n"
                             "　スレ(4) 雑談(3) \r\n");
}

TEST(AutoKeywords, AWordOfFewTextsIsListedWhenItIsTheOnlyOne) {
    KeywordTestLog t({KeywordPost{"ひとつだけのテスト", "スレ"}});
    const ResultPage page = analyzeAutoKeywords(t.selection);
    EXPECT_EQ(page.text, "★書き込みキーワード\r\n　テスト(1) \r\n\r\n\r\n" + kRule +
                             "★スレッドキーワード\r\n　スレ(1) \r\n");
}

TEST(AutoKeywords, EmptySelection) {
    const ResultPage page = analyzeAutoKeywords(PostList());
    EXPECT_EQ(page.text, "★書き込みキーワード\r\n　\r\n\r\n" + kRule + "★スレッドキーワード\r\n　");
}
