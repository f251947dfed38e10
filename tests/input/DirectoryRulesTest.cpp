// Where a URL names its board directory, the rental BBS's two-part directories included.
#include "input/DirectoryRules.h"

#include <gtest/gtest.h>
#include <string>

using namespace lorvanel;

namespace {

// The directory a rule finds in the URL and the URL's text after it, as the reader cuts it.
std::string found(DirectoryMatch (*rule)(char*), std::string url) {
    url.push_back('\0');
    const DirectoryMatch m = rule(url.data());
    if (!m.dir) return "(none)";
    return std::string(m.dir, static_cast<const char*>(m.end)) + " | " + std::string(m.end);
}

} // namespace

TEST(DirectoryRules, RentalBoardsKeepCategoryAndNumber) {
    const auto thread = &threadUrlDirectory;
    const auto board = &boardUrlDirectory;
    for (const char* host : {"jbbs.shitaraba.net", "jbbs.livedoor.jp", "jbbs.shitaraba.com"}) {
        const std::string h = std::string("https://") + host;
        EXPECT_EQ(found(thread, h + "/bbs/read.cgi/internet/23456/1234567890/"),
                  "internet/23456 | /1234567890/")
            << host;
        EXPECT_EQ(found(board, h + "/internet/23456/"), "internet/23456 | /") << host;
        EXPECT_EQ(found(board, h + "/internet/23456//"), "internet/23456 | //") << host;
    }
    // Where the two components are not there, the rules are as elsewhere.
    EXPECT_EQ(found(thread, "https://jbbs.shitaraba.net/bbs/read.cgi/internet/"), "internet | /");
    EXPECT_EQ(found(board, "https://jbbs.shitaraba.net/internet/"), "internet | /");
    EXPECT_EQ(found(thread, "https://jbbs.shitaraba.net/bbs/read.cgi/internet//1/"),
              "internet | //1/");
    // Other hosts: one component.
    EXPECT_EQ(found(thread, "https://mao.5ch.net/test/read.cgi/linux/1719000000/"),
              "linux | /1719000000/");
    EXPECT_EQ(found(board, "https://mao.5ch.net/linux/"), "linux | /");
    EXPECT_EQ(found(thread, "https://jbbs.shitaraba.net.example/bbs/read.cgi/a/1/2/"), "a | /1/2/");
    EXPECT_EQ(found(thread, "http://x.jp/bbs/test.cgi?bbs=abc&key=1"), "abc | &key=1");
}
