#include "input/LogFormat.h"

#include <gtest/gtest.h>
#include <string>

using namespace lorvanel;

namespace {
const std::string kSep = "--------------------------------------------";
std::string lines(std::initializer_list<std::string> ls, const char* eol = "\r\n") {
    std::string s;
    for (const std::string& l : ls) s += l + eol;
    return s;
}
} // namespace

TEST(FormatDetection, EveryDetectableFormat) {
    EXPECT_EQ(
        detectFormatText(lines({kSep, "Date   : 2008/01/02 03:04:05", "Board  : ニュース速報"})),
        kFormatJane);
    EXPECT_EQ(detectFormatText(lines({kSep, "a", "b", "URL\t: http://x/"})), kFormatABone);
    EXPECT_EQ(detectFormatText(lines({kSep, "a", "b", "c", "FROM   : x"})), kFormatJaneOrV2c);
    EXPECT_EQ(detectFormatText(lines({kSep, "a", "b", "c", "From   : x"})), kFormatKachusha);
    EXPECT_EQ(detectFormatText(lines({kSep, "a", "b", "c", "Mail   : x"})), kFormatKachusha);
    EXPECT_EQ(detectFormatText(lines({kSep, "a", "b", "c", "Name   :x"})), kFormatLive2ch);
    EXPECT_EQ(detectFormatText(lines({kSep, "a", "b", "c", "URL    :x"})), kFormatLive2ch);
    EXPECT_EQ(detectFormatText(lines({"[1]", "Name=x"})), kFormatGikonavi);
    EXPECT_EQ(detectFormatText(lines({" ", "スレ名：テスト"})), kFormatHotzonu);
}

TEST(FormatDetection, LineEndsOfEveryKind) {
    for (const char* eol : {"\r\n", "\r", "\n"})
        EXPECT_EQ(detectFormatText(lines({kSep, "d", "Board  : x"}, eol)), kFormatJane) << eol;
}

TEST(FormatDetection, Refusals) {
    EXPECT_EQ(detectFormatText(""), 0);
    EXPECT_EQ(detectFormatText("x\r\n"), 0);
    EXPECT_EQ(detectFormatText("\r\n"), 0);                // first byte not '[', '-' or ' '
    EXPECT_EQ(detectFormatText(" \r\n"), 0);               // line 2 missing
    EXPECT_EQ(detectFormatText("  \r\nスレ名：a\r\n"), 0); // line 1 is two spaces
    EXPECT_EQ(detectFormatText("[1]\r\nMail=x\r\n"), 0);
    EXPECT_EQ(detectFormatText(lines({"-------", "a", "Board  : x"})), 0); // short separator
    EXPECT_EQ(detectFormatText(lines({kSep, "a", "b", "c", "Other  : x"})), 0);
    EXPECT_EQ(detectFormatText(lines({kSep, "a", "b"})), 0); // needs line 4
}

TEST(FormatDetection, TheSampleEndEndsTheLastLine) {
    // A short file without a final line break still shows its last line.
    EXPECT_EQ(detectFormatText("[1]\r\nName=x"), kFormatGikonavi);
    // A line that would start past the sample is missing.
    EXPECT_EQ(detectFormatText(kSep + "\r\na\r\n"), 0);
}

TEST(FormatDetection, DisplayNames) {
    EXPECT_STREQ(formatDisplayName(1), "Jane");
    EXPECT_STREQ(formatDisplayName(2), "かちゅ～しゃ");
    EXPECT_STREQ(formatDisplayName(3), "Live2ch");
    EXPECT_STREQ(formatDisplayName(4), "ギコナビ");
    EXPECT_STREQ(formatDisplayName(5), "V2C");
    EXPECT_STREQ(formatDisplayName(6), "JaneまたはV2C");
    EXPECT_STREQ(formatDisplayName(7), "A Bone");
    EXPECT_STREQ(formatDisplayName(8), "ホットゾヌ２");
    EXPECT_STREQ(formatDisplayName(0), "不明");
    EXPECT_STREQ(formatDisplayName(9), "JDim");
    EXPECT_STREQ(formatDisplayName(10), "不明");
    EXPECT_EQ(createReader(0), nullptr);
    EXPECT_NE(createReader(9), nullptr);
    EXPECT_EQ(createReader(10), nullptr);
}
