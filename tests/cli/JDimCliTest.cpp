// lorvanel-cli --jdim: JDim's post log in place of the files, for every command that loads.
#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using lorvanel::testing::CliResult;
using lorvanel::testing::readFile;
using lorvanel::testing::runCli;
using lorvanel::testing::TempDir;

namespace {

std::string U8(const char8_t* s) {
    return reinterpret_cast<const char*>(s);
}

// The child inherits the environment: a made-up home with the JDim sample in ~/.cache/jdim.
class JDimCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"HOME", "XDG_CACHE_HOME", "JDIM_CACHE"}) {
            const char* v = std::getenv(name);
            saved_.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
        }
        setenv("HOME", home.path().c_str(), 1);
        unsetenv("XDG_CACHE_HOME");
        unsetenv("JDIM_CACHE");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    void installSample() {
        std::system(("mkdir -p '" + home.path() + "/.cache/jdim/log'").c_str());
        const std::string samples = std::string(LORVANEL_SOURCE_DIR) + "/resources/samples/jdim/";
        for (const char* name : {"postlog-1", "postlog-2", "postlog"})
            home.write(std::string(".cache/jdim/log/") + name, readFile(samples + name));
    }

    TempDir home;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

} // namespace

TEST_F(JDimCliTest, EveryLoadingCommandTakesTheLogInPlaceOfFiles) {
    installSample();
    const CliResult dump = runCli({"dump", "--jdim"});
    EXPECT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(std::count(dump.out.begin(), dump.out.end(), '\n'), 23);
    const CliResult report = runCli({"report", "--limit-mb", "0", "--jdim"});
    EXPECT_EQ(report.status, 0) << report.err;
    EXPECT_NE(report.out.find("JDim"), std::string::npos);
    const CliResult keywords = runCli({"keywords", "--jdim"});
    EXPECT_EQ(keywords.status, 0) << keywords.err;
}

TEST_F(JDimCliTest, NothingFoundExitsWithOneAndSaysWhereItLooked) {
    const CliResult r = runCli({"report", "--jdim"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, U8(u8"lorvanel-cli report: JDimの書き込みログが見つかりません。"
                        u8"次のフォルダを探しました。\n  ") +
                         home.path() + "/.jd/log\n  " + home.path() +
                         U8(u8"/.cache/jdim/log\nJDimの「設定 > 一般 > 書き込みログを保存する」"
                            u8"をオンにすると、書き込みがログに残ります。\n"));
}

TEST_F(JDimCliTest, RentalBoardsShowUnderTheNamesJDimLogged) {
    // Boards the built-in list lacks are listed in the tree's "板" under the name JDim wrote
    // beside the post, and brd_ selects them by it.
    installSample();
    const CliResult tree = runCli({"tree", "--expand", "all", "--jdim"});
    EXPECT_EQ(tree.status, 0) << tree.err;
    EXPECT_NE(tree.out.find(U8(u8"  ネット雑談(1)\tbrd_\"ネット雑談\"\t0\n")), std::string::npos)
        << tree.out;
    EXPECT_NE(tree.out.find(U8(u8"  PC関係(1)\tbrd_\"PC関係\"\t0\n")), std::string::npos);
    const CliResult posts = runCli({"posts", "--filter", U8(u8"brd_ネット雑談"), "--jdim"});
    EXPECT_EQ(posts.status, 0) << posts.err;
    EXPECT_EQ(posts.out.rfind(U8(u8"したらば避難所 (ネット雑談)\r\n"), 0), 0u) << posts.out;
}
