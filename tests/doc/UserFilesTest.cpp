// Where the settings file and the keyword files live: beside a portable copy, or in the
// user's XDG folders for an installed program.
#include "doc/UserFiles.h"
#include "doc/Settings.h"
#include "platform/File.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>

using namespace lorvanel;
using lorvanel::testing::TempDir;

namespace {

UserDirs dirsIn(const TempDir& t) {
    UserDirs d;
    d.home = t.path() + "/home";
    d.configHome = t.path() + "/config";
    d.dataHome = t.path() + "/data";
    d.cacheHome = t.path() + "/cache";
    return d;
}

void mkdir(const std::string& path) {
    int err = 0;
    ASSERT_TRUE(makeDirectories(path, err)) << path << ": " << err;
}

} // namespace

TEST(UserFiles, SettingsFileBesideAPortableCopyElseInTheConfigFolder) {
    TempDir t;
    mkdir(t.path() + "/start");
    const std::string start = t.path() + "/start";
    EXPECT_EQ(chooseSettingsFile(start, "/usr/bin/lorvanel", dirsIn(t)),
              t.path() + "/config/lorvanel/lorvanel.ini");
    t.write("start/lorvanel.ini", "[Settings]\r\n");
    EXPECT_EQ(chooseSettingsFile(start, "/usr/bin/lorvanel", dirsIn(t)), start + "/lorvanel.ini");
    // A directory of that name is no settings file.
    mkdir(t.path() + "/other/lorvanel.ini");
    EXPECT_EQ(chooseSettingsFile(t.path() + "/other", "lorvanel", dirsIn(t)),
              t.path() + "/config/lorvanel/lorvanel.ini");
}

TEST(UserFiles, FirstWriteCreatesTheConfigFolder) {
    TempDir t;
    const std::string ini = chooseSettingsFile(t.path(), "/usr/bin/lorvanel", dirsIn(t));
    setSettingsFile(ini);
    std::string error;
    EXPECT_TRUE(
        updateSettingsFile([](IniFile& f) { f.setInt("Settings", "FileSizeLimit", 7); }, &error))
        << error;
    EXPECT_EQ(readSettingsFile().getInt("Settings", "FileSizeLimit", -1), 7);
    EXPECT_NE(readWholeFile(ini).find("FileSizeLimit=7"), std::string::npos);
    setSettingsFile("");
}

TEST(UserFiles, InstalledProgramCopiesTheBundledKeywordFilesOnce) {
    TempDir t;
    mkdir(t.path() + "/bin");
    mkdir(t.path() + "/share/keywords");
    t.write("share/keywords/a.txt", "one\r\n");
    t.write("share/keywords/b.txt", "two\r\n");
    t.write("share/keywords/notes.md", "not a list");
    const std::vector<std::string> program = {t.path() + "/bin/", t.path() + "/share/"};
    const std::string mine = t.path() + "/data/lorvanel/keywords";
    EXPECT_EQ(keywordDirectoryFor("keywords", program, dirsIn(t)), mine);
    EXPECT_EQ(listFiles(mine, ""), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(readWholeFile(mine + "/b.txt"), "two\r\n");
    // The user's edits stay: the copy is made once.
    t.write("data/lorvanel/keywords/a.txt", "edited\r\n");
    t.write("share/keywords/c.txt", "three\r\n");
    EXPECT_EQ(keywordDirectoryFor("keywords", program, dirsIn(t)), mine);
    EXPECT_EQ(readWholeFile(mine + "/a.txt"), "edited\r\n");
    EXPECT_EQ(listFiles(mine, ".txt").size(), 2u);
}

TEST(UserFiles, PortableCopyAndChosenFoldersKeepTheirKeywordFolder) {
    TempDir t;
    mkdir(t.path() + "/bin/keywords");
    mkdir(t.path() + "/share/keywords");
    const std::vector<std::string> program = {t.path() + "/bin/", t.path() + "/share/"};
    EXPECT_EQ(keywordDirectoryFor("keywords", program, dirsIn(t)), t.path() + "/bin/keywords");
    EXPECT_EQ(keywordDirectoryFor("/opt/kw/", program, dirsIn(t)), "/opt/kw/");
    EXPECT_FALSE(isDirectory(t.path() + "/data/lorvanel"));
}
