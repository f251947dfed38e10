// Settings files that no version of the program wrote: garbage bytes, values longer than any
// buffer, and settings whose text the ini form itself would alter (blanks and quotes at the
// ends of a value). Reading keeps every bound, and what is written reads back unchanged.
#include "doc/Settings.h"
#include "input/PathList.h"

#include <gtest/gtest.h>

using namespace lorvanel;

TEST(HostileSettings, GarbageBytesGiveTheDefaults) {
    IniFile ini;
    ini.parse(std::string("\xff\xfe[\x81]\r\n=\x82\r\n[\r\n]]=[[\r\n\0key=1\r\n\x1a", 27) +
              "[Settings\r\nFileSizeLimit=3\r\n");
    Settings s;
    s.read(ini);
    EXPECT_EQ(s, Settings());
    // The garbage survives a write untouched, and the settings are appended after it.
    s.write(ini);
    EXPECT_EQ(ini.text().rfind("\xff\xfe[\x81]\r\n=\x82\r\n", 0), 0u);
    Settings back;
    back.read(ini);
    EXPECT_EQ(back, s);
}

TEST(HostileSettings, ValuesLongerThanAnyBuffer) {
    const std::string path(1 << 20, 'p');
    IniFile ini;
    ini.parse("[Settings]\r\nKeywordDirectory=" + path +
              "/\r\n[RecentLorvanelText]\r\nCount=1\r\n" + "0=\"" + path +
              "\"\r\n[Settings]\r\nFileSizeLimit=" + std::string(5000, '9') + "\r\n");
    Settings s;
    s.read(ini);
    EXPECT_EQ(s.keywordDirectory, path + "/");
    ASSERT_EQ(s.recentFiles.size(), 1u);
    EXPECT_EQ(s.recentFiles.front(), path);
    // A number of 5000 digits saturates and is brought into range; and only the first of two
    // sections of one name is read, so it is not even seen here.
    EXPECT_EQ(s.fileSizeLimit, 0);
    ini.parse("[Settings]\r\nFileSizeLimit=" + std::string(5000, '9') + "\r\n");
    s.read(ini);
    EXPECT_EQ(s.fileSizeLimit, Settings::kMaxFileSizeLimit);
}

TEST(HostileSettings, KeywordDirectoryWithBlanksOrQuotesAtItsEndsSurvivesWriting) {
    for (const char* dir : {"  spaced  ", "\"quoted\"", " \"both\" ", "\""}) {
        Settings s;
        s.keywordDirectory = dir;
        IniFile ini;
        s.write(ini);
        Settings back;
        back.read(ini);
        EXPECT_EQ(back.keywordDirectory, dir);
    }
}

TEST(HostileSettings, FileSetsReadBackAsJoined) {
    std::vector<std::string> paths;
    addPathString(paths, "\"/a b/x.txt\"\"/A B/X.TXT\"\"\"\" /c.txt \"\"/unterminated");
    EXPECT_EQ(paths, (std::vector<std::string>{"/a b/x.txt", " /c.txt ", "/unterminated"}));
    std::vector<std::string> back;
    addPathString(back, joinPaths(paths));
    EXPECT_EQ(back, paths);
}
