#include "platform/Encoding.h"
#include "platform/Mbcs.h"

#include <gtest/gtest.h>

using namespace lorvanel;

// This file's literals are CP932 bytes (the core's execution character set); u8 literals
// stay UTF-8.
TEST(Encoding, RoundTrip) {
    const std::string sjis = "完了 %d㍉ﾋﾞｮ ＠ ２ちゃんねる ～ ソ表";
    const std::string utf8 =
        reinterpret_cast<const char*>(u8"完了 %d㍉ﾋﾞｮ ＠ ２ちゃんねる ～ ソ表");
    EXPECT_EQ(cp932ToUtf8(sjis), utf8);
    std::string back;
    ASSERT_TRUE(utf8ToCp932(utf8, back));
    EXPECT_EQ(back, sjis);
}

TEST(Encoding, UndecodableBytesBecomeReplacementCharacters) {
    const std::string fffd = reinterpret_cast<const char*>(u8"\uFFFD");
    EXPECT_EQ(cp932ToUtf8("a\x81"), "a" + fffd); // lone lead byte at the end
    EXPECT_EQ(cp932ToUtf8("\x81"
                          "\x0a"
                          "b"),
              fffd + "\nb"); // lead byte with a bad trail
    EXPECT_EQ(cp932ToUtf8("\xFD"), fffd);
    EXPECT_EQ(cp932ToUtf8(std::string("\0z", 2)), std::string("\0z", 2));
}

TEST(Encoding, UnconvertibleUtf8IsRefused) {
    std::string out;
    EXPECT_FALSE(utf8ToCp932("\xF0\x9F\x98\x80", out));
    EXPECT_FALSE(utf8ToCp932("\xC3", out)); // truncated UTF-8
    EXPECT_TRUE(utf8ToCp932("", out));
    EXPECT_EQ(out, "");
}

TEST(Mbcs, ByteClasses) {
    EXPECT_TRUE(isLeadByte(0x81));
    EXPECT_TRUE(isLeadByte(0x9F));
    EXPECT_TRUE(isLeadByte(0xE0));
    EXPECT_TRUE(isLeadByte(0xFC));
    EXPECT_FALSE(isLeadByte(0x80));
    EXPECT_FALSE(isLeadByte(0xA1)); // half-width katakana
    EXPECT_FALSE(isLeadByte(0xFD));
    EXPECT_TRUE(isTrailByte(0x40));
    EXPECT_TRUE(isTrailByte(0x5C));
    EXPECT_FALSE(isTrailByte(0x7F));
    EXPECT_FALSE(isTrailByte(0x3F));
}

TEST(Mbcs, PunctuationAndSpace) {
    EXPECT_TRUE(isMbcSpace(0x8140));
    EXPECT_FALSE(isMbcSpace(0x8141));
    EXPECT_TRUE(isMbcPunct(0x8141));  // 、
    EXPECT_TRUE(isMbcPunct(0x81A0));  // □
    EXPECT_TRUE(isMbcPunct(0x849F));  // ─
    EXPECT_TRUE(isMbcPunct(0x8740));  // ①
    EXPECT_FALSE(isMbcPunct(0x8140)); // the space is not punctuation
    EXPECT_FALSE(isMbcPunct(0x82A0)); // あ
    EXPECT_FALSE(isMbcPunct(0x8260)); // Ａ
    EXPECT_FALSE(isMbcPunct(0x889F)); // 亜
}
