// The post list's row layout, the post texts and the copy of a row range.
#include "postlist/PostRows.h"
#include "postlist/PostFixture.h"
#include "postlist/PostText.h"
#include "postlist/RowCopy.h"

#include <climits>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace lorvanel;
using lorvanel::testing::PostFixture;

// Row numbers past four billion (posts of up to two billion lines each):
// every first row, row count and lookup agrees with plain 64-bit sums.
TEST(PostRows, LayoutsPastFourBillionRowsAgreeWithWholeSums) {
    std::mt19937 random(4);
    for (int round = 0; round < 20; ++round) {
        PostFixture f;
        const int posts = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < posts; ++i) {
            const int kind = static_cast<int>(random() % 3);
            f.body("x", kind == 0   ? static_cast<int>(random() % 5)
                        : kind == 1 ? INT32_MAX - 3
                                    : static_cast<int>(random() % (INT32_MAX - 3)));
        }
        std::vector<RowIndex> first = {0};
        for (const PostRecord* r : f.list()) first.push_back(first.back() + rowCountOf(*r));
        const PostRows rows(f.list());
        ASSERT_EQ(rows.totalRows(), first.back());
        for (std::size_t i = 0; i < rows.postCount(); ++i) {
            ASSERT_EQ(rows.firstRowOf(i), first[i]) << i;
            ASSERT_EQ(rows.rowsOf(i), first[i + 1] - first[i]) << i;
            for (const RowIndex row : {first[i], first[i + 1] - 1, (first[i] + first[i + 1]) / 2}) {
                const RowPosition at = rows.locate(row);
                ASSERT_EQ(at.post, i) << row;
                ASSERT_EQ(at.offset, row - first[i]) << row;
            }
        }
    }
}

TEST(PostRows, RowsPerPostAndTheirLookup) {
    PostFixture f;
    f.body("一行");
    f.body("一行");
    f.body("一行");
    EXPECT_EQ(PostRows(f.list()).totalRows(), 12);

    PostFixture g;
    g.body("a\r\nb\r\nc"); // 6 rows: 0..5
    g.body("");            // 4 rows: 6..9
    g.body("x", 0);        // a line count of 0 still gives the body its row: 10..13
    g.body("a\r\nb", 2);   // 14..18
    const PostRows rows(g.list());
    EXPECT_EQ(rows.totalRows(), 19);
    EXPECT_EQ(rows.rowsOf(2), 4);
    const std::vector<std::pair<RowIndex, RowPosition>> expected = {
        {0, {0, 0}},  {5, {0, 5}},  {6, {1, 0}}, {9, {1, 3}},
        {10, {2, 0}}, {14, {3, 0}}, {18, {3, 4}}};
    for (const auto& [row, pos] : expected) {
        const RowPosition got = rows.locate(row);
        EXPECT_EQ(got.post, pos.post) << row;
        EXPECT_EQ(got.offset, pos.offset) << row;
    }

    PostRows none;
    EXPECT_EQ(none.totalRows(), 0);
    EXPECT_FALSE(none.contains(0));
}

TEST(PostRows, LookupAgreesWithAWalkOverManyPosts) {
    PostFixture f;
    std::mt19937 rng(7);
    for (int i = 0; i < 300; ++i) f.body("b", static_cast<int>(rng() % 101));
    const PostRows rows(f.list());
    RowIndex row = 0;
    for (std::size_t i = 0; i < rows.postCount(); ++i) {
        ASSERT_EQ(rows.firstRowOf(i), row);
        for (int k = 0; k < rows.rowsOf(i); ++k, ++row) {
            const RowPosition pos = rows.locate(row);
            ASSERT_EQ(pos.post, i);
            ASSERT_EQ(pos.offset, k);
        }
    }
    EXPECT_EQ(rows.totalRows(), row);
}

TEST(PostText, DateAndTheWholeText) {
    PostFixture f;
    PostRecord& p = f.add("テストスレ", "名無しさん", "sage", "一行目\r\n二行目");
    EXPECT_EQ(postDateText(p), "2008/01/02(水) 03:05:05");
    EXPECT_EQ(postText(p), "テストスレ (ニュース速報)\r\n"
                           "名前：名無しさん[sage] 投稿日：2008/01/02(水) 03:05:05\r\n"
                           "一行目\r\n二行目\r\n\r\n");
    const char* const names[] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int d = 0; d < 7; ++d) {
        PostRecord day; // 2008-01-06 was a Sunday
        day.time = fromLocalTime(2008, 1, 6 + d, 23, 59, 59);
        const std::string dd = (6 + d < 10 ? "0" : "") + std::to_string(6 + d);
        EXPECT_EQ(postDateText(day), "2008/01/" + dd + "(" + names[d] + ") 23:59:59");
    }
}

TEST(PostText, TheBodyIsCopiedAsItStands) {
    PostFixture f;
    // Lone LFs, which the readers do not count: the last body row holds the rest, unchanged.
    const PostRecord& lf = f.body("a\nb\nc", 1);
    EXPECT_EQ(rowCountOf(lf), 4);
    EXPECT_EQ(postText(lf).substr(postText(lf).find("a\n")), "a\nb\nc\r\n\r\n");
    // A lone CR ends a row and stays a lone CR; a row's piece ends with the break after it.
    const PostRecord& cr = f.body("a\rb\r\nc", 3);
    std::string piece;
    appendPostLines(piece, cr, 2, 2);
    EXPECT_EQ(piece, "a\r");
    piece.clear();
    appendPostLines(piece, cr, 3, 4);
    EXPECT_EQ(piece, "b\r\nc\r\n");
    // Fewer lines than rows: the rows beyond the body are empty.
    const PostRecord& short_ = f.body("a", 3);
    EXPECT_EQ(postText(short_).substr(postText(short_).find("a\r\n")), "a\r\n\r\n\r\n\r\n");
    // Breaks in the one-line fields become spaces.
    const PostRecord& odd = f.add("ti\r\ntle", "na\nme", "ma\ril", "x");
    EXPECT_EQ(postText(odd).rfind("ti tle (ニュース速報)\r\n名前：na me[ma il] 投稿日：", 0), 0u);

    // Any body with any line count: the pieces of the rows one by one make the post's text,
    // each piece is its line and line end, and with the readers' line count (one more than
    // the CR bytes) the text holds the body exactly.
    std::mt19937 rng(11);
    const char alphabet[] = {'a', '\r', '\n', ' ', '\x82'};
    for (int i = 0; i < 500; ++i) {
        std::string body;
        for (int n = static_cast<int>(rng() % 12); n > 0; --n) body += alphabet[rng() % 5];
        const bool readersCount = i % 2 == 0;
        const PostRecord& p = f.body(body, readersCount ? -1 : static_cast<int>(rng() % 6));
        const std::string text = postText(p);
        std::string joined;
        for (int k = 0; k < rowCountOf(p); ++k) {
            const std::size_t before = joined.size();
            appendPostLines(joined, p, k, k);
            std::string one;
            appendPostLine(one, p, k);
            ASSERT_EQ(joined.compare(before, one.size(), one), 0) << body << " line " << k;
        }
        ASSERT_EQ(joined, text) << body;
        if (readersCount) {
            const std::size_t bodyAt = text.find("\r\n", text.find("投稿日：")) + 2;
            ASSERT_EQ(text.substr(bodyAt), body + "\r\n\r\n") << body;
        }
        // The list paints the same body rows as the copy walks.
        ShownBodyRowCursor shown(p.body, bodyRowCount(p));
        BodyRowCursor walked(p.body, bodyRowCount(p));
        for (int k = 0; k < bodyRowCount(p); ++k) {
            std::string painted, copied;
            appendShownRowText(painted, shown.next());
            appendShownRowText(copied, walked.next());
            ASSERT_EQ(painted, copied) << body << " row " << k;
        }
    }
}

TEST(PostText, ShownRowsAreCutAfterTheirLimitButCopiesStayWhole) {
    // Short rows are shown as they are, breaks as spaces.
    std::string shown;
    appendShownRowText(shown, "a\r\nb");
    EXPECT_EQ(shown, "a b");
    // A row of exactly the limit is whole; one character more is cut with "…".
    const std::string limit(kShownRowChars, 'x');
    shown.clear();
    appendShownRowText(shown, limit);
    EXPECT_EQ(shown, limit);
    shown.clear();
    appendShownRowText(shown, limit + "y");
    EXPECT_EQ(shown, limit + "…");
    // Double-byte characters count as one and are never split, whatever the byte offset.
    for (const std::string& lead : {std::string(), std::string("a")}) {
        std::string wide = lead;
        for (std::size_t i = 0; i < kShownRowChars + 5; ++i) wide += "あ";
        shown.clear();
        appendShownRowText(shown, wide);
        EXPECT_EQ(shown, wide.substr(0, lead.size() + 2 * (kShownRowChars - lead.size())) + "…");
    }

    // A body of one line of 3 MB: the row shown is bounded, the copy is the whole text.
    PostFixture f;
    const std::string line(3u << 20, 'z');
    const PostRecord& p = f.body(line);
    for (int rows = 1; rows <= 2; ++rows) {
        BodyRowCursor all(p.body, rows);
        ShownBodyRowCursor painted(p.body, rows);
        shown.clear();
        appendShownRowText(shown, all.next());
        EXPECT_EQ(shown.size(), kShownRowChars + std::string("…").size());
        std::string paintedRow;
        appendShownRowText(paintedRow, painted.next());
        EXPECT_EQ(paintedRow, shown);
    }
    EXPECT_NE(postText(p).find(line + "\r\n\r\n"), std::string::npos);
}

TEST(RowCopy, RangesWithinAndAcrossPosts) {
    PostFixture f;
    const PostRecord& p1 = f.add("スレ1", "名1", "", "本文1");
    const PostRecord& p2 = f.add("スレ2", "名2", "age", "本文2a\r\n本文2b");
    const PostRecord& p3 = f.add("スレ3", "名3", "", "本文3");
    const PostRows rows(f.list()); // rows 0..3, 4..8, 9..12
    const std::string t1 = postText(p1), t2 = postText(p2), t3 = postText(p3);

    // From the name row of post 1 to the title row of post 3.
    EXPECT_EQ(copyRows(rows, 1, 9),
              t1.substr(t1.find("\r\n") + 2) + t2 + t3.substr(0, t3.find("\r\n") + 2));
    // Rows within one body.
    EXPECT_EQ(copyRows(rows, 6, 7), "本文2a\r\n本文2b\r\n");
    EXPECT_EQ(copyRows(rows, 7, 7), "本文2b\r\n");
    // The empty last row alone.
    EXPECT_EQ(copyRows(rows, 8, 8), "\r\n");
    // Everything: the posts' texts one after another.
    EXPECT_EQ(copyRows(rows, 0, rows.totalRows() - 1), t1 + t2 + t3);
    // From the last row of one post to the first of the next.
    EXPECT_EQ(copyRows(rows, 3, 4), "\r\nスレ2 (ニュース速報)\r\n");

    // Nothing for rows outside the list, a reversed range or no posts.
    EXPECT_EQ(copyRows(rows, 0, 13), "");
    EXPECT_EQ(copyRows(rows, -1, 2), "");
    EXPECT_EQ(copyRows(rows, 5, 4), "");
    EXPECT_EQ(copyRows(PostRows(), 0, 0), "");
}
