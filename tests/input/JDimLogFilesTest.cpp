// Finding JDim's post log under a made-up home folder.
#include "input/JDimLogFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <sys/stat.h>

using namespace lorvanel;
using lorvanel::testing::TempDir;

namespace {

class JDimLogFilesTest : public ::testing::Test {
protected:
    JDimLogFilesTest() { env["HOME"] = home.path(); }

    JDimLogSearch find() {
        return findJDimLogs([this](const char* name) -> const char* {
            const auto it = env.find(name);
            return it == env.end() ? nullptr : it->second.c_str();
        });
    }
    // Makes the folder (and its parents) under the home folder; returns its path.
    std::string folder(const std::string& relative) {
        int err = 0;
        EXPECT_TRUE(makeDirectories(home.path() + "/" + relative, err)) << err;
        return home.path() + "/" + relative;
    }
    void touch(const std::string& relative) { home.write(relative, "<hr><br>\n"); }

    TempDir home;
    std::map<std::string, std::string> env;
};

} // namespace

TEST_F(JDimLogFilesTest, RotatedFilesComeOldestFirstAndThePlainOneLast) {
    folder(".cache/jdim/log/postlog-x");
    for (const char* name : {"postlog", "postlog-10", "postlog-2", "postlog-1", "postlog-0",
                             "postlog-", "postlog-3.bak", "postlog.old", "readme"})
        touch(std::string(".cache/jdim/log/") + name);
    const JDimLogSearch s = find();
    const std::string dir = home.path() + "/.cache/jdim/log/";
    EXPECT_EQ(s.files, (std::vector<std::string>{dir + "postlog-1", dir + "postlog-2",
                                                 dir + "postlog-10", dir + "postlog"}));
    EXPECT_EQ(s.searched, (std::vector<std::string>{home.path() + "/.jd/log",
                                                    home.path() + "/.cache/jdim/log"}));
}

TEST_F(JDimLogFilesTest, TheFirstExistingCacheFolderIsJDims) {
    folder(".cache/jdim/log");
    touch(".cache/jdim/log/postlog");
    folder("xdg/jdim/log");
    touch("xdg/jdim/log/postlog");
    env["XDG_CACHE_HOME"] = home.path() + "/xdg/";
    EXPECT_EQ(find().files, std::vector<std::string>{home.path() + "/xdg/jdim/log/postlog"});

    // ~/.jd, where it exists, comes before the XDG folder, even without a log in it.
    folder(".jd");
    JDimLogSearch s = find();
    EXPECT_TRUE(s.files.empty());
    EXPECT_EQ(s.searched, std::vector<std::string>{home.path() + "/.jd/log"});
    folder(".jd/log");
    touch(".jd/log/postlog");
    EXPECT_EQ(find().files, std::vector<std::string>{home.path() + "/.jd/log/postlog"});

    // $JDIM_CACHE comes first of all.
    folder("custom/log");
    touch("custom/log/postlog-1");
    env["JDIM_CACHE"] = home.path() + "/custom/";
    EXPECT_EQ(find().files, std::vector<std::string>{home.path() + "/custom/log/postlog-1"});
    // A leading "~" is the home folder.
    env["JDIM_CACHE"] = "~/custom";
    EXPECT_EQ(find().files, std::vector<std::string>{home.path() + "/custom/log/postlog-1"});
}

TEST_F(JDimLogFilesTest, NothingFoundNamesTheFoldersAndTheSetting) {
    const JDimLogSearch none = find();
    EXPECT_EQ(none.searched.size(), 2u);
    EXPECT_EQ(jdimLogNotFoundMessage(none).find("JDIM_CACHE"), std::string::npos);

    // JDim would use the folder of $JDIM_CACHE alone: ~/.jd is not looked at in its place.
    env["JDIM_CACHE"] = home.path() + "/missing";
    folder(".jd/log");
    touch(".jd/log/postlog");
    const JDimLogSearch s = find();
    EXPECT_TRUE(s.files.empty());
    ASSERT_EQ(s.searched.size(), 1u);
    const std::string m = jdimLogNotFoundMessage(s);
    EXPECT_EQ(m, "JDimの書き込みログが見つかりません。次のフォルダを探しました。\r\n  " +
                     home.path() + "/missing/log\r\n$JDIM_CACHE のフォルダ " + home.path() +
                     "/missing がありません。\r\nJDimの「設定 > 一般 > 書き込みログを保存する」を"
                     "オンにすると、書き込みがログに残ります。\r\n");
}

TEST(UserDirs, XdgVariablesCountOnlyWhenAbsolute) {
    std::map<std::string, std::string> env = {
        {"HOME", "/home/u/"}, {"XDG_CONFIG_HOME", "relative/conf"}, {"XDG_DATA_HOME", "/data/"}};
    const UserDirs d = userDirs([&](const char* name) -> const char* {
        const auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    });
    EXPECT_EQ(d.home, "/home/u");
    EXPECT_EQ(d.configHome, "/home/u/.config");
    EXPECT_EQ(d.dataHome, "/data");
    EXPECT_EQ(d.cacheHome, "/home/u/.cache");
}
