#include "input/AnalysisLog.h"
#include "input/TimeParsing.h"
#include "platform/LocalTime.h"

#include <gtest/gtest.h>
#include <string>

using namespace lorvanel;

namespace {

class TimeParsingTest : public ::testing::Test {
protected:
    void SetUp() override { analysisLog().clear(); }
    Time32 fallback() const { return fromLocalTime(1971, 1, 1, 0, 0, 0); }
};

} // namespace

TEST_F(TimeParsingTest, LongAndShortDateTexts) {
    EXPECT_EQ(parsePostTime("2008/01/02 03:04:05").time, 1199210645);
    const ParsedTime shortForm = parsePostTime("08/01/02(水) 03:04:05");
    EXPECT_EQ(shortForm.time, 1199210645);
    EXPECT_TRUE(shortForm.clean);
    EXPECT_EQ(parsePostTime("37/12/31 23:59:59").time, fromLocalTime(2037, 12, 31, 23, 59, 59));
    EXPECT_EQ(parsePostTime("70/01/02 00:00:00").time, fromLocalTime(1970, 1, 2, 0, 0, 0));
    EXPECT_EQ(parsePostTime("ID:abc 2008-01-02T03:04:05").time, 1199210645);
    EXPECT_EQ(analysisLog().text(), "");
}

TEST_F(TimeParsingTest, YearsOutsideTheRangeAreRefused) {
    for (const char* text : {"49/01/01 00:00:00", "1969/12/31 23:59:59", "2039/01/01 00:00:00"}) {
        SetUp();
        const ParsedTime t = parsePostTime(text);
        EXPECT_EQ(t.time, fallback()) << text;
        EXPECT_FALSE(t.clean);
        EXPECT_EQ(analysisLog().text(), std::string("(") + text + ") 扱えない時刻です。\r\n");
    }
}

TEST_F(TimeParsingTest, CalendarChecks) {
    EXPECT_EQ(parsePostTime("2008/02/29 00:00:00").time, fromLocalTime(2008, 2, 29, 0, 0, 0));
    EXPECT_EQ(parsePostTime("2000/02/29 00:00:00").time, fromLocalTime(2000, 2, 29, 0, 0, 0));
    EXPECT_EQ(analysisLog().text(), "");
    for (const char* text : {"1900/02/29 00:00:00", "2007/02/29 00:00:00", "2008/04/31 00:00:00",
                             "2008/13/01 00:00:00", "2008/00/10 00:00:00", "2008/01/00 00:00:00"}) {
        SetUp();
        EXPECT_EQ(parsePostTime(text).time, fallback()) << text;
        EXPECT_EQ(analysisLog().entryCount(), 1u) << text;
    }
}

TEST_F(TimeParsingTest, ClockValuesCarryOver) {
    EXPECT_EQ(parsePostTime("2008/01/31 24:00:00").time, fromLocalTime(2008, 2, 1, 0, 0, 0));
    EXPECT_EQ(parsePostTime("2008/01/02 03:04:65").time, fromLocalTime(2008, 1, 2, 3, 5, 5));
    EXPECT_EQ(analysisLog().text(), "");
    // The last second the signed 32-bit count holds is 2038/01/19 12:14:07 in Tokyo; later
    // times, and runs of digits far beyond any field, are refused rather than clamped.
    EXPECT_EQ(parsePostTime("2038/01/19 12:14:07").time, INT32_MAX);
    EXPECT_TRUE(parsePostTime("2038/01/19 12:14:07").clean);
    for (const char* text :
         {"2038/01/19 12:14:08", "2038/12/31 00:00:00", "2008/01/02 99999999999999999999:00:00"}) {
        SetUp();
        const ParsedTime t = parsePostTime(text);
        EXPECT_FALSE(t.clean) << text;
        EXPECT_EQ(t.time, fallback()) << text;
        EXPECT_EQ(analysisLog().text(), std::string("(") + text + ") 扱えない時刻です。\r\n");
    }
}

TEST_F(TimeParsingTest, MissingNumbers) {
    const ParsedTime noSeconds = parsePostTime("2008/01/02 03:04");
    EXPECT_EQ(noSeconds.time, fromLocalTime(2008, 1, 2, 3, 4, 0));
    EXPECT_FALSE(noSeconds.clean);
    EXPECT_EQ(analysisLog().text(), "(2008/01/02 03:04) 時刻の書式が不正です。\r\n");

    SetUp();
    const ParsedTime none = parsePostTime("不明");
    EXPECT_EQ(none.time, fallback());
    EXPECT_EQ(analysisLog().text(),
              "(不明) 時刻の書式が不正です。\r\n(不明) 扱えない時刻です。\r\n");

    SetUp();
    EXPECT_EQ(parsePostTime("").time, fallback());
    EXPECT_EQ(analysisLog().entryCount(), 2u);
}
