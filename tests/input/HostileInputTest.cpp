// Logs that no browser writes but that a user may still open: stray NUL bytes, huge sparse
// files, files that are nothing but line breaks or one endless line. Each must be read
// without losing what can be read, without a huge allocation, and with a clear message.
#include "input/AnalysisLog.h"
#include "input/Loader.h"
#include "input/LogFormat.h"
#include "input/PostLog.h"
#include "support/BaseTimes.h"
#include "support/LogBuilder.h"
#include "support/RecordingAlertSink.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

using namespace lorvanel;
using lorvanel::testing::LogBuilder;
using lorvanel::testing::LogPost;
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
    const std::string text = janeReply("2008/01/02 03:04:05", std::string("be\0fore", 7)) +
                             janeReply("2008/01/03 03:04:05", std::string("af\0\0ter", 7));
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

    // Loaded, the post after the NUL bytes is there, and the one before keeps them as blanks.
    PostLog log;
    ASSERT_TRUE(loadOne(log, path, 0));
    ASSERT_EQ(log.posts.size(), 2u);
    EXPECT_EQ(std::string(log.posts[0]->body), "be fore");
    EXPECT_EQ(std::string(log.posts[1]->body), "af  ter");
}

TEST_F(HostileInput, SparseFileOfTwoGigabytesIsReadWithinTheLimit) {
    const std::string path = dir.file("sparse.txt");
    const std::string head = janeReply("2008/01/02 03:04:05", "head");
    const std::string tail = "\r\n" + janeReply("2008/01/05 03:04:05", "tail");
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
    ASSERT_TRUE(loadOne(log, path, limit));
    EXPECT_EQ(largestAllocation, limit + 1);
    EXPECT_EQ(log.fileSize, static_cast<std::uint64_t>(size));
    EXPECT_EQ(log.bytesRead, limit);
    ASSERT_EQ(log.posts.size(), 1u);
    EXPECT_EQ(std::string(log.posts[0]->body), "tail");
}

TEST_F(HostileInput, FilesOfOnlyLineBreaksHoldNoPost) {
    // Opened, such a file is no log: its first byte is no block's.
    PostLog log;
    EXPECT_FALSE(loadOne(log, dir.write("breaks.txt", std::string(5000, '\n')), 0));
    EXPECT_EQ(analysisLog().text(), "対応していないlorvanel.txtです。\r\n");
    // Handed to every reader, it is refused without a post.
    for (int format = kFormatJane; format <= kFormatHotzonu; ++format) {
        for (const std::string& text : {std::string(5000, '\n'), std::string(5000, '\r'),
                                        std::string(2500, '\r') + std::string(2500, '\n')}) {
            std::string buf = text + '\0';
            PostLog one;
            std::string name;
            EXPECT_FALSE(parseText(one.posts, one.arena, name, buf.data(), text.size(), format))
                << format;
            EXPECT_TRUE(one.posts.empty());
        }
    }
}

TEST_F(HostileInput, OneEnormousLine) {
    const std::string line(16u << 20, 'x');
    // A body of one 16 MB line is a post like any other.
    LogPost big;
    big.body = line;
    const std::string path = LogBuilder(kFormatJane).add(big).writeTo(dir, "big.txt");
    PostLog log;
    ASSERT_TRUE(loadOne(log, path, 0));
    ASSERT_EQ(log.posts.size(), 1u);
    EXPECT_EQ(std::strlen(log.posts[0]->body), line.size());
    EXPECT_EQ(log.posts[0]->lineCount, 1);

    // A header line that never ends leaves no block, in every format.
    const std::string sep = "--------------------------------------------\r\n";
    for (const std::string& text :
         {sep + "Date   : 2008/01/02 03:04:05\r\nBoard  : " + line,
          sep + "Date   : 2008/01/02 03:04:05\r\nSubject: x\r\nURL\t: " + line,
          "[1]\r\nName=" + line, " \r\nスレ名：" + line}) {
        analysisLog().clear();
        PostLog one;
        EXPECT_FALSE(loadOne(one, dir.write("line.txt", text), 0));
        EXPECT_TRUE(one.posts.empty());
        EXPECT_FALSE(one.hasText());
        EXPECT_NE(analysisLog().text().find("lorvanel.txtの解析に失敗しました。\r\n"),
                  std::string::npos);
    }
}

TEST_F(HostileInput, EmptyFileAmongSeveralIsSkipped) {
    const std::string good = LogBuilder(kFormatJane).addSeries(3, 1199210000).writeTo(dir, "a.txt");
    const std::string empty = dir.write("empty.txt", "");
    PostLog log;
    ASSERT_TRUE(loadFiles(log, {empty, good, empty}, false, 0));
    EXPECT_EQ(log.posts.size(), 3u);
    EXPECT_EQ(log.sourcePaths, std::vector<std::string>{good});
    EXPECT_NE(analysisLog().text().find("対応していないlorvanel.txtです。\r\n"), std::string::npos);
}

TEST_F(HostileInput, MessagesAboutHugeFieldsKeepTheirBound) {
    // A date text far longer than any message: the message is cut, the post refused and the
    // next one read.
    LogPost post;
    post.date = "2008/01/02 03:04:" + std::string(5000, 'z');
    std::string text = LogBuilder(kFormatJane)
                           .add(post)
                           .add(lorvanel::testing::postAt(lorvanel::testing::kBase))
                           .text();
    PostLog log;
    std::string name;
    ASSERT_TRUE(parseText(log.posts, log.arena, name, text.data(), text.size(), kFormatJane));
    ASSERT_EQ(log.posts.size(), 1u);
    bool seen = false;
    for (const std::string& e : analysisLog().entries()) {
        EXPECT_LE(e.size(), AnalysisLog::kMaxEntryBytes);
        seen = seen || e.rfind("(2008/01/02 03:04:zzz", 0) == 0;
    }
    EXPECT_TRUE(seen);
}
