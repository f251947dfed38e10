#include "match/LiteralSet.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace lorvanel;

namespace {

bool anyFound(const std::vector<std::string>& literals, const std::string& text) {
    return std::any_of(literals.begin(), literals.end(),
                       [&](const std::string& l) { return text.find(l) != std::string::npos; });
}

} // namespace

// The one-pass scan must find exactly what a search for each literal finds: literals of one
// to three bytes from a small alphabet (lead and second bytes of double-byte characters among
// them), up to six of them so that some sets have more than the four bytes the scan compares
// at once, in texts of up to 70 bytes that put them across and at the edges of the sixteen-
// byte blocks.
TEST(LiteralSet, FindsWhatASearchForEachLiteralFinds) {
    const std::string alphabet = "ab>1 \n\x81\x84\x82\xA0\xFC";
    std::mt19937 rng(5);
    auto pick = [&] { return alphabet[rng() % alphabet.size()]; };
    int found = 0, missed = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::string> literals(1 + rng() % 6);
        for (std::string& l : literals)
            for (std::size_t k = 1 + rng() % 3; k > 0; --k) l += pick();
        const LiteralSet set(literals);
        for (int t = 0; t < 20; ++t) {
            std::string text;
            for (std::size_t k = rng() % 71; k > 0; --k) text += pick();
            const bool expected = anyFound(literals, text);
            ASSERT_EQ(set.foundIn(text), expected) << "text of " << text.size() << " bytes";
            (expected ? found : missed)++;
        }
    }
    EXPECT_GT(found, 10000);
    EXPECT_GT(missed, 10000);
}

TEST(LiteralSet, EveryBlockEdge) {
    // "＞" (0x81 0x84) is looked for by its second byte: found wherever it stands, also split
    // over two blocks, and not found where only one of its bytes is.
    const LiteralSet set({">", "\x81\x84"});
    for (std::size_t size = 2; size <= 40; ++size)
        for (std::size_t at = 0; at + 2 <= size; ++at) {
            std::string text(size, 'a');
            text[at] = '\x81';
            text[at + 1] = '\x84';
            EXPECT_TRUE(set.foundIn(text)) << size << " " << at;
            text[at] = 'x';
            EXPECT_FALSE(set.foundIn(text)) << size << " " << at;
            text[at + 1] = '>';
            EXPECT_TRUE(set.foundIn(text)) << size << " " << at;
        }
}

TEST(LiteralSet, EmptyLiteralIsFoundEverywhereAndNoLiteralNowhere) {
    EXPECT_TRUE(LiteralSet({"zz", ""}).foundIn(""));
    EXPECT_FALSE(LiteralSet({"zz", ""}).empty());
    EXPECT_TRUE(LiteralSet().empty());
    EXPECT_FALSE(LiteralSet().foundIn("abc"));
}
