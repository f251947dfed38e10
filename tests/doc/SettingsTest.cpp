#include "doc/Settings.h"
#include "platform/Paths.h"

#include "platform/File.h"
#include "support/TempDir.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace lorvanel;
using lorvanel::testing::TempDir;

namespace {
std::vector<std::string> strings(std::initializer_list<const char*> l) {
    return std::vector<std::string>(l.begin(), l.end());
}
} // namespace

TEST(BoundedStringList, AddToFrontMovesDuplicatesAndDropsTheOldest) {
    BoundedStringList list(4, 16);
    for (const char* s : {"a", "b", "c", "d"}) list.addToFront(s);
    EXPECT_EQ(list.items(), strings({"d", "c", "b", "a"}));
    list.addToFront("b");
    EXPECT_EQ(list.items(), strings({"b", "d", "c", "a"}));
    list.addToFront("e");
    EXPECT_EQ(list.items(), strings({"e", "b", "d", "c"}));
    // The comparison is exact: another letter case is another entry.
    list.addToFront("E");
    EXPECT_EQ(list.items(), strings({"E", "e", "b", "d"}));
    list.setCapacity(2);
    EXPECT_EQ(list.items(), strings({"E", "e"}));
    list.setCapacity(0);
    EXPECT_EQ(list.capacity(), 1);
}

TEST(BoundedStringList, ReadRules) {
    IniFile ini;
    ini.parse("[L]\nCount=4\nMax=3\n0=\"  spaced  \"\n1=\n2=\"x\"\"y\"\n3=\"fourth\"\n"
              "4=\"stale, beyond Count\"\n00=\"not an index\"\n");
    BoundedStringList list(10, 64);
    list.read(ini, "L");
    EXPECT_EQ(list.capacity(), 3);
    // The empty entry is skipped; the list stops when full; key 4 is never read.
    EXPECT_EQ(list.items(), strings({"  spaced  ", "x\"\"y", "fourth"}));

    IniFile hostile;
    hostile.parse("[L]\nCount=2000000000\nMax=-5\n1999999999=\"last\"\n-1=\"neg\"\n");
    list.read(hostile, "L");
    EXPECT_EQ(list.capacity(), 10);
    EXPECT_EQ(list.items(), strings({"last"}));

    hostile.parse("[L]\nCount=-3\nMax=100000\n0=\"a\"\n");
    list.read(hostile, "L");
    EXPECT_EQ(list.capacity(), 64);
    EXPECT_TRUE(list.empty());
}

TEST(BoundedStringList, WriteReadsBackAndLeavesStaleKeys) {
    IniFile ini;
    ini.parse("[L]\nCount=3\n0=\"old0\"\n1=\"old1\"\n2=\"old2\"\n");
    BoundedStringList list(4, 16);
    list.addToFront(" lead and trail ");
    list.addToFront("\"C:\\a.txt\"\"C:\\b.txt\"");
    list.write(ini, "L");
    EXPECT_EQ(ini.getString("L", "Count", ""), "2");
    EXPECT_EQ(ini.getString("L", "Max", ""), "4");
    EXPECT_EQ(ini.getString("L", "2", ""), "old2");

    BoundedStringList back(4, 16);
    back.read(ini, "L");
    EXPECT_EQ(back, list);
}

TEST(Settings, DefaultsForMissingKeys) {
    IniFile ini;
    Settings s;
    s.autoLoadLast = 0;
    s.recentFiles.addToFront("x");
    s.read(ini);
    EXPECT_EQ(s, Settings{});
    EXPECT_EQ(s.keywordDirectory, "keywords");
    EXPECT_EQ(s.autoLoadLast, 1);
    EXPECT_EQ(s.fileSizeLimit, 0);
    EXPECT_EQ(s.enableBrowserSetting, 0);
    EXPECT_EQ(s.recentFiles.capacity(), 4);
    EXPECT_EQ(s.browsers.capacity(), 10);
    EXPECT_EQ(s.byteLimit(), 0u);
}

TEST(Settings, RoundTripThroughTheFileKeepsOtherSections) {
    TempDir dir;
    const std::string path = dir.write("lorvanel.ini", "[CustomFilter]\r\nCount=1\r\n0=a,b\r\n"
                                                       "[Settings]\r\nFutureOption=7\r\n");
    setSettingsFile(path);
    Settings s;
    s.keywordDirectory = "/opt/kw/";
    s.recentFiles.addToFront("/logs/one.txt");
    s.recentFiles.addToFront("\"/logs/a.txt\"\"/logs/b.txt\"");
    s.autoLoadLast = 0;
    s.fileSizeLimit = 512;
    s.enableBrowserSetting = 1;
    s.browsers.addToFront("/usr/bin/firefox");
    std::string error;
    ASSERT_TRUE(updateSettingsFile([&](IniFile& ini) { s.write(ini); }, &error)) << error;

    Settings back;
    back.read(readSettingsFile());
    EXPECT_EQ(back, s);
    EXPECT_EQ(back.byteLimit(), 512ull << 20);
    const IniFile ini = readSettingsFile();
    EXPECT_EQ(ini.getString("CustomFilter", "0", ""), "a,b");
    EXPECT_EQ(ini.getInt("Settings", "FutureOption", 0), 7);
    setSettingsFile("");
}

TEST(Settings, UnreadableFileIsNeverOverwritten) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("lorvanel.ini"));
    setSettingsFile(dir.file("lorvanel.ini"));
    std::string error;
    EXPECT_FALSE(updateSettingsFile([](IniFile& ini) { ini.setInt("S", "k", 1); }, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("lorvanel.ini")));
    setSettingsFile("");
}

TEST(Settings, OutOfRangeSizeLimitIsBroughtIntoRange) {
    IniFile ini;
    ini.parse("[Settings]\nFileSizeLimit=-1\n");
    Settings s;
    s.read(ini);
    EXPECT_EQ(s.fileSizeLimit, 0);
    ini.parse("[Settings]\nFileSizeLimit=4096\n");
    s.read(ini);
    EXPECT_EQ(s.fileSizeLimit, 512);
}

TEST(Settings, WindowPlacementIsOpaqueBytes) {
    IniFile ini;
    EXPECT_FALSE(readWindowPlacement(ini));
    const std::string placement("\x01\xD9\xD0\xCB\x00\x03", 6);
    writeWindowPlacement(ini, placement);
    EXPECT_EQ(readWindowPlacement(ini), placement);
    ini.setString("Window", "MainFramePlacement", "damaged");
    EXPECT_FALSE(readWindowPlacement(ini));
}

TEST(Settings, FilePathFromStartDirectoryAndExecutable) {
    EXPECT_EQ(settingsFilePath("/home/u", "/usr/bin/lorvanel"), "/home/u/lorvanel.ini");
    EXPECT_EQ(settingsFilePath("/", "./lorvanel"), "/lorvanel.ini");
    EXPECT_EQ(settingsFilePath("/w/", "lorvanel.exe"), "/w/lorvanel.ini");
}

TEST(Settings, KeywordDirectoryResolution) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("data/keywords"));
    const std::vector<std::string> bases = {dir.path() + "/bin/", dir.path() + "/data/"};
    // A plain name: beside the executable when there, else in the data directory.
    EXPECT_EQ(resolveKeywordDirectory("keywords", bases), dir.path() + "/data/keywords");
    std::filesystem::create_directories(dir.file("bin/keywords"));
    EXPECT_EQ(resolveKeywordDirectory("keywords", bases), dir.path() + "/bin/keywords");
    EXPECT_EQ(resolveKeywordDirectory("absent", bases), dir.path() + "/bin/absent");
    // A folder part is used as it stands: without a final separator it names the parent.
    EXPECT_EQ(resolveKeywordDirectory("/opt/kw/", bases), "/opt/kw/");
    EXPECT_EQ(resolveKeywordDirectory("/opt/kw", bases), "/opt/");
    EXPECT_EQ(directoryPart("a/b/c.txt"), "a/b/");
    EXPECT_EQ(directoryPart("c.txt"), "");
}

TEST(Settings, RecentFileCaptions) {
    EXPECT_EQ(recentFileCaption(0, "/a.txt"), "&1 /a.txt");
    EXPECT_EQ(recentFileCaption(8, "/i.txt"), "&9 /i.txt");
    EXPECT_EQ(recentFileCaption(9, "/j.txt"), "&0 /j.txt");
    EXPECT_EQ(recentFileCaption(15, "/p.txt"), "&0 /p.txt");
    EXPECT_EQ(recentFileCaption(1, "/R&D/log.txt"), "&2 /R&&D/log.txt");
}

TEST(Settings, TheFileIsReadOnceAndWrittenOnlyWhenItChanges) {
    TempDir dir;
    const std::string path = dir.write("lorvanel.ini", "[Settings]\r\nFileSizeLimit=3\r\n");
    dir.write("lorvanel.ini.Ab12Cd", "left by a killed write");
    setSettingsFile(path);
    EXPECT_FALSE(std::filesystem::exists(dir.file("lorvanel.ini.Ab12Cd")));
    // The same contents while the file is unchanged; every write replaces the file.
    EXPECT_EQ(&readSettingsFile(), &readSettingsFile());
    const auto written = std::filesystem::last_write_time(path);
    ASSERT_TRUE(
        updateSettingsFile([](IniFile& ini) { ini.setInt("Settings", "FileSizeLimit", 3); }));
    EXPECT_EQ(std::filesystem::last_write_time(path), written);
    ASSERT_TRUE(
        updateSettingsFile([](IniFile& ini) { ini.setInt("Settings", "FileSizeLimit", 4); }));
    EXPECT_EQ(readWholeFile(path), "[Settings]\r\nFileSizeLimit=4\r\n");

    // A file the user made read-only stays as it is; a change made by hand is read anew.
    dir.write("lorvanel.ini", "[Settings]\r\nFileSizeLimit=9\r\n");
    EXPECT_EQ(readSettingsFile().getInt("Settings", "FileSizeLimit", 0), 9);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    std::string error;
    EXPECT_FALSE(updateSettingsFile([](IniFile& ini) { ini.setInt("Settings", "A", 1); }, &error));
    EXPECT_EQ(error, path + ": " + systemErrorMessage(EACCES));
    EXPECT_EQ(readWholeFile(path), "[Settings]\r\nFileSizeLimit=9\r\n");
    EXPECT_FALSE(readSettingsFile().hasKey("Settings", "A"));
    setSettingsFile("");
}
