#include "report/CountRows.h"

#include <gtest/gtest.h>

using namespace lorvanel;

TEST(FormatByteSize, BytesBelowOneKilobyteThenWholeKilobytes) {
    EXPECT_EQ(formatByteSize(0), "0bytes");
    EXPECT_EQ(formatByteSize(512), "512bytes");
    EXPECT_EQ(formatByteSize(1000), "1,000bytes");
    EXPECT_EQ(formatByteSize(1023), "1,023bytes");
    EXPECT_EQ(formatByteSize(1024), "1KB");
    EXPECT_EQ(formatByteSize(1536), "1KB");
    EXPECT_EQ(formatByteSize(1048576), "1,024KB");
    EXPECT_EQ(formatByteSize(3072000), "3,000KB");
    EXPECT_EQ(formatByteSize(123456789), "120,563KB");
    EXPECT_EQ(formatByteSize(4294967295u), "4,194,303KB");
    // Totals of several files may pass 4 GB; they are not wrapped.
    EXPECT_EQ(formatByteSize(5ull << 30), "5,242,880KB");
}

TEST(CountBar, ThirtyStarsForTheLargestTruncatedBelow) {
    EXPECT_EQ(barLength(7, 7), 30);
    EXPECT_EQ(barLength(1, 7), 4);  // 4.28...
    EXPECT_EQ(barLength(6, 7), 25); // 25.71...
    EXPECT_EQ(barLength(1, 31), 0); // below 1/30 of the largest
    EXPECT_EQ(barLength(1, 30), 1);
    EXPECT_EQ(barLength(0, 5), 0);
    EXPECT_STREQ(countBar(1, 7), "****");
    EXPECT_STREQ(countBar(0, 7), "");
    // A largest count beyond float precision still gives exactly 30 stars, never more.
    EXPECT_EQ(barLength(16777217, 16777217), 30);
}

TEST(FormatCountRows, KeysFillTheFirstFieldAndBarsScaleToTheWholeTable) {
    const std::vector<KeyCount> table = {{0, 0}, {1, 7}, {2, 1}, {10, 14}};
    // Printed range 1..2, but the largest count (14) lies outside it.
    EXPECT_EQ(formatCountRows(table, "%2s行 %s(%d)\r\n", true, 1, 2),
              " 1行 ***************(7)\r\n 2行 **(1)\r\n");
    EXPECT_EQ(
        formatCountRows(table, "%2s行 %s(%d)\r\n", true, 0, kAllRows, true),
        " 1行 ***************(7)\r\n 2行 **(1)\r\n10行 ******************************(14)\r\n");
    EXPECT_EQ(formatCountRows(table, "%s(%d), ", false), "0(0), 1(7), 2(1), 10(14), ");
    EXPECT_EQ(formatCountRows(table, "%s(%d), ", false, 5), "");
    EXPECT_EQ(formatCountRows(std::vector<KeyCount>{}, "%s(%d), ", true), "");
}

TEST(FormatCountRows, NamesArePaddedToTwentyBytesOfShiftJis) {
    const std::vector<TextCount> boards = {
        {"ニュース速報", 2}, {"news", 1}, {"とても長い名前の掲示板です", 1}};
    // "ニュース速報" is 12 bytes: 8 spaces follow. A name of 26 bytes is not cut.
    EXPECT_EQ(formatCountRows(boards, "%-20s%s(%d)\r\n", true),
              "ニュース速報        ******************************(2)\r\n"
              "news                ***************(1)\r\n"
              "とても長い名前の掲示板です***************(1)\r\n");
}
