// Only regular files are read: a FIFO, a device or a directory is refused before anything
// waits on it, and every file error names its file once, with no format complaint after it.
#include "input/AnalysisLog.h"
#include "input/Loader.h"
#include "input/PostLog.h"
#include "keywords/KeywordSet.h"
#include "platform/File.h"
#include "platform/IniFile.h"
#include "support/BaseTimes.h"
#include "support/LogBuilder.h"
#include "support/RecordingAlertSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace lorvanel;
using lorvanel::testing::recordedAlerts;
using lorvanel::testing::TempDir;

namespace {

class FileKinds : public ::testing::Test {
protected:
    void SetUp() override {
        forget();
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    }
    void TearDown() override { forget(); }
    static void forget() {
        analysisLog().clear();
        recordedAlerts().clear();
    }

    TempDir dir;
    const std::string fifo = dir.file("fifo.txt");
};

const std::string kNotRegular = "通常のファイルではありません";

} // namespace

TEST_F(FileKinds, OnlyRegularFilesAreLoaded) {
    const std::string missing = dir.file("missing.txt");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {fifo, kNotRegular},
        {"/dev/null", kNotRegular},
        {"/dev/zero", kNotRegular},
        {dir.path(), "Is a directory"},
        {missing, "No such file or directory"},
    };
    for (const auto& [path, reason] : cases) {
        forget();
        PostLog log;
        EXPECT_FALSE(loadOne(log, path, 0)) << path;
        const std::string message = path + ": " + reason;
        EXPECT_EQ(recordedAlerts().texts, std::vector<std::string>{message}) << path;
        EXPECT_EQ(analysisLog().text(), message + "\r\n") << path;
    }
    // Among other files the odd one is skipped with its message; the good one loads.
    forget();
    lorvanel::testing::LogBuilder b(1);
    b.addSeries(3, lorvanel::testing::kBase);
    PostLog log;
    ASSERT_TRUE(loadFiles(log, {fifo, b.writeTo(dir, "good.txt"), "/dev/zero"}, false, 0));
    EXPECT_EQ(log.posts.size(), 3u);
    EXPECT_EQ(recordedAlerts().texts,
              (std::vector<std::string>{fifo + ": " + kNotRegular, "/dev/zero: " + kNotRegular}));
}

TEST_F(FileKinds, KeywordFilesSettingsAndListings) {
    KeywordSet set;
    EXPECT_FALSE(loadKeywordSet(fifo, set));
    EXPECT_EQ(recordedAlerts().texts, std::vector<std::string>{fifo + ": " + kNotRegular});

    IniFile ini;
    std::string error;
    EXPECT_FALSE(ini.load(fifo, &error));
    EXPECT_EQ(error, fifo + ": " + kNotRegular);

    dir.write("real.txt", "★a\r\n");
    EXPECT_EQ(listFiles(dir.path(), ".txt"), std::vector<std::string>{"real.txt"});
}
