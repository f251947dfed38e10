#include "keywords/KeywordSet.h"
#include "match/Regex.h"
#include "platform/File.h"
#include "support/RecordingAlertSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lorvanel;
using lorvanel::testing::recordedAlerts;
using lorvanel::testing::TempDir;

TEST(KeywordSet, GroupsOfEqualNameMergeAndLinesBeforeTheFirstGroupAreIgnored) {
    const KeywordSet set = parseKeywordSet("k", "abc\r\n★A\r\n@テスト\r\n*ab+c\r\n★A\r\nxyz\r\n");
    EXPECT_EQ(set.name, "k");
    ASSERT_EQ(set.groups.size(), 1u);
    const KeywordGroup& g = set.groups[0];
    EXPECT_EQ(g.name, "A");
    ASSERT_EQ(g.entries.size(), 3u);
    EXPECT_EQ(g.entries[0].text, "テスト");
    EXPECT_FALSE(g.entries[0].regex());
    EXPECT_FALSE(g.entries[0].kanaInsensitive());
    EXPECT_EQ(g.entries[0].folded, "ﾃｽﾄ");
    EXPECT_EQ(g.entries[1].text, "ab+c");
    EXPECT_TRUE(g.entries[1].regex());
    EXPECT_TRUE(g.entries[1].kanaInsensitive());
    EXPECT_EQ(g.entries[2].text, "xyz");
}

TEST(KeywordSet, PrefixesAndFoldedTexts) {
    const KeywordSet set = parseKeywordSet("k", "★G\n@*@てすと\n*@\nてすと\nＡＢＣ\n**@ＡＢＣ\n");
    const auto& e = set.groups.at(0).entries;
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].text, "てすと");
    EXPECT_TRUE(e[0].regex());
    EXPECT_FALSE(e[0].kanaInsensitive());
    EXPECT_EQ(e[0].folded, "てすと"); // width folding keeps hiragana
    EXPECT_EQ(e[1].text, "");
    EXPECT_EQ(e[2].folded, "ﾃｽﾄ"); // kana folding turns them into katakana
    EXPECT_EQ(e[3].folded, "abc");
    EXPECT_EQ(e[4].text, "ＡＢＣ");
    EXPECT_EQ(e[4].folded, "abc");
}

TEST(KeywordSet, LineEndsEmptyLinesAndGroupNames) {
    const KeywordSet set = parseKeywordSet("k", "★b\rA\nB\r\n\r\n\n★\r★B\r\nC\r\n★b\nD");
    ASSERT_EQ(set.groups.size(), 3u);
    EXPECT_EQ(set.groups[0].name, "b");
    EXPECT_EQ(set.groups[1].name, "");  // a bare star opens a group without a name
    EXPECT_EQ(set.groups[2].name, "B"); // names are case-sensitive
    ASSERT_EQ(set.groups[0].entries.size(), 3u);
    EXPECT_EQ(set.groups[0].entries[0].text, "A");
    EXPECT_EQ(set.groups[0].entries[1].text, "B");
    EXPECT_EQ(set.groups[0].entries[2].text, "D");
    EXPECT_TRUE(set.groups[1].entries.empty());
    EXPECT_EQ(set.groups[2].entries.at(0).text, "C");

    EXPECT_TRUE(parseKeywordSet("k", "abc\r\nxyz\r\n").groups.empty());
    EXPECT_TRUE(parseKeywordSet("k", "").groups.empty());
}

TEST(KeywordSet, NameIsTheBaseNameWithoutExtension) {
    EXPECT_EQ(keywordSetName("dir/sub/ネット用語.txt"), "ネット用語");
    EXPECT_EQ(keywordSetName("C:\\kw\\topic.list.txt"), "topic.list");
    EXPECT_EQ(keywordSetName("noext"), "noext");
}

TEST(KeywordSet, LoadingAFileAndAnUnreadableOne) {
    TempDir dir;
    const std::string path = dir.write("話題.txt", "★ゲーム\r\nＲＰＧ\r\n");
    KeywordSet set;
    ASSERT_TRUE(loadKeywordSet(path, set));
    EXPECT_EQ(set.name, "話題");
    EXPECT_EQ(set.groups.at(0).entries.at(0).folded, "rpg");

    recordedAlerts().clear();
    EXPECT_FALSE(loadKeywordSet(dir.file("missing.txt"), set));
    ASSERT_EQ(recordedAlerts().texts.size(), 1u);
    EXPECT_NE(recordedAlerts().texts[0].find("missing.txt"), std::string::npos);
    EXPECT_FALSE(loadKeywordSet(dir.path(), set)); // a directory
}

TEST(KeywordSet, BundledFilesParseAndTheirPatternsCompile) {
    const std::string dir = LORVANEL_SOURCE_DIR "/resources/keywords/";
    const std::vector<std::string> names = listFiles(dir, ".txt");
    ASSERT_GE(names.size(), 2u);
    recordedAlerts().clear();
    int patterns = 0;
    for (const std::string& name : names) {
        KeywordSet set;
        ASSERT_TRUE(loadKeywordSet(dir + name, set)) << name;
        EXPECT_GE(set.groups.size(), 2u) << name;
        for (const KeywordGroup& g : set.groups) {
            EXPECT_FALSE(g.entries.empty()) << name;
            for (const KeywordEntry& e : g.entries) {
                EXPECT_FALSE(e.text.empty()) << name;
                if (!e.regex()) continue;
                Regex regex;
                EXPECT_TRUE(regex.compile(e.folded)) << name << ": " << e.text;
                ++patterns;
            }
        }
    }
    EXPECT_GE(patterns, 1);
    EXPECT_TRUE(recordedAlerts().texts.empty());
}
