#include "match/RegexLiterals.h"
#include "match/Regex.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace lorvanel;

namespace {
using Literals = std::vector<std::string>;

std::optional<Literals> literalsOf(const char* pattern) {
    return requiredLiterals(pattern);
}
} // namespace

TEST(RegexLiterals, LiteralRunsAndAlternatives) {
    EXPECT_EQ(literalsOf("gcc|clang"), (Literals{"gcc", "clang"}));
    EXPECT_EQ(literalsOf("python[0-9]?"), (Literals{"python"}));
    EXPECT_EQ(literalsOf("(コンビニ|スーパー)弁当?"), (Literals{"コンビニ", "スーパー"}));
    EXPECT_EQ(literalsOf("^ｷﾀ"), (Literals{"ｷﾀ"}));
    EXPECT_EQ(literalsOf("(>|＞)[1-9]"), (Literals{">", "＞"}));
    // A repeated atom ends its run; the longer run is kept.
    EXPECT_EQ(literalsOf("ab+cdef"), (Literals{"cdef"}));
    EXPECT_EQ(literalsOf("abcd+e"), (Literals{"abcd"}));
    // A double-byte character whose second byte is '|' or '\' stays one character.
    EXPECT_EQ(literalsOf("ポ|表"), (Literals{"ポ", "表"}));
}

TEST(RegexLiterals, NoneWhereAMatchNeedsNoLiteral) {
    for (const char* p :
         {"", "a*", "a?", "(ab)?", "a|", "|a", "[a-z]+", ".", "(a|b*)", "^$", "a*?", "x?+"})
        EXPECT_FALSE(literalsOf(p)) << p;
}

TEST(RegexLiterals, NoneForConstructsNotAnalysed) {
    for (const char* p : {"\\d+abc", "a{2}bc", "(?i)abc", "(?:abc)", "[[:alpha:]]abc", "[\\]]abc",
                          "abc)", "(abc", "[abc", "*abc", "ab{", "\x81"})
        EXPECT_FALSE(literalsOf(p)) << p;
}

// A random pattern of the analysed constructs, always well formed.
std::string randomPattern(std::mt19937& rng, int depth) {
    static const std::vector<std::string> atoms = {"a",    "b", "ア", "ポ", "[ab]",
                                                   "[^a]", ".", "^",  "$"};
    static const std::vector<std::string> quantifiers = {"", "", "", "?", "*", "+", "??", "+?"};
    std::string out;
    const int branches = depth < 2 && rng() % 4 == 0 ? 2 : 1;
    for (int b = 0; b < branches; ++b) {
        if (b) out += "|";
        const int n = static_cast<int>(rng() % 4);
        for (int i = 0; i < n; ++i) {
            std::string atom = depth < 2 && rng() % 5 == 0
                                   ? "(" + randomPattern(rng, depth + 1) + ")"
                                   : atoms[rng() % atoms.size()];
            out += atom;
            if (atom != "^" && atom != "$") out += quantifiers[rng() % quantifiers.size()];
        }
    }
    return out;
}

// Whatever the analysis says must hold for the engine: a text that the pattern matches
// contains one of the literals, and the search with the literals answers as one without.
TEST(RegexLiterals, EveryMatchContainsALiteral) {
    std::mt19937 rng(7);
    const std::vector<std::string> letters = {"a", "b", "ア", "ポ", "\r\n", "x"};
    int analysed = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string pattern = randomPattern(rng, 0);
        Regex regex;
        if (!regex.compile(pattern)) continue;
        // "(?:...)" is not analysed, so this regex always asks the engine.
        Regex engine;
        ASSERT_TRUE(engine.compile("(?:" + pattern + ")")) << pattern;
        const std::optional<Literals> literals = requiredLiterals(pattern);
        if (!literals) continue;
        ++analysed;
        for (int t = 0; t < 40; ++t) {
            std::string text;
            const int m = static_cast<int>(rng() % 7);
            for (int i = 0; i < m; ++i) text += letters[rng() % letters.size()];
            bool contains = false;
            for (const std::string& l : *literals) contains |= text.find(l) != std::string::npos;
            if (!contains) ASSERT_FALSE(engine.search(text)) << pattern << " on " << text;
            ASSERT_EQ(regex.search(text), engine.search(text)) << pattern << " on " << text;
        }
    }
    EXPECT_GT(analysed, 500);
}
