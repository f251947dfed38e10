#include "platform/IniFile.h"

#include "platform/File.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace lorvanel;
using lorvanel::testing::TempDir;

TEST(IniFile, ReadsLikeAPrivateProfile) {
    IniFile ini;
    ini.parse("stray=before any section\r\n"
              "[Settings]\r\n"
              "  KeywordDirectory =  kw dir  \r\n"
              "; Quoted=\"comment\"\r\n"
              "Quoted=\"  spaced \"\"inner\"  \"\r\n"
              "Half=\"open\n"
              "Empty=\r"
              "NoEquals\r\n"
              "[settings]\r\n"
              "KeywordDirectory=second section is never read\r\n"
              "[ Other ]\n"
              "keyworddirectory=other\n");
    EXPECT_EQ(ini.getString("SETTINGS", "keywordDIRECTORY", "x"), "kw dir");
    EXPECT_EQ(ini.getString("Settings", "Quoted", "x"), "  spaced \"\"inner\"  ");
    EXPECT_EQ(ini.getString("Settings", "Half", "x"), "\"open");
    EXPECT_EQ(ini.getString("Settings", "Empty", "x"), "");
    EXPECT_FALSE(ini.getString("Settings", "NoEquals"));
    EXPECT_FALSE(ini.getString("Settings", "; Quoted"));
    EXPECT_FALSE(ini.getString("Settings", "stray"));
    EXPECT_EQ(ini.getString("other", "KeywordDirectory", "x"), "other");
    EXPECT_EQ(ini.getString("Missing", "Key", "fallback"), "fallback");
    EXPECT_EQ(ini.keys("Settings"),
              (std::vector<std::string>{"KeywordDirectory", "Quoted", "Half", "Empty"}));
}

TEST(IniFile, DoubleByteNamesAreNotCaseFolded) {
    // 0x8341 and 0x8361 differ only in a trail byte that looks like 'A' and 'a'; 0x815D has
    // the trail byte ']' and must not end the section name.
    IniFile ini;
    ini.parse("[\x81\x5D\x83\x41]\r\n\x83\x41=upper\r\n\x83\x61=lower\r\n");
    EXPECT_TRUE(ini.hasSection("\x81\x5D\x83\x41"));
    EXPECT_EQ(ini.getString("\x81\x5D\x83\x41", "\x83\x41", ""), "upper");
    EXPECT_EQ(ini.getString("\x81\x5D\x83\x41", "\x83\x61", ""), "lower");

    IniFile broken;
    broken.parse("[ab\x81\x5D\r\nkey=v\r\n");
    EXPECT_FALSE(broken.hasSection("ab\x81"));
    EXPECT_FALSE(broken.hasSection("ab\x81\x5D"));
}

TEST(IniFile, IntegersAsTheProfileReadsThem) {
    IniFile ini;
    ini.parse("[S]\nplain=42\nneg= -7\nplus=+3\nhex=0x1F\nquoted=\"12\"\ntail=15MB\n"
              "word=abc\nempty=\nhuge=99999999999\nhugeneg=-99999999999\nlonely=-\n");
    EXPECT_EQ(ini.getInt("S", "plain", 0), 42);
    EXPECT_EQ(ini.getInt("S", "neg", 0), -7);
    EXPECT_EQ(ini.getInt("S", "plus", 0), 3);
    EXPECT_EQ(ini.getInt("S", "hex", 0), 31);
    EXPECT_EQ(ini.getInt("S", "quoted", 0), 12);
    EXPECT_EQ(ini.getInt("S", "tail", 0), 15);
    EXPECT_EQ(ini.getInt("S", "word", 9), 0);
    EXPECT_EQ(ini.getInt("S", "empty", 9), 9);
    EXPECT_EQ(ini.getInt("S", "missing", 9), 9);
    EXPECT_EQ(ini.getInt("S", "huge", 0), INT_MAX);
    EXPECT_EQ(ini.getInt("S", "hugeneg", 0), INT_MIN);
    EXPECT_EQ(ini.getInt("S", "lonely", 5), 0);
}

TEST(IniFile, WritesKeepEverythingElse) {
    const std::string original = "; settings of a newer version\r\n"
                                 "[Settings]\r\n"
                                 "FileSizeLimit = 5 \r\n"
                                 "FutureKey=keep me\r\n"
                                 "\r\n"
                                 "[Unknown]\r\n"
                                 "x=\"1\"\r\n";
    IniFile ini;
    ini.parse(original);
    EXPECT_EQ(ini.text(), original);

    ini.setInt("settings", "fileSizeLimit", 12);
    ini.setString("Settings", "NewKey", "new");
    ini.setString("Fresh", "a", "b");
    EXPECT_EQ(ini.text(), "; settings of a newer version\r\n"
                          "[Settings]\r\n"
                          "fileSizeLimit=12\r\n"
                          "FutureKey=keep me\r\n"
                          "NewKey=new\r\n"
                          "\r\n"
                          "[Unknown]\r\n"
                          "x=\"1\"\r\n"
                          "\r\n"
                          "[Fresh]\r\n"
                          "a=b\r\n");
    IniFile empty;
    empty.setString("A", "k", "v");
    EXPECT_EQ(empty.text(), "[A]\r\nk=v\r\n");
}

TEST(IniFile, ValueWithLineBreakCannotAddKeys) {
    IniFile ini;
    ini.setString("S", "path", "a\r\n[Evil]\r\nx=1");
    IniFile back;
    back.parse(ini.text());
    EXPECT_FALSE(back.hasSection("Evil"));
    EXPECT_EQ(back.keys("S"), std::vector<std::string>{"path"});
}

TEST(IniFile, BytesRoundTripAndChecksum) {
    IniFile ini;
    const std::string bytes("\x00\x01\xFE\xFF\x7F", 5);
    ini.setBytes("Window", "P", bytes);
    // 0x00+0x01+0xFE+0xFF+0x7F = 0x27D, checksum 0x7D.
    EXPECT_EQ(ini.getString("Window", "P", ""), "0001FEFF7F7D");
    std::string back;
    ASSERT_TRUE(ini.getBytes("Window", "P", back));
    EXPECT_EQ(back, bytes);

    ini.parse("[W]\nbadsum=0001FEFF7F7E\nodd=0001F\nnothex=00GG00\nlower=0a0b15\n");
    EXPECT_FALSE(ini.getBytes("W", "badsum", back));
    EXPECT_FALSE(ini.getBytes("W", "odd", back));
    EXPECT_FALSE(ini.getBytes("W", "nothex", back));
    EXPECT_FALSE(ini.getBytes("W", "missing", back));
    ASSERT_TRUE(ini.getBytes("W", "lower", back));
    EXPECT_EQ(back, "\x0a\x0b");
}

TEST(IniFile, SaveReplacesTheFileAtomically) {
    TempDir dir;
    const std::string path = dir.write("lorvanel.ini", "[Keep]\nk=1\n");
    IniFile ini;
    ASSERT_TRUE(ini.load(path));
    ini.setString("Settings", "A", "b");
    std::string error;
    ASSERT_TRUE(ini.save(path, &error)) << error;
    EXPECT_EQ(readWholeFile(path), "[Keep]\r\nk=1\r\n\r\n[Settings]\r\nA=b\r\n");
    // Nothing but the file itself is left in the directory.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);

    // Through a symbolic link the target is replaced and the link stays a link.
    const std::string link = dir.file("link.ini");
    ASSERT_EQ(::symlink(path.c_str(), link.c_str()), 0);
    ini.setString("Settings", "A", "via link");
    ASSERT_TRUE(ini.save(link, &error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_NE(readWholeFile(path).find("A=via link"), std::string::npos);
}

TEST(IniFile, FailuresAreReportedAndHarmless) {
    TempDir dir;
    IniFile ini;
    std::string error;
    EXPECT_TRUE(ini.load(dir.file("absent.ini"), &error));
    EXPECT_TRUE(ini.keys("Settings").empty());

    std::filesystem::create_directory(dir.file("adir"));
    EXPECT_FALSE(ini.load(dir.file("adir"), &error));
    EXPECT_NE(error.find("adir"), std::string::npos);

    ini.setString("S", "k", "v");
    error.clear();
    EXPECT_FALSE(ini.save(dir.file("no/such/dir/x.ini"), &error));
    EXPECT_FALSE(error.empty());
    // A directory in the way: the rename fails and the temporary file is removed.
    EXPECT_FALSE(ini.save(dir.file("adir"), &error));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("adir")));
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(IniFile, AReadOnlyFileIsNotReplaced) {
    TempDir dir;
    const std::string path = dir.write("lorvanel.ini", "[Keep]\nk=1\n");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    IniFile ini;
    ASSERT_TRUE(ini.load(path));
    ini.setString("Settings", "A", "b");
    std::string error;
    EXPECT_FALSE(ini.save(path, &error));
    EXPECT_EQ(error, path + ": " + systemErrorMessage(EACCES));
    EXPECT_EQ(readWholeFile(path), "[Keep]\nk=1\n");
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0444));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(IniFile, TemporariesOfAKilledWriteAreRemoved) {
    TempDir dir;
    const std::string path = dir.write("lorvanel.ini", "[S]\r\n");
    for (const char* name : {"lorvanel.ini.a1B2c3", "lorvanel.ini.XXXXXX", "lorvanel.ini.abc",
                             "lorvanel.ini.a1B2c3d", "other.ini.a1B2c3", "lorvanel.ini.a-B2c3"})
        dir.write(name, "x");
    EXPECT_EQ(IniFile::removeLeftoverTemporaries(path), 2);
    std::vector<std::string> left;
    for (auto& e : std::filesystem::directory_iterator(dir.path()))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"lorvanel.ini", "lorvanel.ini.a-B2c3",
                                              "lorvanel.ini.a1B2c3d", "lorvanel.ini.abc",
                                              "other.ini.a1B2c3"}));
}

TEST(IniFile, ManyKeysReadAndWrittenInOrder) {
    // The section indexes must find the first of duplicates and insert after the last entry.
    std::string text =
        "[A]\r\nk=first\r\nK=second\r\n; note\r\n\r\n[b]\r\nx=1\r\n[a]\r\nk=third\r\n";
    IniFile ini;
    ini.parse(text);
    EXPECT_EQ(ini.getString("a", "K"), "first");
    for (int i = 0; i < 20000; ++i) ini.setInt("A", std::to_string(i), i);
    for (int i = 0; i < 20000; i += 997) EXPECT_EQ(ini.getInt("a", std::to_string(i), -1), i);
    const std::string out = ini.text();
    EXPECT_EQ(out.rfind("[A]\r\nk=first\r\nK=second\r\n0=0\r\n1=1\r\n", 0), 0u);
    EXPECT_NE(out.find("19999=19999\r\n; note\r\n\r\n[b]\r\nx=1\r\n[a]\r\nk=third\r\n"),
              std::string::npos);
}
