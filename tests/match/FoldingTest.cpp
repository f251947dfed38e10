// Examples of the two foldings on the forms keyword matching must equate.
#include "match/Folding.h"

#include <gtest/gtest.h>

using namespace lorvanel;

TEST(Folding, WidthAndCaseFoldingOfLatinKatakanaAndPunctuation) {
    EXPECT_EQ(foldWidthAndCase("ＡＢＣabcABC１２３"), "abcabcabc123");
    EXPECT_EQ(foldWidthAndCase("コーヒー"), "ｺｰﾋｰ");
    EXPECT_EQ(foldWidthAndCase("ガンダム・パン"), "ｶﾞﾝﾀﾞﾑ･ﾊﾟﾝ");
    EXPECT_EQ(foldWidthAndCase("ヴ"), "ｳﾞ");
    EXPECT_EQ(foldWidthAndCase("「あ」、。　"), "｢あ｣､｡ ");
    EXPECT_EQ(foldWidthAndCase("＞＞１２"), ">>12");
    // Hiragana and kanji stay; katakana without a half-width form stay full-width.
    EXPECT_EQ(foldWidthAndCase("てすと漢字ヶヵヰ"), "てすと漢字ヶヵヰ");
    // CP932 has no single byte for the yen sign (its 0x5C is the backslash).
    EXPECT_EQ(foldWidthAndCase("￥＼"), "￥\\");
    EXPECT_EQ(foldWidthAndCase(""), "");
}

TEST(Folding, KanaFoldingEquatesHiraganaKatakanaAndBothWidths) {
    const std::string folded = foldKana("テスト");
    EXPECT_EQ(folded, "ﾃｽﾄ");
    EXPECT_EQ(foldKana("てすと"), folded);
    EXPECT_EQ(foldKana("ﾃｽﾄ"), folded);
    EXPECT_EQ(foldKana("がぱゐ"), "ｶﾞﾊﾟヰ");
    EXPECT_EQ(foldKana("ＡＢＣ漢字"), "abc漢字");
    // Width folding keeps hiragana apart from katakana.
    EXPECT_NE(foldWidthAndCase("てすと"), foldWidthAndCase("テスト"));
}

TEST(Folding, BrokenDoubleByteCharactersAreCopied) {
    // A lead byte before a byte that can't follow it, and one at the end.
    EXPECT_EQ(foldWidthAndCase("\x81\x0d"
                               "Ａ\x82"),
              "\x81\x0d"
              "a\x82");
    EXPECT_EQ(foldKana("\x82"), "\x82");
}

TEST(Folding, InPlace) {
    std::string text = "ガＡが";
    text.resize(foldKana(text.data(), text.size(), text.data()));
    EXPECT_EQ(text, "ｶﾞaｶﾞ");
}
