// Keyword files that are not clean CP932: lead bytes without their trail byte (before a line
// break and at the end of the file) and bytes that CP932 never uses. Lines still end at
// their breaks, nothing is read past the text, and the broken keywords match only what they
// spell byte for byte.
#include "keywords/KeywordFileAnalysis.h"
#include "keywords/KeywordSet.h"
#include "keywords/KeywordTestLog.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lorvanel;
using lorvanel::testing::KeywordTestLog;
using lorvanel::testing::TempDir;

TEST(HostileKeywordFile, InvalidCp932Bytes) {
    const std::string text = "★壊れ\x81\r\n\x81\r\nab\xff\r\n@\xfd\xfe\n★\x82\rテスト\x83";
    const KeywordSet set = parseKeywordSet("bad", text);
    ASSERT_EQ(set.groups.size(), 2u);
    EXPECT_EQ(set.groups[0].name, "壊れ\x81");
    ASSERT_EQ(set.groups[0].entries.size(), 3u);
    EXPECT_EQ(set.groups[0].entries[0].text, "\x81");
    EXPECT_EQ(set.groups[0].entries[1].text, "ab\xff");
    EXPECT_EQ(set.groups[0].entries[2].text, "\xfd\xfe");
    EXPECT_FALSE(set.groups[0].entries[2].kanaInsensitive());
    EXPECT_EQ(set.groups[1].name, "\x82");
    ASSERT_EQ(set.groups[1].entries.size(), 1u);
    EXPECT_EQ(set.groups[1].entries[0].text, "テスト\x83");
    for (const KeywordGroup& g : set.groups)
        for (const KeywordEntry& e : g.entries) EXPECT_LE(e.folded.size(), e.text.size());

    // The last post's body ends in a lead byte, as a cut log may leave it.
    KeywordTestLog t({{"xab\xffy"}, {"ｔｅｓｔ\xfd\xfe"}, {"てすと\x83"}, {"\x81\x40"}});
    TempDir dir;
    const std::string path = dir.write("bad.txt", text);
    ResultPage page;
    KeywordFileFailure why = KeywordFileFailure::kNoGroups;
    ASSERT_TRUE(analyzeKeywordFile(t.selection, t.log, path, page, &why));
    EXPECT_EQ(why, KeywordFileFailure::kNone);
    const KeywordResult r = matchKeywordSet(set, t.selection, t.log);
    ASSERT_EQ(r.groups.size(), 2u);
    // "ab\xff" and "\xfd\xfe" match the posts that hold them; the lone lead byte 0x81 does not
    // match the full-width space 0x81 0x40, which folds to a blank.
    EXPECT_EQ(r.groups[0].count, 2);
    ASSERT_EQ(r.groups[0].words.size(), 2u);
    EXPECT_EQ(r.groups[0].words[0].text, "ab\xff");
    EXPECT_EQ(r.groups[0].words[1].text, "\xfd\xfe");
    // Kana folding makes the hiragana body and the katakana keyword one text.
    EXPECT_EQ(r.groups[1].count, 1);
    EXPECT_EQ(r.total, 3);
}
