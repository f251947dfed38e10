// The post list's search: which row of which post a pattern is found on.
#include "postlist/PostSearch.h"
#include "postlist/PostFixture.h"
#include "postlist/PostText.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace lorvanel;
using lorvanel::testing::PostFixture;

namespace {

// Every hit of repeated searches, each starting after the previous hit, as F3 does.
std::vector<RowIndex> allHits(const PostRows& rows, const std::string& pattern,
                              RowIndex from = -1) {
    std::vector<RowIndex> hits;
    for (std::optional<RowIndex> hit; (hit = searchRows(rows, pattern, from)); from = *hit)
        hits.push_back(*hit);
    return hits;
}

} // namespace

TEST(PostSearch, FieldsOfEachRow) {
    PostFixture f;
    f.add("猫のスレ", "名無し", "sage", "犬\r\n猫\r\n鳥");       // rows 0..5
    f.add("犬のスレ", "猫好き", "age", "なし");                  // rows 6..9
    f.add("鳥のスレ", "名無し", "猫", "鳥");                     // rows 10..13
    f.add("スレ", "名無し", "", "前半の猫\r\n後半の猫\r\n猫猫"); // rows 14..19
    const PostRows rows(f.list());
    // Title, a body line, a name-only hit on row 1 (the mail lacks it), a mail hit, and each
    // row once however often it holds the pattern.
    EXPECT_EQ(allHits(rows, "猫"), (std::vector<RowIndex>{0, 3, 7, 11, 16, 17, 18}));
    // Searching again after the last hit finds nothing: no wrap-around.
    EXPECT_EQ(searchRows(rows, "猫", 18), std::nullopt);
    // Starting inside a post: the rows after the selection only.
    EXPECT_EQ(searchRows(rows, "猫", 0), 3);
    EXPECT_EQ(searchRows(rows, "猫", 16), 17);
    EXPECT_EQ(searchRows(rows, "鳥", 1), 4);
    EXPECT_EQ(searchRows(rows, "鳥", 4), 10);
    // An empty pattern, a miss, byte-wise case-sensitive matching.
    EXPECT_EQ(searchRows(rows, "", -1), std::nullopt);
    EXPECT_EQ(searchRows(rows, "象", -1), std::nullopt);
    EXPECT_EQ(searchRows(rows, "SAGE", -1), std::nullopt);
    EXPECT_EQ(searchRows(rows, "sage", -1), 1);
    EXPECT_EQ(searchRows(rows, std::string("猫\0", 3), -1), std::nullopt);
    // A selection beyond the list.
    EXPECT_EQ(searchRows(rows, "猫", rows.totalRows() - 1), std::nullopt);
    EXPECT_EQ(searchRows(PostRows(), "猫", -1), std::nullopt);
}

TEST(PostSearch, PatternSpanningTwoLinesIsNotFound) {
    PostFixture f;
    f.body("前の行\r\n次の行");
    f.body("前の行次の行");
    const PostRows rows(f.list());
    // The first body passes the whole-body test for "行\r\n次" but no line holds it.
    EXPECT_EQ(allHits(rows, "行\r\n次"), std::vector<RowIndex>{});
    EXPECT_EQ(allHits(rows, "行次"), std::vector<RowIndex>{7});
}

TEST(PostSearch, LinesBeyondTheBodyRowsCountForTheLastBodyRow) {
    PostFixture f;
    f.body("a\nb\nc", 1); // one body row holding three lines: row 2
    f.body("x\ny", 3);    // rows 6..8 for "x", "y" and nothing
    const PostRows rows(f.list());
    EXPECT_EQ(allHits(rows, "c"), std::vector<RowIndex>{2});
    EXPECT_EQ(allHits(rows, "y"), std::vector<RowIndex>{7});
    // The joined row shows "a b c", but the search tests lines.
    EXPECT_EQ(allHits(rows, "a b"), std::vector<RowIndex>{});
}

TEST(PostSearch, EveryHitIsARowHoldingThePattern) {
    PostFixture f;
    std::mt19937 rng(3);
    const char* pieces[] = {"猫", "a", "\r\n", "\n", "\r", "ab", " "};
    auto text = [&](int n) {
        std::string s;
        for (; n > 0; --n) s += pieces[rng() % 7];
        return s;
    };
    for (int i = 0; i < 400; ++i)
        f.add(text(2), text(2), text(1), text(static_cast<int>(rng() % 10)),
              static_cast<int>(rng() % 5));
    const PostRows rows(f.list());
    for (const std::string pattern : {"a", "猫", "ab", "a猫"}) {
        RowIndex previous = -1;
        for (const RowIndex hit : allHits(rows, pattern)) {
            ASSERT_GT(hit, previous);
            previous = hit;
            const RowPosition at = rows.locate(hit);
            ASSERT_LT(at.offset, rows.rowsOf(at.post) - 1);
            std::string line;
            appendPostLine(line, rows.post(at.post), at.offset);
            EXPECT_NE(line.find(pattern), std::string::npos) << pattern << " row " << hit;
        }
    }
}

TEST(PostSearch, OnlyWholeCharactersAreFound) {
    PostFixture f;
    f.add("アイス", "アイス", "アイス", "アイス\r\n表"); // rows 0..4: no "A", no "\"
    f.add("Aのスレ", "名無し", "", "表\\\r\nアイスA");   // rows 5..9
    f.add("スレ", "\x8Aw", "", "\x8Aw");                 // rows 10..13: "w" only as a second byte
    const PostRows rows(f.list());
    EXPECT_EQ(allHits(rows, "A"), (std::vector<RowIndex>{5, 8}));
    EXPECT_EQ(allHits(rows, "\\"), (std::vector<RowIndex>{7}));
    EXPECT_EQ(allHits(rows, "w"), (std::vector<RowIndex>{}));
    EXPECT_EQ(allHits(rows, "ア"), (std::vector<RowIndex>{0, 1, 2, 8}));
}

TEST(PostSearch, OptionsFoldAndExpressionsSeeLines) {
    PostFixture f;
    f.add("ＡＢＣ", "名無し", "", "\x8Aw\r\nてすと"); // rows 0..4
    f.add("スレ", "名無し", "", "テスト\r\nxyz");     // rows 5..9
    const PostRows rows(f.list());
    auto hits = [&](const char* pattern, SearchOptions o) {
        std::vector<RowIndex> out;
        const SearchPattern p(pattern, o);
        for (std::optional<RowIndex> hit, from = -1; (hit = searchRows(rows, p, *from)); from = hit)
            out.push_back(*hit);
        return out;
    };
    const SearchOptions exact;
    SearchOptions noCase;
    noCase.matchCase = false;
    SearchOptions noKana;
    noKana.matchKana = false;
    SearchOptions regex;
    regex.regex = true;
    EXPECT_EQ(hits("abc", exact), std::vector<RowIndex>{});
    EXPECT_EQ(hits("abc", noCase), std::vector<RowIndex>{0});
    // Folded texts are searched by whole characters too: "w" is a kanji's second byte here.
    EXPECT_EQ(hits("W", noCase), std::vector<RowIndex>{});
    EXPECT_EQ(hits("テスト", noCase), std::vector<RowIndex>{7});
    EXPECT_EQ(hits("テスト", noKana), (std::vector<RowIndex>{3, 7}));
    // An expression is matched line by line: "^" and "$" at each line.
    EXPECT_EQ(hits("^xyz$", regex), std::vector<RowIndex>{8});
    EXPECT_EQ(hits("^[てテ]す", regex), std::vector<RowIndex>{3});
    // The options' defaults are the exact search.
    EXPECT_EQ(hits("テスト", exact), allHits(rows, "テスト"));
    const SearchPattern bad("(", regex);
    EXPECT_FALSE(bad.usable());
    EXPECT_EQ(bad.error(), "正規表現の書式が不正です\n'('");
    EXPECT_EQ(searchRows(rows, bad, -1), std::nullopt);
    EXPECT_FALSE(SearchPattern("", noCase).usable());
}
