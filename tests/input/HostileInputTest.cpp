// Logs that no browser writes but that a user may still open: stray NUL bytes, huge sparse
// files, files that are nothing but line breaks or one endless line. Each must be read
// without losing what can be read, without a huge allocation, and with a clear message.
#include "input/AnalysisLog.h"
#include "input/Loader.h"
#include "input/LogFormat.h"
#include "input/PostLog.h"
#include "support/RecordingAlertSink.h"
#include "support/TempDir.h"

#include <algorithm>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

using namespace lorvanel;
using lorvanel::testing::recordedAlerts;
using lorvanel::testing::TempDir;

namespace {

const std::string kSep = "--------------------------------------------\r\n";

std::string janeReply(const std::string& date, const std::string& body) {
    return kSep + "Date   : " + date + "\r\nSubject: スレ\r\n" +
           "URL    : http://hayabusa.2ch.net/test/read.cgi/news/1199999999/\r\n" +
           "FROM   : 名無し\r\nMAIL   : sage\r\n\r\n" + body + "\r\n\r\n\r\n";
}

// The largest buffer asked of the text allocator since the last reset.
std::size_t largestAllocation = 0;
std::unique_ptr<char[]> recordingAllocator(std::size_t n) {
    largestAllocation = std::max(largestAllocation, n);
    return std::make_unique_for_overwrite<char[]>(n);
}

class HostileInput : public ::testing::Test {
protected:
    void SetUp() override {
        analysisLog().clear();
        recordedAlerts().clear();
        largestAllocation = 0;
        setTextAllocator(&recordingAllocator);
    }
    void TearDown() override { setTextAllocator(nullptr); }
    TempDir dir;
};

} // namespace

TEST_F(HostileInput, NulBytesAreReadAsBlanksAndReported) {
    std::string text = janeReply("2008/01/02 03:04:05", "before");
    text += std::string("x\0y\0\0z", 6) + janeReply("2008/01/03 03:04:05", "after");
    const std::string path = dir.write("nul.txt", text);
    std::string buf(text.size() + 1, '#');
    std::uint64_t got = 0;
    ASSERT_EQ(readFileText(buf.data(), text.size(), got, path, 0), kFormatJaneOrV2c);
    ASSERT_EQ(got, text.size());
    std::string expected = text;
    std::replace(expected.begin(), expected.end(), '\0', ' ');
    EXPECT_EQ(buf.substr(0, text.size()), expected);
    EXPECT_EQ(buf[text.size()], '\0');
    EXPECT_NE(analysisLog().text().find("NUL文字が3個含まれています。空白として読み込みます '" +
                                        path + "'\r\n"),
              std::string::npos);
}

TEST_F(HostileInput, SparseFileOfTwoGigabytesIsReadWithinTheLimit) {
    const std::string path = dir.file("sparse.txt");
    const std::string head = janeReply("2008/01/02 03:04:05", "head");
    const std::string tail = janeReply("2008/01/05 03:04:05", "tail");
    const off_t size = off_t{2} << 30;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, head.data(), head.size(), 0), static_cast<ssize_t>(head.size()));
    ASSERT_EQ(::pwrite(fd, tail.data(), tail.size(), size - static_cast<off_t>(tail.size())),
              static_cast<ssize_t>(tail.size()));
    ::close(fd);

    const std::uint64_t limit = std::uint64_t{1} << 20;
    std::string buf(limit + 1, '#');
    std::uint64_t got = 0;
    ASSERT_EQ(readFileText(buf.data(), limit, got, path, limit), kFormatJaneOrV2c);
    EXPECT_EQ(got, limit);
    EXPECT_EQ(buf.substr(limit - tail.size(), tail.size()), tail);
    // The hole before the last post reads as NUL bytes, which are reported, not kept.
    EXPECT_EQ(buf.find('\0'), limit);
    EXPECT_NE(analysisLog().text().find("NUL文字が"), std::string::npos);

    PostLog log;
    loadOne(log, path, limit);
    EXPECT_EQ(largestAllocation, limit + 1);
}
