// Scrolling and row selection of the post list, and the URL check of its post menu.
#include "postlist/RowViewport.h"
#include "postlist/UrlCheck.h"

#include <gtest/gtest.h>

using namespace lorvanel;

namespace {
RowViewport viewport(RowIndex total, RowIndex page, RowIndex top = 0) {
    RowViewport v;
    v.reset(total);
    v.setPage(page);
    v.setTop(top);
    return v;
}
} // namespace

TEST(RowViewport, KeysAndWheel) {
    RowViewport v = viewport(100, 30);
    v.wheel(-120); // one notch towards the user: four rows down
    EXPECT_EQ(v.top(), 4);
    v.wheel(-240);
    EXPECT_EQ(v.top(), 12);
    v.wheel(120);
    EXPECT_EQ(v.top(), 8);
    v.wheel(-119); // less than a notch
    EXPECT_EQ(v.top(), 8);
    v.setTop(68);
    v.wheel(-120); // the top row stops at total - page
    EXPECT_EQ(v.top(), 70);
    v.lineDown();
    EXPECT_EQ(v.top(), 70);
    v.lineUp();
    EXPECT_EQ(v.top(), 69);
    v.pageUp();
    EXPECT_EQ(v.top(), 39);
    v.pageUp();
    v.pageUp();
    EXPECT_EQ(v.top(), 0);
    v.lineUp();
    EXPECT_EQ(v.top(), 0);
    v.pageDown();
    EXPECT_EQ(v.top(), 30);
    v.pageDown();
    EXPECT_EQ(v.top(), 60);
    v.setTop(45);
    v.pageDown(); // 45 + 60 >= 100: the last page, not 75
    EXPECT_EQ(v.top(), 70);
    v.home();
    EXPECT_EQ(v.top(), 0);
    v.end();
    EXPECT_EQ(v.top(), 70);

    // A list shorter than the window never scrolls.
    RowViewport s = viewport(10, 30);
    s.lineDown();
    s.pageDown();
    s.end();
    s.wheel(-360);
    EXPECT_EQ(s.top(), 0);
    // Nor does an empty one.
    RowViewport e = viewport(0, 30);
    e.scrollBarBottom();
    EXPECT_EQ(e.top(), 0);
}

TEST(RowViewport, ScrollBarAndResize) {
    RowViewport v = viewport(100, 30, 10);
    v.scrollBarLine(1);
    EXPECT_EQ(v.top(), 11);
    v.scrollBarPage(1);
    EXPECT_EQ(v.top(), 40);
    v.scrollBarPage(-1);
    EXPECT_EQ(v.top(), 11);
    v.scrollBarBottom();
    EXPECT_EQ(v.top(), 70);
    v.scrollBarTo(-5);
    EXPECT_EQ(v.top(), 0);
    v.scrollBarTo(50);
    // The window grows: the last page stays full, and once it holds everything the top is 0.
    v.setPage(60);
    EXPECT_EQ(v.top(), 40);
    v.setPage(100);
    EXPECT_EQ(v.top(), 0);
}

TEST(RowViewport, RevealPutsAHiddenRowInTheMiddle) {
    RowViewport v = viewport(1000, 20, 100);
    EXPECT_FALSE(v.reveal(100));
    EXPECT_FALSE(v.reveal(119));
    EXPECT_TRUE(v.reveal(120)); // the row just below the last whole row
    EXPECT_EQ(v.top(), 110);
    EXPECT_TRUE(v.reveal(5));
    EXPECT_EQ(v.top(), 0);
    EXPECT_TRUE(v.reveal(995));
    EXPECT_EQ(v.top(), 980);
}

TEST(RowSelection, DragFromTheAnchor) {
    RowSelection s;
    EXPECT_FALSE(s.any());
    s.press(10);
    EXPECT_FALSE(s.any());
    s.dragTo(14);
    EXPECT_EQ(s.start(), 10);
    EXPECT_EQ(s.end(), 14);
    s.dragTo(3); // back above the anchor
    EXPECT_EQ(s.start(), 3);
    EXPECT_EQ(s.end(), 10);
    EXPECT_TRUE(s.contains(3));
    EXPECT_FALSE(s.contains(11));
    s.selectAll(0);
    EXPECT_FALSE(s.any());
    s.selectAll(5);
    EXPECT_EQ(s.end(), 4);
}

TEST(UrlCheck, AcceptedAndRefusedForms) {
    EXPECT_TRUE(isUsableUrl("ttp://a"));
    EXPECT_TRUE(isUsableUrl("http://news.2ch.net/test/read.cgi/news/1199210000"));
    EXPECT_TRUE(isUsableUrl("HTTPS://(x"));
    EXPECT_TRUE(isUsableUrl("http://a 日本語")); // only the prefix is tested
    EXPECT_FALSE(isUsableUrl("http:/a"));
    EXPECT_FALSE(isUsableUrl("://a"));
    EXPECT_FALSE(isUsableUrl("http://"));
    EXPECT_FALSE(isUsableUrl("http:// a"));
    EXPECT_FALSE(isUsableUrl("http://日本"));
    EXPECT_FALSE(isUsableUrl("h1ttp://a"));
    EXPECT_FALSE(isUsableUrl(" http://a"));
    EXPECT_FALSE(isUsableUrl(""));
    // Only web addresses: nothing a crafted log could make the desktop run or open locally.
    for (const char* url : {"file:///etc/passwd", "smb://host/share", "ssh://-oProxyCommand=x",
                            "javascript://a", "ftp://a", "httpx://a", "ttpx://a", "tp://a"})
        EXPECT_FALSE(isUsableUrl(url)) << url;
    EXPECT_TRUE(isUsableUrl("ttps://a"));
    EXPECT_EQ(browserUrl("ttp://a/b"), "http://a/b");
    EXPECT_EQ(browserUrl("TTPS://a"), "hTTPS://a");
    EXPECT_EQ(browserUrl("https://a"), "https://a");
}
