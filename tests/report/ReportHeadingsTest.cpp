// The report window's heading list: "Top", then every line that starts with "★", counted
// over every kind of line end.
#include "report/ReportHeadings.h"
#include "report/ReportWindowText.h"

#include <gtest/gtest.h>

using namespace lorvanel;

TEST(ReportHeadings, TopThenEveryStarLineWithItsLine) {
    const std::vector<ReportHeading> h = reportHeadings("★a\r\nx\ry\n★b\r\n\r\n ★not\r\n★c");
    ASSERT_EQ(h.size(), 4u);
    EXPECT_EQ(h[0].text, "Top");
    EXPECT_EQ(h[0].line, 0);
    EXPECT_EQ(h[1].text, "★a");
    EXPECT_EQ(h[1].line, 0);
    // A lone CR and a lone LF each end a line, as CR LF does.
    EXPECT_EQ(h[2].text, "★b");
    EXPECT_EQ(h[2].line, 3);
    EXPECT_EQ(h[3].text, "★c");
    EXPECT_EQ(h[3].line, 6);

    // Only the two bytes of "★" count: a trail byte 0x81 followed by 0x9A elsewhere does not.
    EXPECT_EQ(reportHeadings("\x81\n\x9A\n").size(), 1u);
    EXPECT_EQ(reportHeadings("").size(), 1u);
}

TEST(ReportHeadings, TheAnalysisLogIsTheLastHeadingOfTheWindowText) {
    const std::string text = reportWindowText("★総合結果\r\nx\r\n★板別\r\n", "集計しています\r\n");
    const std::vector<ReportHeading> h = reportHeadings(text);
    ASSERT_EQ(h.size(), 4u);
    EXPECT_EQ(h[1].text, "★総合結果");
    EXPECT_EQ(h[2].text, "★板別");
    EXPECT_EQ(h[2].line, 2);
    EXPECT_EQ(h[3].text, "★解析ログ");
    EXPECT_EQ(h[3].line, 4);
}
