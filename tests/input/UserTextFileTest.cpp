// Keyword files and the filter memo in either encoding a user's editor may save them in.
#include "input/UserTextFile.h"
#include "keywords/KeywordSet.h"
#include "platform/Encoding.h"
#include "support/CliRunner.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

using lorvanel::userTextAsCp932;
using lorvanel::testing::TempDir;

TEST(UserTextFile, Utf8IsConvertedAndCp932KeptAsItIs) {
    const std::string cp932 = "★ゲーム\r\nＲＰＧ\r\n"; // the literal is CP932
    struct Case {
        const char* what;
        std::string bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"CP932", cp932, cp932},
        {"ASCII", "abc\r\n*a+b\r\n", "abc\r\n*a+b\r\n"},
        {"UTF-8", U8("★ゲーム\r\nＲＰＧ\r\n"), cp932},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + U8("★ゲーム\r\nＲＰＧ\r\n"), cp932},
        {"ASCII with BOM",
         "\xEF\xBB\xBF"
         "abc\n",
         "abc\n"},
        // What CP932 lacks becomes a reference, as in JDim's log.
        {"emoji", U8("★猫\n🐈\n"), "★猫\n&#128008;\n"},
        // Half-width kana in CP932 is not valid UTF-8 ...
        {"CP932 kana", "ｱｲｳ", "ｱｲｳ"},
        // ... nor are broken sequences: the bytes are taken as CP932.
        {"cut UTF-8", U8("ゲーム").substr(0, 4), U8("ゲーム").substr(0, 4)},
        {"overlong", "\xC0\xAF", "\xC0\xAF"},
        {"surrogate", "\xED\xA0\x80", "\xED\xA0\x80"},
    };
    for (const Case& c : cases) EXPECT_EQ(userTextAsCp932(c.bytes), c.expected) << c.what;
}

TEST(UserTextFile, AUtf8KeywordFileHasItsGroups) {
    TempDir dir;
    for (const std::string& bom : {std::string(), std::string("\xEF\xBB\xBF")}) {
        const std::string path =
            dir.write("topics.txt", bom + U8("★ゲーム\nＲＰＧ\n@てすと\n★猫\n*ねこ|ネコ\n"));
        lorvanel::KeywordSet set;
        ASSERT_TRUE(lorvanel::loadKeywordSet(path, set));
        ASSERT_EQ(set.groups.size(), 2u) << bom.size();
        EXPECT_EQ(set.groups[0].name, "ゲーム");
        EXPECT_EQ(set.groups[0].entries.at(0).folded, "rpg");
        EXPECT_FALSE(set.groups[0].entries.at(1).kanaInsensitive()); // "@"
        EXPECT_EQ(set.groups[1].name, "猫");
        EXPECT_TRUE(set.groups[1].entries.at(0).regex());
    }
}

TEST(UserTextFile, TheFilterLanguageGuideHoldsTheMemosText) {
    // docs/filter-language.md is written from FilterMemo.txt (tools/filter_memo_markdown.py):
    // every line of the memo stands in it, in order.
    const std::string memo = lorvanel::cp932ToUtf8(
        lorvanel::testing::readFile(LORVANEL_SOURCE_DIR "/resources/FilterMemo.txt"));
    const std::string guide =
        lorvanel::testing::readFile(LORVANEL_SOURCE_DIR "/docs/filter-language.md");
    ASSERT_FALSE(memo.empty());
    std::size_t at = 0;
    std::size_t lines = 0;
    for (std::size_t start = 0; start < memo.size();) {
        std::size_t end = memo.find('\n', start);
        if (end == std::string::npos) end = memo.size();
        std::string line = memo.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line.rfind(U8("■"), 0) == 0) line = "## " + line.substr(U8("■").size());
        if (line.empty()) continue;
        const std::size_t found = guide.find(line, at);
        ASSERT_NE(found, std::string::npos) << "not in docs/filter-language.md: " << line;
        at = found + line.size();
        ++lines;
    }
    EXPECT_GT(lines, 100u);
}
