#include "keywords/KeywordFileAnalysis.h"
#include "input/AnalysisLog.h"
#include "keywords/KeywordTestLog.h"
#include "support/RecordingAlertSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <new>

using namespace lorvanel;
using lorvanel::testing::KeywordPost;
using lorvanel::testing::KeywordTestLog;
using lorvanel::testing::recordedAlerts;
using lorvanel::testing::TempDir;

namespace {

// The counts of the set's groups over the log's posts, as "group=count word(n) ...;".
std::string counts(KeywordTestLog& t, const std::string& file) {
    EXPECT_TRUE(t.log.ensureFoldedBodies());
    const KeywordResult r = matchKeywordSet(parseKeywordSet("k", file), t.selection, t.log);
    std::string s;
    for (const KeywordGroupResult& g : r.groups) {
        s += g.name + "=" + std::to_string(g.count);
        for (const WordCount& w : g.words) s += " " + w.text + "(" + std::to_string(w.count) + ")";
        s += ";";
    }
    return s;
}

} // namespace

TEST(KeywordFileAnalysis, KanaInsensitiveAndCaseInsensitiveMatching) {
    KeywordTestLog t(
        {{"テストする"}, {"ﾃｽﾄ"}, {"てすとだよ"}, {"テキスト"}, {"abc"}, {"ＡＢＣ"}, {"aBc"}});
    EXPECT_EQ(counts(t, "★G\nてすと\n"), "G=3 てすと(3);");
    EXPECT_EQ(counts(t, "★G\n@てすと\n"), "G=1 てすと(1);");
    EXPECT_EQ(counts(t, "★G\n@テスト\n"), "G=2 テスト(2);"); // both widths of katakana
    EXPECT_EQ(counts(t, "★G\nABC\n"), "G=3 ABC(3);");
    EXPECT_EQ(counts(t, "★G\n@ａｂｃ\n"), "G=3 ａｂｃ(3);");
    EXPECT_EQ(counts(t, "★G\n存在しない\n"), "G=0;");
}

TEST(KeywordFileAnalysis, APostMatchedByTwoEntriesCountsTwice) {
    KeywordTestLog t({{"テスト"}});
    // Distinct texts: two rows; the same text written twice: one shared row.
    EXPECT_EQ(counts(t, "★G\nテスト\nﾃｽﾄ\n"), "G=2 テスト(1) ﾃｽﾄ(1);");
    EXPECT_EQ(counts(t, "★G\nテスト\n@テスト\n"), "G=2 テスト(2);");
}

TEST(KeywordFileAnalysis, PlainEntriesMatchWholeCharactersOnly) {
    // "表" and "予" end in 0x5C, which is no backslash there; a later backslash still counts.
    KeywordTestLog t({{"表示"}, {"表\\"}, {"\\表"}, {"予定表"}});
    EXPECT_EQ(counts(t, "★G\n\\\n表\n"), "G=6 表(4) \\(2);");
}

TEST(KeywordFileAnalysis, RegexEntries) {
    KeywordTestLog t({{"ＡＢＢＣ"}, {"テスト"}, {"ac"}, {"abc\x82"}});
    // Patterns are folded like texts: full-width letters and kana forms match too.
    EXPECT_EQ(counts(t, "★G\n*ＡＢ+Ｃ\n"), "G=2 ＡＢ+Ｃ(2);");
    EXPECT_EQ(counts(t, "★G\n*て.と\n"), "G=1 て.と(1);");
    EXPECT_EQ(counts(t, "★G\n*^a.?c$\n"), "G=1 ^a.?c$(1);");
}

TEST(KeywordFileAnalysis, EscapeLettersOfPatternsKeepTheirCase) {
    KeywordTestLog t({{"A B"}, {"ab"}, {"x1"}});
    // \S is "not a space": folded to \s it would find the space instead.
    EXPECT_EQ(counts(t, "★G\n*^\\S\\S$\n"), "G=2 ^\\S\\S$(2);");
    EXPECT_EQ(counts(t, "★G\n*\\D$\n"), "G=2 \\D$(2);");
    // Letters outside escapes still fold, and an escaped backslash is not an escape.
    EXPECT_EQ(counts(t, "★G\n*^AB\n"), "G=1 ^AB(1);");
    const KeywordSet set = parseKeywordSet("k", "★G\n*\\\\S\\W\n");
    EXPECT_EQ(set.groups.at(0).entries.at(0).folded, "\\\\s\\W");
}

TEST(KeywordFileAnalysis, ABadPatternIsReportedOnceAndSkipped) {
    KeywordTestLog t({{"abc"}, {"abbc"}});
    recordedAlerts().clear();
    analysisLog().clear();
    EXPECT_EQ(counts(t, "★G\n*(\n*ab+c\n"), "G=2 ab+c(2);");
    ASSERT_EQ(recordedAlerts().texts.size(), 1u);
    EXPECT_EQ(recordedAlerts().texts[0], "(\n正規表現の解析に失敗しました");
    EXPECT_EQ(analysisLog().text(), "(\n正規表現の解析に失敗しました\r\n");
}

TEST(KeywordFileAnalysis, PageText) {
    KeywordTestLog t({{"ワロタｗｗｗ"}, {"草生える"}, {"ﾜﾛﾀ (^^)"}, {"普通の書き込み"}});
    TempDir dir;
    const std::string path = dir.write("net.txt", "★スラング\r\nワロタ\r\n草\r\n*w{3,}\r\n"
                                                  "★顔文字\r\n(^^)\r\n★なし\r\n存在しない\r\n");
    ResultPage page;
    KeywordFileFailure why = KeywordFileFailure::kNoGroups;
    ASSERT_TRUE(analyzeKeywordFile(t.selection, t.log, path, page, &why));
    EXPECT_EQ(why, KeywordFileFailure::kNone);
    EXPECT_EQ(page.title, "net");
    EXPECT_EQ(page.text, "★net\r\n"
                         "期間: 2008/01/11～2008/01/11\r\n"
                         "スラング: 4/4(100.00%)\r\n"
                         "顔文字: 1/4(25.00%)\r\n"
                         "なし: 0/4(0.00%)\r\n"
                         "総合: 5/4(125.00%)\r\n"
                         "--------------------------------------------\r\n"
                         "★net結果詳細"
                         "\r\n・スラング: 4/4(100.00%)\r\n"
                         "　ワロタ(2) w{3,}(1) 草(1) \r\n"
                         "\r\n・顔文字: 1/4(25.00%)\r\n"
                         "　(^^)(1) \r\n"
                         "\r\n・なし: 0/4(0.00%)\r\n"
                         "　");
}

TEST(KeywordFileAnalysis, PeriodSpansTheSelection) {
    KeywordTestLog t({{"a"}, {"b"}, {"c"}});
    t.selection.items().pop_front();
    t.log.posts.back()->time += 86400 * 40;
    ASSERT_TRUE(t.log.ensureFoldedBodies());
    const KeywordResult r = matchKeywordSet(parseKeywordSet("k", "★G\nb\n"), t.selection, t.log);
    EXPECT_EQ(r.posts, 2);
    EXPECT_EQ(r.total, 1);
    EXPECT_NE(formatKeywordResult(r).find("期間: 2008/01/11～2008/02/20\r\n"), std::string::npos);
}

TEST(KeywordFileAnalysis, Failures) {
    TempDir dir;
    const std::string good = dir.write("good.txt", "★G\nx\n");
    const std::string noGroup = dir.write("nogroup.txt", "x\ny\n");
    KeywordTestLog t({{"x"}});
    ResultPage page{"untouched", "untouched"};
    KeywordFileFailure why = KeywordFileFailure::kNone;
    recordedAlerts().clear();

    EXPECT_FALSE(analyzeKeywordFile(PostList(), t.log, good, page, &why));
    EXPECT_EQ(why, KeywordFileFailure::kEmptySelection);
    EXPECT_FALSE(analyzeKeywordFile(t.selection, t.log, noGroup, page, &why));
    EXPECT_EQ(why, KeywordFileFailure::kNoGroups);
    EXPECT_TRUE(recordedAlerts().texts.empty());

    EXPECT_FALSE(analyzeKeywordFile(t.selection, t.log, dir.file("gone.txt"), page, &why));
    EXPECT_EQ(why, KeywordFileFailure::kUnreadable);
    EXPECT_EQ(recordedAlerts().texts.size(), 1u);

    PostLog noText; // the selection's log has gone
    EXPECT_FALSE(analyzeKeywordFile(t.selection, noText, good, page, &why));
    EXPECT_EQ(why, KeywordFileFailure::kNoFoldedBody);

    setTextAllocator([](std::size_t) -> std::unique_ptr<char[]> { throw std::bad_alloc(); });
    EXPECT_FALSE(analyzeKeywordFile(t.selection, t.log, good, page, &why));
    setTextAllocator(nullptr);
    EXPECT_EQ(why, KeywordFileFailure::kNoFoldedBody);
    EXPECT_EQ(page.title, "untouched");
    EXPECT_EQ(page.text, "untouched");
}

TEST(KeywordFileAnalysis, BundledEmoticonPatterns) {
    KeywordTestLog t({{"キタ━━━(ﾟ∀ﾟ)━━━!!"}, {"(;´Д`)ﾊｧﾊｧ"}, {"(´・ω・｀)ｼｮﾎﾞｰﾝ"}, {"(ﾟДﾟ)ﾊｧ?"}});
    KeywordSet set;
    // The file name is UTF-8 on disk, while this file's plain literals are CP932.
    const std::string path = std::string(LORVANEL_SOURCE_DIR) +
                             reinterpret_cast<const char*>(u8"/resources/keywords/顔文字.txt");
    ASSERT_TRUE(loadKeywordSet(path, set));
    EXPECT_EQ(set.name, "顔文字");
    ASSERT_TRUE(t.log.ensureFoldedBodies());
    const KeywordResult r = matchKeywordSet(set, t.selection, t.log);
    std::string s;
    for (const KeywordGroupResult& g : r.groups) s += g.name + "=" + std::to_string(g.count) + ";";
    EXPECT_EQ(s, "喜び=1;悲しみ=2;驚き=1;怒り=0;");
    EXPECT_EQ(r.total, 4);
}
