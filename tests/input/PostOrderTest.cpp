// One file's posts whatever order the file holds them in: a bad date costs only its own post,
// a post out of place is kept and sorted in, a repeated time is refused where it is read.
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
#include <vector>

using namespace lorvanel;
using lorvanel::testing::kBase;
using lorvanel::testing::LogBuilder;
using lorvanel::testing::LogPost;
using lorvanel::testing::postAt;
using lorvanel::testing::TempDir;

namespace {

constexpr int kFormats[] = {kFormatJane, kFormatKachusha, kFormatLive2ch, kFormatGikonavi,
                            kFormatV2c,  kFormatABone,    kFormatHotzonu};
constexpr int kPosts = 80;

class PostOrder : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { analysisLog().clear(); }

    // kPosts posts a minute apart, oldest first, the one at `odd` with the given date text.
    void load(PostLog& log, int odd, const std::string& date) {
        LogBuilder b(GetParam());
        for (int i = 0; i < kPosts; ++i) {
            LogPost p = postAt(kBase + 60 * i);
            p.body = "post " + std::to_string(i);
            if (i == odd) p.date = date;
            b.add(p);
        }
        EXPECT_TRUE(loadOne(log, b.writeTo(dir, "lorvanel.txt"), 0)) << analysisLog().text();
    }

    // Times rise strictly and seq is the position, whatever order the file had.
    static void expectTimeOrdered(const PostLog& log) {
        for (std::size_t i = 0; i < log.posts.size(); ++i) {
            EXPECT_EQ(log.posts[i]->seq, static_cast<int>(i + 1));
            if (i > 0) EXPECT_LT(log.posts[i - 1]->time, log.posts[i]->time);
        }
    }

    TempDir dir;
};

} // namespace

TEST_P(PostOrder, ABadDateCostsOnlyItsOwnPost) {
    const Time32 fallback = fromLocalTime(1971, 1, 1, 0, 0, 0);
    // A year of 2045, a missing second, and a time past what 32 bits hold.
    for (const std::string date :
         {"45/01/02 03:04:05", "2008/01/02 03:04", "2038/01/19 12:14:08"}) {
        SetUp();
        PostLog log;
        load(log, 40, date);
        ASSERT_EQ(log.posts.size(), kPosts - 1u) << date << "\n" << analysisLog().text();
        expectTimeOrdered(log);
        for (const PostRecord* p : log.posts) {
            EXPECT_NE(p->time, fallback);
            EXPECT_NE(p->time, kBase + 60 * 40);
        }
        EXPECT_EQ(analysisLog().text().find("遡って"), std::string::npos) << date;
        const std::string says =
            date.size() == 16 ? ") 時刻の書式が不正です。" : ") 扱えない時刻です。";
        EXPECT_NE(analysisLog().text().find("(" + date + says), std::string::npos) << date;
    }
}

TEST_P(PostOrder, APostOutOfPlaceIsSortedIn) {
    PostLog log;
    load(log, 10, "2030/06/01 12:00:00");
    ASSERT_EQ(log.posts.size(), static_cast<std::size_t>(kPosts)) << analysisLog().text();
    expectTimeOrdered(log);
    EXPECT_EQ(log.posts.back()->time, fromLocalTime(2030, 6, 1, 12, 0, 0));
    EXPECT_EQ(log.posts.back()->body, std::string("post 10"));
    EXPECT_EQ(analysisLog().text().find("遡って"), std::string::npos);
}

TEST_P(PostOrder, ARepeatedTimeIsRefusedWhereItIsRead) {
    // Post 50 repeats the time of post 20, read long before it.
    PostLog log;
    load(log, 50, formatLocalTime(kBase + 60 * 20, "%Y/%m/%d %H:%M:%S"));
    ASSERT_EQ(log.posts.size(), kPosts - 1u);
    expectTimeOrdered(log);
    const std::string message = "(" + formatLocalTime(kBase + 60 * 20, "%Y/%m/%d %H:%M:%S") +
                                ") 書き込み時間が遡っています。この書き込みを無視します。\r\n";
    const std::string text = analysisLog().text();
    ASSERT_NE(text.find(message), std::string::npos) << text;
    EXPECT_EQ(text.find(message), text.rfind(message));
    // The file's own kept copy is the one read first.
    for (const PostRecord* p : log.posts)
        if (p->time == kBase + 60 * 20) {
            const std::string first = GetParam() == kFormatHotzonu ? "post 50" : "post 20";
            EXPECT_EQ(p->body, first);
        }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, PostOrder, ::testing::ValuesIn(kFormats));
