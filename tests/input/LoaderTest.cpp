#include "input/Loader.h"
#include "input/AnalysisLog.h"
#include "input/BoardDirectory.h"
#include "input/LogFormat.h"
#include "input/PostLog.h"
#include "platform/File.h"
#include "platform/LocalTime.h"
#include "support/LogBuilder.h"
#include "support/RecordingAlertSink.h"
#include "support/TempDir.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <new>
#include <string>

using namespace lorvanel;
using lorvanel::testing::recordedAlerts;
using lorvanel::testing::TempDir;

namespace {

const std::string kSep = "--------------------------------------------\r\n";

// A Jane-style text of n numbered lines after a detectable header.
std::string janeLike(int lines) {
    std::string s = kSep + "Date   : 2008/01/02 03:04:05\r\nBoard  : x\r\n";
    for (int i = 0; i < lines; ++i) s += "line " + std::to_string(i) + "\r\n";
    return s;
}

class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        analysisLog().clear();
        recordedAlerts().clear();
    }
    TempDir dir;
};

} // namespace

TEST_F(LoaderTest, ReadsTheLastBytesWithinTheLimit) {
    const std::string text = janeLike(100);
    const std::string path = dir.write("a.txt", text);
    std::string buf(64 + 1, '#');
    std::uint64_t got = 0;
    EXPECT_EQ(readFileText(buf.data(), 64, got, path, 64), kFormatJane);
    EXPECT_EQ(got, 64u);
    EXPECT_EQ(buf.substr(0, 64), text.substr(text.size() - 64));
    EXPECT_EQ(buf[64], '\0');
    EXPECT_EQ(analysisLog().entries().front(), "ファイルを開いています '" + path + "'\r\n");
    EXPECT_EQ(analysisLog().entries().back().rfind("完了 ", 0), 0u);
}

TEST_F(LoaderTest, ReadsTheFirstBytesOfNewestFirstLogs) {
    std::string text = " \r\nスレ名：テスト\r\n";
    text += std::string(200, 'x');
    const std::string path = dir.write("h.txt", text);
    std::string buf(33, '#');
    std::uint64_t got = 0;
    EXPECT_EQ(readFileText(buf.data(), 32, got, path, 32), kFormatHotzonu);
    EXPECT_EQ(buf.substr(0, 32), text.substr(0, 32));
}

TEST_F(LoaderTest, WholeFileWithoutLimit) {
    const std::string text = janeLike(3);
    const std::string path = dir.write("a.txt", text);
    std::string buf(text.size() + 1, '#');
    std::uint64_t got = 0;
    EXPECT_EQ(readFileText(buf.data(), text.size(), got, path, 0), kFormatJane);
    EXPECT_EQ(got, text.size());
}

TEST_F(LoaderTest, NeverWritesPastItsPartWhenTheFileGrew) {
    const std::string text = janeLike(50);
    const std::string path = dir.write("a.txt", text);
    // Room for 40 bytes only, as if the status had said 40.
    std::string buf(41 + 8, '#');
    std::uint64_t got = 0;
    EXPECT_EQ(readFileText(buf.data(), 40, got, path, 0), kFormatJane);
    EXPECT_EQ(got, 40u);
    EXPECT_EQ(buf[40], '\0');
    EXPECT_EQ(buf.substr(41), std::string(8, '#'));
    EXPECT_NE(analysisLog().text().find("ファイルのサイズが読み込み中に変わりました"),
              std::string::npos);
}

TEST_F(LoaderTest, UnrecognisedFileReadsNothing) {
    const std::string path = dir.write("x.txt", "hello\r\n");
    std::string buf(8, '#');
    std::uint64_t got = 7;
    EXPECT_EQ(readFileText(buf.data(), 7, got, path, 0), 0);
    EXPECT_EQ(buf, std::string(8, '#'));
    EXPECT_EQ(analysisLog().text(), "");
}

TEST_F(LoaderTest, MissingPathFailsWithTheSystemMessage) {
    PostLog log;
    EXPECT_FALSE(loadOne(log, dir.file("missing.txt"), 0));
    EXPECT_FALSE(log.hasText());
    EXPECT_EQ(analysisLog().text(),
              dir.file("missing.txt") + ": " + systemErrorMessage(ENOENT) + "\r\n");
    ASSERT_EQ(recordedAlerts().texts.size(), 1u);
}

TEST_F(LoaderTest, DirectoryIsRefused) {
    PostLog log;
    EXPECT_FALSE(loadOne(log, dir.path(), 0));
    EXPECT_FALSE(log.hasText());
    EXPECT_TRUE(log.posts.empty());
    EXPECT_FALSE(recordedAlerts().texts.empty());
}

TEST_F(LoaderTest, EmptyFileIsNotALog) {
    PostLog log;
    EXPECT_FALSE(loadOne(log, dir.write("empty.txt", ""), 0));
    EXPECT_EQ(analysisLog().text(), "対応していないlorvanel.txtです。\r\n");
    EXPECT_EQ(recordedAlerts().texts,
              std::vector<std::string>{"対応していないlorvanel.txtです。\r\n"});
    EXPECT_FALSE(log.hasText());
    EXPECT_TRUE(log.sourcePaths.empty());
}

TEST_F(LoaderTest, NoFileOfSeveralSucceeds) {
    PostLog log;
    EXPECT_FALSE(loadFiles(log, {dir.write("a.txt", "x"), dir.file("missing.txt")}, false, 0));
    EXPECT_FALSE(log.hasText());
    EXPECT_TRUE(log.posts.empty());
    EXPECT_EQ(log.bytesRead, 0u);
}

namespace {
std::unique_ptr<char[]> failingAllocator(std::size_t) {
    throw std::bad_alloc();
}
} // namespace

TEST_F(LoaderTest, AllocationFailureIsReportedAndClearsTheLog) {
    const std::string path = dir.write("a.txt", janeLike(10));
    PostLog log;
    setTextAllocator(&failingAllocator);
    const bool ok = loadOne(log, path, 0);
    const bool okMany = loadFiles(log, {path, dir.write("b.txt", janeLike(3))}, false, 0);
    setTextAllocator(nullptr);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(okMany);
    EXPECT_FALSE(log.hasText());
    EXPECT_TRUE(log.posts.empty());
    EXPECT_EQ(analysisLog().text(), "メモリが不足しています。\r\nメモリが不足しています。\r\n");
}

// The names of boards outside the BBS family belong to the loaded log: a filter knows them
// right after the load, without a statistics run, and no longer once the log is cleared.
TEST(LoaderForeignBoards, NamesAreKnownWhileTheLogHoldsThem) {
    TempDir dir;
    lorvanel::testing::LogBuilder b(kFormatJane);
    lorvanel::testing::LogPost p = lorvanel::testing::postAt(fromLocalTime(2008, 1, 8, 10, 0, 0));
    p.url = "http://bbs.loader.example/test/read.cgi/loaderdir/1199000000/";
    b.add(p);
    const std::string path = b.writeTo(dir, "log.txt");
    using P = std::pair<std::string, std::string>;
    const std::string name = "loaderdir＠bbs.loader.example";
    EXPECT_EQ(boardDirectory().resolveBoardFilter(name), P());
    {
        PostLog log;
        ASSERT_TRUE(loadFiles(log, {path}, false, 0));
        EXPECT_EQ(boardDirectory().resolveBoardFilter(name), P("bbs.loader.example", "loaderdir"));
        PostLog second;
        ASSERT_TRUE(loadFiles(second, {path}, false, 0));
        second.clear();
        // The first log still holds the board.
        EXPECT_EQ(boardDirectory().resolveBoardFilter(name), P("bbs.loader.example", "loaderdir"));
        log.clear();
        EXPECT_EQ(boardDirectory().resolveBoardFilter(name), P());
        ASSERT_TRUE(loadFiles(log, {path}, false, 0));
    }
    // A log that goes away gives its names back too.
    EXPECT_EQ(boardDirectory().resolveBoardFilter(name), P());
    analysisLog().clear();
}
