// The readers behind the loader: logs larger than the byte limit, read from their end (or,
// newest first, from their start), and files of several formats loaded together.
#include "input/AnalysisLog.h"
#include "input/Loader.h"
#include "input/LogFormat.h"
#include "input/PostLog.h"
#include "platform/LocalTime.h"
#include "support/BaseTimes.h"
#include "support/LogBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>

using namespace lorvanel;
using lorvanel::testing::LogBuilder;
using lorvanel::testing::LogPost;
using lorvanel::testing::postAt;
using lorvanel::testing::TempDir;

namespace {

using lorvanel::testing::kBase;
constexpr std::uint64_t kMegabyte = std::uint64_t{1} << 20;

LogPost kilobytePost(int i) {
    LogPost p = postAt(kBase + 60 * i);
    p.body = std::string(1000, 'a' + i % 26);
    return p;
}

class ReaderLoading : public ::testing::Test {
protected:
    void SetUp() override { analysisLog().clear(); }
    TempDir dir;
};

} // namespace

TEST_F(ReaderLoading, ThreeMegabyteJaneLogWithAOneMegabyteLimit) {
    LogBuilder b(kFormatJane);
    const int count = 3000;
    for (int i = 0; i < count; ++i) b.add(kilobytePost(i));
    const std::string text = b.text();
    ASSERT_GT(text.size(), 3 * kMegabyte - 200000);
    PostLog log;
    ASSERT_TRUE(loadOne(log, b.writeTo(dir, "lorvanel.txt"), kMegabyte));
    EXPECT_EQ(log.fileSize, text.size());
    EXPECT_EQ(log.bytesRead, kMegabyte);
    // Whole posts of the last megabyte; the one it starts inside is skipped without a word.
    const std::size_t postSize = LogBuilder::postText(kFormatJane, kilobytePost(0)).size();
    const std::size_t whole = kMegabyte / postSize;
    ASSERT_EQ(log.posts.size(), whole);
    EXPECT_EQ(log.posts.front()->time, kBase + 60 * (count - static_cast<int>(whole)));
    EXPECT_EQ(log.posts.back()->time, kBase + 60 * (count - 1));
    EXPECT_EQ(log.posts.front()->seq, 1);
    EXPECT_EQ(analysisLog().entryCount(), 4u) << analysisLog().text();
}

TEST_F(ReaderLoading, ThreeMegabyteNewestFirstLogWithAOneMegabyteLimit) {
    const LogPost sample = kilobytePost(0);
    const std::size_t postSize = LogBuilder::postText(kFormatHotzonu, sample).size();
    const std::size_t headerSize =
        postSize - sample.body.size() - LogBuilder::terminatorOf(kFormatHotzonu).size();
    // Pad the newest post so that the limit falls 50 bytes into a message.
    const std::size_t cutPost = (kMegabyte - headerSize - 50) / postSize;
    const std::size_t padding = kMegabyte - cutPost * postSize - headerSize - 50;

    const int count = 3000;
    LogBuilder b(kFormatHotzonu);
    for (int i = 0; i < count; ++i) {
        LogPost p = kilobytePost(i);
        if (i == count - 1) p.body += std::string(padding, 'z');
        b.add(p);
    }
    PostLog log;
    ASSERT_TRUE(loadOne(log, b.writeTo(dir, "hz.txt"), kMegabyte));
    EXPECT_EQ(log.bytesRead, kMegabyte);
    ASSERT_EQ(log.posts.size(), cutPost);
    EXPECT_EQ(log.posts.back()->time, kBase + 60 * (count - 1));
    EXPECT_EQ(log.posts.back()->seq, static_cast<std::int32_t>(cutPost));
    EXPECT_EQ(log.posts.front()->seq, 1);
    const Time32 cut = kBase + 60 * (count - 1 - static_cast<int>(cutPost));
    ASSERT_EQ(analysisLog().entryCount(), 5u) << analysisLog().text();
    EXPECT_EQ(analysisLog().entries()[3], "(" + formatLocalTime(cut, "%Y/%m/%d %H:%M:%S") +
                                              ") フッダが不正です。この書き込みを無視します。\r\n");
}

TEST_F(ReaderLoading, FilesOfSeveralFormatsKeepTheirNamesInLoadOrder) {
    LogBuilder hz(kFormatHotzonu), v2c(kFormatV2c), kv(kFormatGikonavi);
    hz.addSeries(3, kBase, 300);
    v2c.addSeries(3, kBase + 100, 300);
    kv.addSeries(3, kBase + 200, 300);
    PostLog log;
    ASSERT_TRUE(loadFiles(
        log, {hz.writeTo(dir, "a.txt"), v2c.writeTo(dir, "b.txt"), kv.writeTo(dir, "c.ini")}, false,
        0));
    EXPECT_EQ(log.formatNames, (std::vector<std::string>{"ホットゾヌ２", "V2C", "ギコナビ"}));
    ASSERT_EQ(log.posts.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(log.posts[i]->time, kBase + 100 * static_cast<Time32>(i));
        EXPECT_EQ(log.posts[i]->seq, static_cast<std::int32_t>(i + 1));
    }
}

TEST_F(ReaderLoading, MessagesOfALoadInOrder) {
    LogBuilder b(kFormatKachusha);
    b.addSeries(2, kBase);
    LogPost late = postAt(kBase); // the time of the first post
    b.add(late);
    PostLog log;
    const std::string path = b.writeTo(dir, "k.txt");
    ASSERT_TRUE(loadOne(log, path, 0));
    const auto& e = analysisLog().entries();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0], "ファイルを開いています '" + path + "'\r\n");
    EXPECT_EQ(e[2], "レスに分解しています\r\n");
    EXPECT_EQ(e[3],
              "(2008/01/02 03:04:05) 書き込み時間が遡っています。この書き込みを無視します。\r\n");
    EXPECT_EQ(e[4].rfind("完了 ", 0), 0u);
    EXPECT_EQ(log.formatNames, std::vector<std::string>{"かちゅ～しゃ"});
}
