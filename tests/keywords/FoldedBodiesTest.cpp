#include "input/AnalysisLog.h"
#include "input/PostLog.h"
#include "keywords/KeywordTestLog.h"
#include "support/RecordingAlertSink.h"

#include <cstring>
#include <gtest/gtest.h>
#include <new>

using namespace lorvanel;
using lorvanel::testing::KeywordTestLog;
using lorvanel::testing::recordedAlerts;

namespace {

std::size_t largestRequest = 0;
std::unique_ptr<char[]> recordingAllocator(std::size_t n) {
    largestRequest = std::max(largestRequest, n);
    return std::make_unique<char[]>(n);
}
std::unique_ptr<char[]> failingAllocator(std::size_t) {
    throw std::bad_alloc();
}

struct AllocatorGuard {
    explicit AllocatorGuard(TextAllocator a) { setTextAllocator(a); }
    ~AllocatorGuard() { setTextAllocator(nullptr); }
};

} // namespace

TEST(FoldedBodies, NoTextNoCopies) {
    PostLog empty;
    EXPECT_FALSE(empty.ensureFoldedBodies());
    EXPECT_FALSE(empty.hasFoldedBodies());
}

TEST(FoldedBodies, CopiesSitAtTheBodiesOffsetsAndAreBuiltOnce) {
    KeywordTestLog t({{"テストＡＢＣ", "スレ"}, {"てすと"}, {""}});
    PostLog& log = t.log;
    ASSERT_TRUE(log.ensureFoldedBodies());
    ASSERT_TRUE(log.hasFoldedBodies());
    const PostRecord& a = *log.posts[0];
    const PostRecord& b = *log.posts[1];
    const PostRecord& c = *log.posts[2];
    EXPECT_STREQ(log.foldedBody(a), "ﾃｽﾄabc");
    EXPECT_STREQ(log.kanaFoldedBody(a), "ﾃｽﾄabc");
    EXPECT_STREQ(log.foldedBody(b), "てすと");
    EXPECT_STREQ(log.kanaFoldedBody(b), "ﾃｽﾄ");
    EXPECT_STREQ(log.foldedBody(c), "");
    EXPECT_EQ(log.foldedBody(b) - log.foldedBody(a), b.body - a.body);
    EXPECT_EQ(log.kanaFoldedBody(c) - log.kanaFoldedBody(a), c.body - a.body);
    EXPECT_STREQ(a.body, "テストＡＢＣ"); // the text itself is untouched

    const char* before = log.foldedBody(a);
    EXPECT_TRUE(log.ensureFoldedBodies());
    EXPECT_EQ(log.foldedBody(a), before);
}

TEST(FoldedBodies, BuffersCoverTheNulBytesBetweenFiles) {
    // With several files the text holds one NUL per file beyond the bytes read, so the last
    // file's bodies end past bytesRead + 1.
    largestRequest = 0;
    KeywordTestLog t({{"ＡＡＡ"}, {"ＢＢＢ"}}, 3);
    AllocatorGuard guard(&recordingAllocator);
    ASSERT_TRUE(t.log.ensureFoldedBodies());
    EXPECT_GE(largestRequest, t.log.textCapacity());
    EXPECT_STREQ(t.log.foldedBody(*t.log.posts.back()), "bbb");
}

TEST(FoldedBodies, BodiesOutsideTheTextAreFoldedToo) {
    KeywordTestLog t({{"ＡＡ"}, {"x"}});
    t.log.posts[1]->body = "ＸＹＺ"; // a constant, not in the text buffer
    ASSERT_TRUE(t.log.ensureFoldedBodies());
    EXPECT_STREQ(t.log.foldedBody(*t.log.posts[0]), "aa");
    EXPECT_STREQ(t.log.foldedBody(*t.log.posts[1]), "xyz");
}

TEST(FoldedBodies, AllocationFailureIsReportedAndLeavesNoCopies) {
    KeywordTestLog t({{"テスト"}});
    recordedAlerts().clear();
    analysisLog().clear();
    {
        AllocatorGuard guard(&failingAllocator);
        EXPECT_FALSE(t.log.ensureFoldedBodies());
    }
    EXPECT_FALSE(t.log.hasFoldedBodies());
    EXPECT_EQ(t.log.foldedBody(*t.log.posts[0]), nullptr);
    ASSERT_EQ(recordedAlerts().texts.size(), 1u);
    EXPECT_EQ(recordedAlerts().texts[0], "メモリが不足しています。");
    EXPECT_EQ(analysisLog().text(), "メモリが不足しています。\r\n");
    // A later attempt with memory to spare succeeds.
    EXPECT_TRUE(t.log.ensureFoldedBodies());
    EXPECT_STREQ(t.log.kanaFoldedBody(*t.log.posts[0]), "ﾃｽﾄ");
}

TEST(FoldedBodies, ClearingTheLogDropsTheCopies) {
    KeywordTestLog t({{"テスト"}});
    ASSERT_TRUE(t.log.ensureFoldedBodies());
    releasePosts(t.selection);
    t.log.clear();
    EXPECT_FALSE(t.log.hasFoldedBodies());
    EXPECT_FALSE(t.log.ensureFoldedBodies());
}
