// Containment on Shift_JIS text that counts an occurrence only where a character starts.
#include "platform/WholeCharSearch.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace lorvanel;

namespace {

// The rule itself: walk the text from its start, one character at a time, and compare at each
// character's start.
std::ptrdiff_t walkedFind(const std::string& text, const std::string& needle) {
    for (std::size_t i = 0; i + needle.size() <= text.size();) {
        if (text.compare(i, needle.size(), needle) == 0) return static_cast<std::ptrdiff_t>(i);
        i += isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    }
    return -1;
}

std::ptrdiff_t helperFind(const std::string& text, const std::string& needle) {
    const char* hit = findWholeChars(text, needle);
    return hit ? hit - text.data() : -1;
}

} // namespace

TEST(WholeCharSearch, SecondBytesAreNotCharacterStarts) {
    // ア is 0x83 0x41, ソ 0x83 0x5C, 表 0x95 0x5C, 朝 0x92 0xA9, 岩 0x8A 0xE2 (a lead-range
    // second byte), ｱ the single byte 0xB1.
    EXPECT_FALSE(containsWholeChars("アイス", "A"));
    EXPECT_FALSE(containsWholeChars(std::string_view("表"), "\\"));
    EXPECT_FALSE(containsWholeChars("\x8aw", "w")); // a lead byte before "w" takes it
    EXPECT_TRUE(containsWholeChars("アA", "A"));
    EXPECT_TRUE(containsWholeChars("表\\", "\\"));
    EXPECT_TRUE(containsWholeChars("ｱA", "A"));
    // A later occurrence is tried when the first one is not on a boundary.
    EXPECT_EQ(helperFind("アAア", "A"), 2);
    // "\xE2\x8A" stands inside 岩岩 (0x8A 0xE2 0x8A 0xE2) across two characters' bytes only.
    EXPECT_EQ(helperFind("岩岩", "\xE2\x8A"), -1);
    EXPECT_EQ(helperFind("x岩岩", "岩"), 1);
    EXPECT_EQ(helperFind("", "A"), -1);
    EXPECT_EQ(helperFind("abc", ""), 0);
}

TEST(WholeCharSearch, AgreesWithWalkingFromTheStart) {
    // Texts of bytes drawn mostly from the lead range and the bytes a needle is made of, so
    // that byte hits off the character boundaries are common.
    std::mt19937 rng(24);
    const unsigned char alphabet[] = {0x81, 0x83, 0x8A, 0x95, 0xE0, 0xE2, 0xFC, 0x41,
                                      0x5C, 'w',  'A',  0xB1, '\r', '\n', 0x9F, 0x40};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
    std::uniform_int_distribution<int> length(0, 40), needleLength(1, 3);
    for (int round = 0; round < 20000; ++round) {
        std::string text, needle;
        for (int i = length(rng); i > 0; --i) text += static_cast<char>(alphabet[pick(rng)]);
        for (int i = needleLength(rng); i > 0; --i)
            needle += static_cast<char>(alphabet[pick(rng)]);
        ASSERT_EQ(helperFind(text, needle), walkedFind(text, needle)) << "round " << round;
        ASSERT_EQ(containsWholeChars(text.c_str(), needle.c_str()), walkedFind(text, needle) >= 0);
    }
}
