// The rules that every part of the program shares one copy of: cutting lines, the calendar's
// month lengths and comparing names without ASCII case.
#include "platform/LocalTime.h"
#include "platform/Mbcs.h"
#include "platform/TextLines.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace lorvanel;

namespace {
std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> out;
    TextLines lines(text);
    for (std::string_view line; lines.next(line);) out.emplace_back(line);
    return out;
}
} // namespace

TEST(TextLines, EveryKindOfLineEnd) {
    using V = std::vector<std::string>;
    EXPECT_EQ(linesOf("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
    // No empty line after a final line end, but empty lines between ends count.
    EXPECT_EQ(linesOf("a\r\n"), (V{"a"}));
    EXPECT_EQ(linesOf("a\n\r\nb\r\r"), (V{"a", "", "b", ""}));
    // LF CR is two ends.
    EXPECT_EQ(linesOf("a\n\rb"), (V{"a", "", "b"}));
    EXPECT_EQ(linesOf(""), V{});
    EXPECT_EQ(linesOf("\r\n"), (V{""}));
}

TEST(Calendar, MonthLengthsAndLeapYears) {
    EXPECT_TRUE(isLeapYear(2008));
    EXPECT_FALSE(isLeapYear(2100));
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_FALSE(isLeapYear(2007));
    EXPECT_EQ(daysInMonth(2008, 2), 29);
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2007, 12), 31);
    EXPECT_EQ(daysInMonth(2007, 0), 0);
    EXPECT_EQ(daysInMonth(2007, 13), 0);
    // Every month agrees with the civil day count.
    for (int year : {1970, 2000, 2008, 2037})
        for (int month = 1; month <= 12; ++month) {
            const int next =
                month == 12 ? daysFromCivil(year + 1, 1, 1) : daysFromCivil(year, month + 1, 1);
            EXPECT_EQ(daysInMonth(year, month), next - daysFromCivil(year, month, 1))
                << year << "/" << month;
        }
}

TEST(Mbcs, EqualsIgnoringAsciiCase) {
    EXPECT_TRUE(equalsIgnoringAsciiCase("AnalyzeOptions", "ANALYZEoptions"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("a", "ab"));
    // "ア" is 0x83 0x41: its trail byte is an 'A' that must not match the 'a' of 0x83 0x61.
    EXPECT_FALSE(equalsIgnoringAsciiCase("\x83\x41", "\x83\x61"));
    EXPECT_TRUE(equalsIgnoringAsciiCase("ア.TXT", "ア.txt"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("\x83", "\x84"));
}
