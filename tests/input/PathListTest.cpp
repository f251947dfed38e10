#include "input/PathList.h"

#include <gtest/gtest.h>

using namespace lorvanel;

TEST(PathList, JoinedForm) {
    EXPECT_EQ(joinPaths({"/logs/a.txt"}), "/logs/a.txt");
    EXPECT_EQ(joinPaths({"/logs/a.txt", "/logs/b.txt"}), "\"/logs/a.txt\"\"/logs/b.txt\"");
    EXPECT_EQ(joinPaths({}), "");
}

TEST(PathList, AddingSplitsQuotedPathsAndSkipsPresentOnes) {
    std::vector<std::string> paths;
    addPathString(paths, "\"/logs/a.txt\"\"/logs/b.txt\"\"/LOGS/A.TXT\"");
    EXPECT_EQ(paths, (std::vector<std::string>{"/logs/a.txt", "/logs/b.txt"}));
    addPathString(paths, "/Logs/B.txt");
    EXPECT_EQ(paths.size(), 2u);
    addPathString(paths, "/logs/c.txt");
    EXPECT_EQ(paths.back(), "/logs/c.txt");
    // The joined form reads back as the same list.
    std::vector<std::string> again;
    addPathString(again, joinPaths(paths));
    EXPECT_EQ(again, paths);
}

TEST(PathList, CaseIsIgnoredForAsciiLettersOnly) {
    EXPECT_TRUE(samePathIgnoringCase("C:/Logs/Sent.ini", "c:/logs/SENT.INI"));
    // "ソ" is 0x83 0x5C and "ア" 0x83 0x41: a trail byte 'A' must not fold into 'a'.
    EXPECT_FALSE(samePathIgnoringCase("\x83"
                                      "A",
                                      "\x83"
                                      "a"));
    EXPECT_FALSE(samePathIgnoringCase("a.txt", "a.txt2"));
}
