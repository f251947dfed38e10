// The bundled sample logs: each is detected as its format, parsed whole, and shows what it is
// there to show (new threads, several boards, hosts outside the known family).
#include "input/AnalysisLog.h"
#include "input/Loader.h"
#include "input/LogFormat.h"
#include "input/PostLog.h"
#include "platform/File.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

using namespace lorvanel;

namespace {

struct Sample {
    const char* file;
    int detected;
    const char* formatName;
    std::size_t posts;
    bool hasNewThreads;
};

const Sample kSamples[] = {
    {"jane.txt", kFormatJane, "Jane", 80, true},
    {"kachusha.txt", kFormatKachusha, "かちゅ～しゃ", 80, true},
    {"live2ch.txt", kFormatLive2ch, "Live2ch", 80, false},
    {"gikonavi-sent.ini", kFormatGikonavi, "ギコナビ", 80, true},
    {"v2c.txt", kFormatJaneOrV2c, "V2C", 80, true},
    {"jane-or-v2c.txt", kFormatJaneOrV2c, "Jane", 80, true},
    {"abone.txt", kFormatABone, "A Bone", 80, true},
    {"hotzonu.txt", kFormatHotzonu, "ホットゾヌ２", 80, false},
    {"demo-jane.txt", kFormatJane, "Jane", 5500, true},
};

std::string samplePath(const char* file) {
    return std::string(LORVANEL_SOURCE_DIR) + "/resources/samples/" + file;
}

} // namespace

TEST(Samples, EachLoadsAsItsFormat) {
    for (const Sample& s : kSamples) {
        SCOPED_TRACE(s.file);
        analysisLog().clear();
        const std::string path = samplePath(s.file);
        EXPECT_EQ(detectFormat(path), s.detected);
        PostLog log;
        ASSERT_TRUE(loadOne(log, path, 0));
        EXPECT_EQ(log.posts.size(), s.posts);
        ASSERT_EQ(log.formatNames.size(), 1u);
        EXPECT_EQ(log.formatNames[0], s.formatName);
        // A clean log: the loader's own lines and nothing from the readers.
        EXPECT_EQ(analysisLog().entryCount(), 4u) << analysisLog().text();

        std::set<std::string> boards, foreignHosts;
        std::size_t newThreads = 0;
        for (const PostRecord* p : log.posts) {
            boards.insert(p->boardName());
            if (!p->knownBbs()) foreignHosts.insert(p->server);
            newThreads += p->newThread();
        }
        EXPECT_GE(boards.size(), 6u);
        EXPECT_GE(foreignHosts.size(), 2u);
        EXPECT_EQ(newThreads > 0, s.hasNewThreads);
        EXPECT_EQ(log.posts.back()->seq, static_cast<std::int32_t>(s.posts));
    }
}

TEST(Samples, DemoLogSpansTwoYearsWithArt) {
    PostLog log;
    ASSERT_TRUE(loadOne(log, samplePath("demo-jane.txt"), 0));
    ASSERT_FALSE(log.posts.empty());
    EXPECT_GE(log.posts.back()->time - log.posts.front()->time, 2 * 365 * 86400);
    std::size_t art = 0, sage = 0;
    for (const PostRecord* p : log.posts) {
        art += p->isAsciiArt();
        sage += std::string(p->mail) == "sage";
    }
    EXPECT_GT(art, 50u);
    EXPECT_GT(sage, 1000u);
}

TEST(Samples, AllTogetherMergeIntoOneLog) {
    std::vector<std::string> paths;
    std::size_t total = 0;
    for (const Sample& s : kSamples) {
        paths.push_back(samplePath(s.file));
        total += s.posts;
    }
    analysisLog().clear();
    PostLog log;
    ASSERT_TRUE(loadFiles(log, paths, false, 0));
    // The samples were written apart from each other; no two posts share a second.
    EXPECT_EQ(log.posts.size(), total);
    // Jane, かちゅ～しゃ, Live2ch, ギコナビ, V2C, A Bone, ホットゾヌ２: each name once.
    EXPECT_EQ(log.formatNames.size(), 7u);
    for (std::size_t i = 1; i < log.posts.size(); ++i)
        ASSERT_LT(log.posts[i - 1]->time, log.posts[i]->time);
}

TEST(Samples, JDimPostLogLoadsItsThreeFilesAsOneLog) {
    analysisLog().clear();
    const std::string dir = samplePath("jdim/");
    PostLog log;
    ASSERT_TRUE(loadFiles(log, {dir + "postlog-1", dir + "postlog-2", dir + "postlog"}, false, 0));
    EXPECT_EQ(log.posts.size(), 23u);
    ASSERT_EQ(log.formatNames.size(), 1u);
    EXPECT_EQ(log.formatNames[0], "JDim");
    // The loader's own four lines per file and nothing from the reader.
    EXPECT_EQ(analysisLog().entryCount(), 12u) << analysisLog().text();
    std::set<std::string> foreignHosts;
    std::size_t newThreads = 0, references = 0;
    for (const PostRecord* p : log.posts) {
        if (!p->knownBbs()) foreignHosts.insert(p->server);
        newThreads += p->newThread();
        references += std::string(p->body).find("&#") != std::string::npos;
    }
    EXPECT_EQ(foreignHosts, (std::set<std::string>{"jbbs.livedoor.jp", "jbbs.shitaraba.net"}));
    EXPECT_EQ(newThreads, 3u);
    EXPECT_EQ(references, 3u); // the posts with emoji
    // Two posts of 2009 were logged in the same minute; the later one is a second on.
    EXPECT_EQ(log.posts[1]->time - log.posts[0]->time, 1);
}
