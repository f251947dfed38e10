#include "input/AnalysisLog.h"
#include "input/PostLog.h"
#include "keywords/KeywordTestLog.h"
#include "match/Folding.h"
#include "platform/WorkerPool.h"
#include "support/RecordingAlertSink.h"

#include <cstring>
#include <gtest/gtest.h>
#include <new>
#include <random>

using namespace lorvanel;
using lorvanel::testing::KeywordPost;
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

// The posts are folded in parts side by side: every body's copies are what folding it alone
// gives, however the list is cut, and the bodies outside the text get places of their own
// after it, in list order, whichever part they fall in.
TEST(FoldedBodies, FoldedInPartsAsEachBodyAlone) {
    const std::vector<std::string> pieces = {"テスト", "ＡＢＣ",   "abc", "てすと", "ﾃｽﾄ",
                                             "ｶﾞｷﾞ",   "ラーメン", "\\",  "\x81",   "!"};
    std::mt19937 rng(2802);
    std::vector<KeywordPost> posts;
    for (int i = 0; i < 3000; ++i) {
        std::string body;
        for (unsigned n = rng() % 6; n > 0; --n) body += pieces[rng() % pieces.size()];
        posts.push_back({body});
    }
    KeywordTestLog t(posts);
    // Some bodies outside the text, in several parts.
    std::vector<std::string> outside;
    for (std::size_t i = 5; i < t.log.posts.size(); i += 397)
        outside.push_back(pieces[i % pieces.size()] + pieces[(i / 7) % pieces.size()]);
    for (std::size_t k = 0; k < outside.size(); ++k)
        t.log.posts[5 + 397 * k]->body = outside[k].c_str();

    PartsOverride parts(7, 64);
    ASSERT_EQ(partsFor(t.log.posts.size()), 7u);
    ASSERT_TRUE(t.log.ensureFoldedBodies());
    const char* previousOutside = nullptr;
    std::size_t previousLength = 0;
    for (std::size_t i = 0; i < t.log.posts.size(); ++i) {
        const PostRecord& p = *t.log.posts[i];
        const std::string folded = foldWidthAndCase(std::string_view(p.body));
        ASSERT_STREQ(t.log.foldedBody(p), folded.c_str()) << i;
        ASSERT_STREQ(t.log.kanaFoldedBody(p), foldKana(folded).c_str()) << i;
        if (t.log.inText(p.body)) {
            EXPECT_EQ(t.log.foldedBody(p) - t.log.foldedBody(*t.log.posts[0]),
                      p.body - t.log.posts[0]->body);
            continue;
        }
        // Right after the text, then right after the previous one outside it.
        const char* at = t.log.foldedBody(p);
        if (previousOutside)
            EXPECT_EQ(at, previousOutside + previousLength + 1) << i;
        else
            EXPECT_GE(static_cast<std::size_t>(at - t.log.foldedBody(*t.log.posts[0])),
                      t.log.textCapacity() -
                          static_cast<std::size_t>(t.log.posts[0]->body - t.log.textData()));
        previousOutside = at;
        previousLength = std::strlen(p.body);
    }
    EXPECT_EQ(previousLength, outside.back().size());
}
