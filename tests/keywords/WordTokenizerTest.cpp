#include "keywords/WordTokenizer.h"
#include "keywords/WordCounter.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace lorvanel;

namespace {

CharClass classOf(const char* s) {
    std::size_t length = 0;
    return classifyChar(s, length);
}

// The words of one text, sorted.
std::vector<std::string> wordsOf(const char* text) {
    WordCounter counter;
    extractWords(text, counter);
    std::vector<std::string> out;
    for (const WordCount& w : counter.counts()) out.push_back(w.text);
    std::sort(out.begin(), out.end());
    return out;
}

using Words = std::vector<std::string>;

} // namespace

TEST(WordTokenizer, CharacterClasses) {
    EXPECT_EQ(classOf("ｱ"), kClassKatakana);
    EXPECT_EQ(classOf("ﾞ"), kClassKatakana);
    for (const char* sep : {"ｰ", "･", "｢", "｣", "､", "｡", "-"})
        EXPECT_EQ(classOf(sep), kClassOther) << sep;
    EXPECT_EQ(classOf("a"), kClassLatin);
    EXPECT_EQ(classOf("Z"), kClassLatin);
    EXPECT_EQ(classOf("7"), kClassDigit);
    EXPECT_EQ(classOf("ァ"), kClassKatakana);
    EXPECT_EQ(classOf("ヶ"), kClassKatakana);
    EXPECT_EQ(classOf("ぁ"), kClassHiragana);
    EXPECT_EQ(classOf("ん"), kClassHiragana);
    EXPECT_EQ(classOf("ー"), kClassSymbol);
    EXPECT_EQ(classOf("々"), kClassSymbol);
    EXPECT_EQ(classOf("Ａ"), kClassLatin);
    EXPECT_EQ(classOf("ｚ"), kClassLatin);
    EXPECT_EQ(classOf("１"), kClassOther);
    EXPECT_EQ(classOf("α"), kClassOther);
    EXPECT_EQ(classOf(""), kClassEnd);
    // The first and last kanji of both JIS levels; the row before, and an IBM extension kanji.
    EXPECT_EQ(classOf("亜"), kClassKanji);
    EXPECT_EQ(classOf("腕"), kClassKanji);
    EXPECT_EQ(classOf("弌"), kClassKanji);
    EXPECT_EQ(classOf("熙"), kClassKanji);
    EXPECT_EQ(classOf("\x88\x9e"), kClassOther);
    EXPECT_EQ(classOf("纊"), kClassOther);
    // A lead byte before the end or before a byte that can't follow it is one byte.
    std::size_t length = 0;
    EXPECT_EQ(classifyChar("\x82", length), kClassOther);
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(classifyChar("\x82\x0d", length), kClassOther);
    EXPECT_EQ(length, 1u);
}

TEST(WordTokenizer, RunsAndTheProlongedSoundMark) {
    WordRun r = nextRun("コーヒーを");
    EXPECT_EQ(r.charClass, kClassKatakana);
    EXPECT_EQ(r.bytes, 8u);
    EXPECT_EQ(r.chars, 4u);
    r = nextRun("すごーいね!");
    EXPECT_EQ(r.charClass, kClassHiragana);
    EXPECT_EQ(r.chars, 5u);
    r = nextRun("ｺｰﾋｰ");
    EXPECT_EQ(r.chars, 1u); // the half-width mark separates
    r = nextRun("ーテスト");
    EXPECT_EQ(r.charClass, kClassSymbol);
    EXPECT_EQ(r.chars, 1u);
    r = nextRun("漢字ー");
    EXPECT_EQ(r.chars, 2u); // only kana runs go on through ー
    r = nextRun("abc123");
    EXPECT_EQ(r.bytes, 3u);
    r = nextRun("");
    EXPECT_EQ(r.charClass, kClassEnd);
    EXPECT_EQ(r.bytes, 0u);
    r = nextRun("ア\x83");
    EXPECT_EQ(r.bytes, 2u); // stops at the lone lead byte
}

TEST(WordTokenizer, UrlsAreSkippedAtTheStartAndAfterRuns) {
    EXPECT_STREQ(skipUrls("http://example.com/a?b=c テスト"), " テスト");
    EXPECT_STREQ(skipUrls("ttp://a.jp/https://b.jp/x"), "");
    EXPECT_STREQ(skipUrls("http://a.jp/ http://b.jp/"), " http://b.jp/");
    EXPECT_STREQ(skipUrls("http://"), "http://");
    EXPECT_STREQ(skipUrls("://x"), "://x");
    EXPECT_STREQ(skipUrls("abc"), "abc");

    EXPECT_EQ(wordsOf("http://example.com/wiki/Foo_bar テスト"), Words{"テスト"});
    EXPECT_EQ(wordsOf("見てhttp://example.com/abcdef"), Words{});
    EXPECT_EQ(wordsOf("ここhttps://www.example.org/index.html?q=abc#top です"), Words{});
    // Letters glued to the scheme count as part of it.
    EXPECT_EQ(wordsOf("abchttp://x.jp"), Words{});
    EXPECT_EQ(wordsOf("1http://x.jp/ abcd"), Words{"abcd"});
}

TEST(WordTokenizer, WordRules) {
    EXPECT_EQ(wordsOf("テスト、テスト、テスト"), Words{"テスト"});
    EXPECT_EQ(wordsOf("テストテスト"), Words{"テストテスト"});
    EXPECT_EQ(wordsOf("てすと"), Words{});
    EXPECT_EQ(wordsOf("ab abc"), Words{"abc"});
    EXPECT_EQ(wordsOf("漢 漢字"), Words{"漢字"});
    EXPECT_EQ(wordsOf("ＡＢＣ 123 １２３"), Words{"ＡＢＣ"});
    EXPECT_EQ(wordsOf("ｺｰﾋｰ ﾃｽﾄ"), Words{"ﾃｽﾄ"});
    EXPECT_EQ(wordsOf("人々"), Words{}); // 々 is a symbol: 人 stands alone
    EXPECT_EQ(wordsOf("コーヒーを飲む"), Words{"コーヒー"});
    EXPECT_EQ(wordsOf("漢字かな交じり文"), Words{"漢字"});
}

TEST(WordTokenizer, RunsOf64BytesOrMoreAreNoWords) {
    std::string kanji31, kanji32;
    for (int i = 0; i < 31; ++i) kanji31 += "漢";
    kanji32 = kanji31 + "漢";
    EXPECT_EQ(wordsOf(kanji31.c_str()), Words{kanji31});
    EXPECT_EQ(wordsOf(kanji32.c_str()), Words{});
    const std::string latin63(63, 'x');
    EXPECT_EQ(wordsOf(latin63.c_str()), Words{latin63});
    EXPECT_EQ(wordsOf(std::string(64, 'x').c_str()), Words{});
}

TEST(WordTokenizer, CountsTextsNotOccurrences) {
    WordCounter counter;
    extractWords("テスト テスト", counter);
    extractWords("テスト abc", counter);
    extractWords("", counter);
    extractWords("abc", counter);
    std::vector<WordCount> counts = counter.counts();
    sortWordCounts(counts);
    ASSERT_EQ(counts.size(), 2u);
    EXPECT_EQ(counts[0].text, "abc"); // equal counts: byte order
    EXPECT_EQ(counts[0].count, 2);
    EXPECT_EQ(counts[1].text, "テスト");
    EXPECT_EQ(counts[1].count, 2);
}
