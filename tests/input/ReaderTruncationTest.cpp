// Every sample cut at every byte offset of its first kilobyte, and at random offsets: the
// readers never crash, never touch a byte outside the text (each piece lives in a buffer of
// exactly its size, so the sanitizers see any stray access), and read only posts of the whole
// log, unchanged but for the last one cut short.
#include "input/AnalysisLog.h"
#include "input/LogFormat.h"
#include "input/LogReader.h"
#include "input/PostArena.h"
#include "input/PostList.h"
#include "platform/File.h"
#include "support/TestText.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <random>
#include <string>

using namespace lorvanel;

namespace {

struct Post {
    std::string title, body, dir;
    bool newThread;
};

struct Parsed {
    bool ok = false;
    std::string formatName;
    std::map<Time32, Post> posts;
};

Parsed parsePiece(int format, std::string_view piece) {
    auto buffer = lorvanel::testing::terminatedCopy(piece);
    PostList list;
    PostArena arena;
    std::unique_ptr<LogReader> reader = createReader(format);
    Parsed r;
    r.ok = reader->parse(list, arena, buffer.get(), piece.size());
    r.formatName = reader->formatName();
    for (const PostRecord* p : list) r.posts[p->time] = {p->title, p->body, p->dir, p->newThread()};
    return r;
}

class ReaderTruncation : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        text = readWholeFile(std::string(LORVANEL_SOURCE_DIR) + "/resources/samples/" + GetParam());
        format = detectFormatText(text.substr(0, kDetectSampleBytes));
        whole = parsePiece(format, text);
        ASSERT_TRUE(whole.ok);
    }

    // The posts of a piece are posts of the whole log. At most one of them, the one that ran
    // into the cut, may have a shorter message that begins like the whole one.
    void expectPostsOfTheWhole(const Parsed& piece, std::size_t at) {
        // A Jane-or-V2C piece too short to show a terminator is read as V2C, which keeps one
        // more line break in every message.
        const bool sameReading = piece.formatName == whole.formatName;
        int shortened = 0;
        for (const auto& [time, post] : piece.posts) {
            auto it = whole.posts.find(time);
            ASSERT_NE(it, whole.posts.end()) << "cut at " << at;
            EXPECT_EQ(post.title, it->second.title) << "cut at " << at;
            EXPECT_EQ(post.dir, it->second.dir) << "cut at " << at;
            EXPECT_EQ(post.newThread, it->second.newThread) << "cut at " << at;
            if (!sameReading) continue;
            if (post.body != it->second.body) {
                ++shortened;
                EXPECT_EQ(it->second.body.rfind(post.body, 0), 0u) << "cut at " << at;
            }
        }
        EXPECT_LE(shortened, 1) << "cut at " << at;
    }

    std::string text;
    int format = 0;
    Parsed whole;
};

} // namespace

TEST_P(ReaderTruncation, EveryCutInTheFirstKilobyte) {
    const std::size_t n = std::min<std::size_t>(1024, text.size());
    for (std::size_t k = 0; k <= n; ++k) {
        analysisLog().clear();
        expectPostsOfTheWhole(parsePiece(format, std::string_view(text).substr(0, k)), k);
        // Where a tail read begins: everything before the offset is missing.
        expectPostsOfTheWhole(parsePiece(format, std::string_view(text).substr(k)), k);
        if (HasFatalFailure()) return;
    }
}

TEST_P(ReaderTruncation, RandomCuts) {
    std::mt19937 random(20080102);
    std::uniform_int_distribution<std::size_t> offset(0, text.size());
    for (int i = 0; i < 60; ++i) {
        analysisLog().clear();
        std::size_t a = offset(random), b = offset(random);
        if (a > b) std::swap(a, b);
        const std::string_view all(text);
        expectPostsOfTheWhole(parsePiece(format, all.substr(0, b)), b);
        expectPostsOfTheWhole(parsePiece(format, all.substr(a)), a);
        expectPostsOfTheWhole(parsePiece(format, all.substr(a, b - a)), a);
        if (HasFatalFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, ReaderTruncation,
                         ::testing::Values("jane.txt", "kachusha.txt", "live2ch.txt",
                                           "gikonavi-sent.ini", "v2c.txt", "jane-or-v2c.txt",
                                           "abone.txt", "hotzonu.txt"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });
