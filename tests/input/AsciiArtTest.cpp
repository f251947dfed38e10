#include "input/AsciiArt.h"
#include "input/PostRecord.h"
#include "platform/Mbcs.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace lorvanel;

namespace {
bool isArt(const std::string& body, PostRecord* keep = nullptr) {
    PostRecord local;
    PostRecord& r = keep ? *keep : local;
    r.body = body.c_str();
    return r.isAsciiArt();
}
std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}
} // namespace

TEST(AsciiArt, FullWidthPunctuationAndSpaces) {
    EXPECT_TRUE(isArt("　　（　´∀｀）　＜　「」、。"));
    EXPECT_TRUE(isArt("┌─┐│└┘"));
}

TEST(AsciiArt, EmptyBodyIsNot) {
    EXPECT_FALSE(isArt(""));
}

TEST(AsciiArt, ThresholdIsSixtyFivePercentInclusive) {
    // 13 symbols of 20 characters is exactly 65 %: art; 12 of 20 is not.
    EXPECT_TRUE(isArt(repeat("・", 13) + repeat("あ", 7)));
    EXPECT_FALSE(isArt(repeat("・", 12) + repeat("あ", 8)));
    EXPECT_TRUE(isArt(repeat("-", 13) + repeat("a", 7)));
    EXPECT_FALSE(isArt(repeat("-", 12) + repeat("a", 8)));
}

TEST(AsciiArt, PlainTextIsNot) {
    EXPECT_FALSE(isArt("今日はいい天気ですね"));
    EXPECT_FALSE(isArt("ＡＢＣ１２３ｱｲｳ"));
}

TEST(AsciiArt, AnswerIsCachedInFlags) {
    PostRecord r;
    std::string body = "・・・";
    EXPECT_TRUE(isArt(body, &r));
    EXPECT_TRUE(r.flags & PostRecord::kAsciiArt);
    // A changed body would now answer otherwise, but the cached answer stands.
    body = "abc";
    r.body = body.c_str();
    EXPECT_TRUE(r.isAsciiArt());

    PostRecord plain;
    EXPECT_FALSE(isArt("abc", &plain));
    EXPECT_TRUE(plain.flags & PostRecord::kNotAsciiArt);
}

TEST(AsciiArt, LoneLeadByteAtTheEndStaysInsideTheBody) {
    // The lead byte 0x81 alone at the end counts as one plain character.
    std::string body = "・・\x81";
    EXPECT_TRUE(isArt(body)); // 2 of 3
    EXPECT_FALSE(isArt("a\x81"));
}

TEST(AsciiArt, EveryCharacterIsClassifiedAsItsClassSays) {
    // One character alone is art exactly when it is a symbol.
    for (unsigned c = 1; c < 256; ++c) {
        if (isLeadByte(static_cast<unsigned char>(c))) {
            for (unsigned t = 1; t < 256; ++t) {
                const unsigned code = c * 256 + t;
                const bool symbol = isMbcPunct(code) || isMbcSpace(code) ||
                                    (code >= 0x8141 && code <= 0x81FC) ||
                                    (code >= 0x849F && code <= 0x84BE);
                const std::string body{static_cast<char>(c), static_cast<char>(t)};
                ASSERT_EQ(isArt(body), symbol) << std::hex << code;
            }
        } else {
            const bool symbol = (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) ||
                                (c >= 0x5B && c <= 0x60) || (c >= 0x7B && c <= 0x7E) || c == ' ' ||
                                (c >= 0x09 && c <= 0x0D);
            ASSERT_EQ(isArt(std::string(1, static_cast<char>(c))), symbol) << std::hex << c;
        }
    }
}

// The quick test settles most bodies by counting bytes and walks the characters of the rest;
// whatever the body, it must answer as the walk alone does. Bodies are drawn with a share of
// symbols of their own, so that they fall on both sides of the threshold and close to it;
// some are raw bytes of every value, some longer than a byte lane of the count holds.
TEST(AsciiArt, QuickTestAnswersAsTheCharacterWalk) {
    const std::vector<std::string> symbols = {
        "・", "　", "─", "┃", "＞", "（",       "∀",        "-",        " ",       "\r\n",
        ">",  "@",  "[", "{", "\t", "\x84\xBE", "\x87\x40", "\xEE\xEF", "\xFA\x40"};
    const std::vector<std::string> plain = {"あ", "漢", "ア",       "ｱ",        "a",        "Z",
                                            "7",  "Ａ", "\x84\x9E", "\x87\x9D", "\x82\x40", "\x81"};
    std::mt19937 rng(11);
    int art = 0, notArt = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string body;
        if (round % 4 == 0) {
            const std::size_t n = rng() % 40;
            for (std::size_t i = 0; i < n; ++i) body += static_cast<char>(1 + rng() % 255);
        } else {
            const std::size_t n = round % 100 == 1 ? 3000 + rng() % 3000 : rng() % 120;
            const unsigned share = 40 + rng() % 51; // per cent of symbol pieces
            for (std::size_t i = 0; i < n; ++i)
                body += rng() % 100 < share ? symbols[rng() % symbols.size()]
                                            : plain[rng() % plain.size()];
        }
        const bool expected = isAsciiArtTextByWalk(body.c_str());
        ASSERT_EQ(isAsciiArtText(body.c_str()), expected) << "body of " << body.size() << " bytes";
        (expected ? art : notArt)++;
    }
    EXPECT_GT(art, 2000);
    EXPECT_GT(notArt, 2000);
}
