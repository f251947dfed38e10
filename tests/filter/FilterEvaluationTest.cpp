#include "FilterTestSupport.h"

#include "filter/FilterSelection.h"
#include "input/BoardDirectory.h"
#include "input/PostList.h"
#include "support/RecordingAlertSink.h"

#include <deque>
#include <gtest/gtest.h>

using namespace lorvanel;
using namespace lorvanel::testing;

namespace {

// Posts of one week of January 2008 (the 6th is a Sunday), one at noon each day, with
// varied texts.
class FilterEvaluation : public ::testing::Test {
protected:
    void SetUp() override {
        for (int day = 6; day <= 12; ++day) posts.push_back(makePost(2008, 1, day));
        posts[0].name = "名無し";
        posts[1].mail = "sage";
        posts[2].title = "";
        posts[3].server = "";
        posts[3].dir = "";
        posts[4].server = "other.example";
        posts[4].dir = "";
        posts[5].dir = "newsplus";
        posts[6].body = "アb";
        for (PostRecord& p : posts) list.pushBack(&p);
    }

    // The days (of January) of the posts that the text selects.
    std::vector<int> days(std::string_view text) {
        PostList out;
        recordedAlerts().clear();
        const auto n = selectPostsWithFilter(out, list, text);
        EXPECT_TRUE(n.has_value()) << text;
        EXPECT_TRUE(recordedAlerts().texts.empty()) << text;
        std::vector<int> result;
        for (const PostRecord* p : out) result.push_back(p->local().day);
        EXPECT_EQ(n.value_or(0), result.size());
        return result;
    }

    std::deque<PostRecord> posts;
    PostList list;
    const std::vector<int> all{6, 7, 8, 9, 10, 11, 12};
    const std::vector<int> none{};
};

} // namespace

TEST_F(FilterEvaluation, EmptyPatterns) {
    EXPECT_EQ(days("msg_"), all);
    EXPECT_EQ(days("!msg_"), none);
    EXPECT_EQ(days("name_"), (std::vector{7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(days("!name_"), (std::vector{6}));
    EXPECT_EQ(days("mail_"), (std::vector{6, 8, 9, 10, 11, 12}));
    EXPECT_EQ(days("sbj_"), (std::vector{8}));
    EXPECT_EQ(days("server_"), all);
    EXPECT_EQ(days("dir_"), (std::vector{9, 10}));
}

TEST_F(FilterEvaluation, TextCommandsAreExactAndByteWise) {
    EXPECT_EQ(days("dir_news"), (std::vector{6, 7, 8, 12}));
    EXPECT_EQ(days("dir_new"), none);
    EXPECT_EQ(days("server_5ch"), (std::vector{6, 7, 8, 11, 12}));
    EXPECT_EQ(days("server_5CH"), none);
    EXPECT_EQ(days("mail_sag"), (std::vector{7}));
    EXPECT_EQ(days("name_無"), (std::vector{6}));
    EXPECT_EQ(days("sbj_ス"), (std::vector{6, 7, 9, 10, 11, 12}));
    // ア is 0x83 0x41: its second byte is 'A', but a second byte starts no character.
    EXPECT_EQ(days("msg_Ab"), none);
    EXPECT_EQ(days("msg_b"), (std::vector{12}));
    EXPECT_EQ(days("msg_ab"), none);
    EXPECT_EQ(days("msg_本文"), (std::vector{6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(days("msg_本文x"), none);
}

TEST_F(FilterEvaluation, ContainmentCountsWholeCharactersOnly) {
    // 表 is 0x95 0x5C (a backslash), 岩 0x8A 0xE2, and "\x8Aw" a kanji whose second byte is "w".
    posts[0].body = "アイス";
    posts[1].body = "表";
    posts[2].body = "\x8Aw";
    posts[3].body = "アイスA";
    posts[4].body = "表\\";
    posts[5].body = "岩岩";
    posts[0].title = "アイス";
    posts[1].name = "アイス";
    posts[2].mail = "アイス";
    EXPECT_EQ(days("msg_A"), (std::vector{9}));
    EXPECT_EQ(days("msg_\"\\\\\""), (std::vector{10}));
    EXPECT_EQ(days("msg_w"), none);
    EXPECT_EQ(days("msg_\"\xE2\x8A\""), none);
    EXPECT_EQ(days("msg_岩"), (std::vector{11}));
    EXPECT_EQ(days("sbj_A"), none);
    EXPECT_EQ(days("name_A"), none);
    EXPECT_EQ(days("mail_A"), none);
    EXPECT_EQ(days("sbj_ア"), (std::vector{6}));
}

TEST_F(FilterEvaluation, RegularExpressionsReadShiftJisCharacters) {
    EXPECT_EQ(days("msgr_b$"), (std::vector{12}));
    EXPECT_EQ(days("msgr_^本."), (std::vector{6, 7, 8, 9, 10, 11}));
    // Unlike msg_, the search doesn't start inside a character.
    EXPECT_EQ(days("msgr_A"), none);
    EXPECT_EQ(days("msgr_a"), none);
    posts[0].body = ">>12";
    posts[1].body = "＞3";
    posts[2].body = "＞＞３";
    posts[3].body = ">0";
    EXPECT_EQ(days("msgr_\"(>|＞)[1-9]\""), (std::vector{6, 7}));
}

TEST_F(FilterEvaluation, Boards) {
    EXPECT_EQ(days("brd_ニュース速報"), (std::vector{6, 7, 8, 12}));
    EXPECT_EQ(days("brd_\"ニュース速報+\""), (std::vector{11}));
    // The unknown board is every post without a directory, whatever its server.
    EXPECT_EQ(days("brd_\"不明な板\""), (std::vector{9, 10}));
    EXPECT_EQ(days("brd_newsplus"), (std::vector{11}));

    posts[0].flags = 0;
    posts[0].server = "evalhost.example";
    posts[0].dir = "evaldir";
    posts[1].flags = 0;
    posts[1].server = "elsewhere.example";
    posts[1].dir = "evaldir";
    EXPECT_EQ(posts[0].boardName(), "evaldir＠evalhost.example");
    // These posts belong to no loaded log: the name is noted as a load would note it.
    boardDirectory().retainForeignBoard(posts[0].boardName());
    EXPECT_EQ(days("brd_evaldir＠evalhost.example"), (std::vector{6}));
    EXPECT_EQ(days("brd_evaldir"), (std::vector{6, 7}));
    boardDirectory().releaseForeignBoard(posts[0].boardName());
}

TEST_F(FilterEvaluation, WeekdaysHoursAndLines) {
    EXPECT_EQ(days("week1"), (std::vector{6}));
    EXPECT_EQ(days("week7"), (std::vector{12}));
    EXPECT_EQ(days("!(week1|week7)"), (std::vector{7, 8, 9, 10, 11}));
    EXPECT_EQ(days("week2-4"), (std::vector{7, 8, 9}));
    EXPECT_EQ(days("week1-7"), all);
    EXPECT_EQ(days("hour0-23"), all);
    EXPECT_EQ(days("hour12"), all);
    EXPECT_EQ(days("hour13-"), none);
    EXPECT_EQ(days("line1-100"), all);
    posts[2].lineCount = 6;
    posts[3].lineCount = 100;
    posts[4].lineCount = 5;
    EXPECT_EQ(days("line6-"), (std::vector{8, 9}));
    EXPECT_EQ(days("line-5"), (std::vector{6, 7, 10, 11, 12}));
}

TEST(FilterTime, LocalCalendarDecides) {
    const PostRecord late = makePost(2007, 12, 31, 23, 30);
    EXPECT_TRUE(selects("date2007", late));
    EXPECT_TRUE(selects("hour23", late));
    EXPECT_TRUE(selects("date200712", late));
    EXPECT_TRUE(selects("date20071231", late));
    EXPECT_FALSE(selects("date2008", late));
    EXPECT_FALSE(selects("date20080101", late));
    EXPECT_FALSE(selects("hour0", late));
    // Midnight belongs to the new day.
    const PostRecord midnight = makePost(2008, 1, 1, 0, 0);
    EXPECT_TRUE(selects("date20080101", midnight));
    EXPECT_TRUE(selects("hour0", midnight));
    // Month 00 and day 00 are accepted but match no date.
    EXPECT_FALSE(selects("date20080000", midnight));
    EXPECT_FALSE(selects("date20080100", midnight));
}

TEST(FilterTime, DateRangesIncludeBothEnds) {
    struct Case {
        const char* filter;
        int y, m, d, h;
        bool selected;
    };
    const Case cases[] = {
        {"date200802-200801", 2008, 1, 15, 12, false},
        {"date200802-200801", 2008, 2, 15, 12, false},
        {"date2008-2008", 2008, 1, 1, 0, true},
        {"date2008-2008", 2008, 12, 31, 23, true},
        {"date2008-2008", 2007, 12, 31, 23, false},
        {"date2008-2008", 2009, 1, 1, 0, false},
        {"date20080115-20080115", 2008, 1, 15, 0, true},
        {"date20080115-20080115", 2008, 1, 15, 23, true},
        {"date20080115-20080115", 2008, 1, 14, 23, false},
        {"date20080115-20080115", 2008, 1, 16, 0, false},
        {"date20080101-20080131", 2008, 1, 31, 23, true},
        {"date20080101-20080131", 2008, 2, 1, 0, false},
        {"date20080110-20080220", 2008, 1, 9, 12, false},
        {"date20080110-20080220", 2008, 1, 10, 12, true},
        {"date20080110-20080220", 2008, 1, 31, 12, true},
        {"date20080110-20080220", 2008, 2, 1, 12, true},
        {"date20080110-20080220", 2008, 2, 20, 12, true},
        {"date20080110-20080220", 2008, 2, 21, 12, false},
        {"date20080110-20080220", 2008, 3, 1, 12, false},
        {"date200801-200803", 2007, 12, 31, 12, false},
        {"date200801-200803", 2008, 1, 1, 0, true},
        {"date200801-200803", 2008, 3, 31, 23, true},
        {"date200801-200803", 2008, 4, 1, 0, false},
        {"date20071215-20080105", 2007, 11, 30, 12, false},
        {"date20071215-20080105", 2007, 12, 14, 12, false},
        {"date20071215-20080105", 2007, 12, 15, 12, true},
        {"date20071215-20080105", 2008, 1, 5, 12, true},
        {"date20071215-20080105", 2008, 1, 6, 12, false},
        {"date20071215-20080105", 2008, 2, 1, 12, false},
        {"date2006-200802", 2007, 6, 1, 12, true},
        {"date2006-200802", 2008, 2, 29, 12, true},
        {"date2006-200802", 2008, 3, 1, 12, false},
        {"date2008-", 2037, 12, 31, 12, true},
        {"date2008-", 2037, 6, 1, 12, true},
        {"date2008-", 2007, 12, 31, 23, false},
        {"date-200803", 1971, 1, 1, 0, true},
        {"date-200803", 2008, 3, 31, 23, true},
        {"date-200803", 2008, 4, 1, 0, false},
    };
    for (const Case& c : cases) {
        const PostRecord post = makePost(c.y, c.m, c.d, c.h);
        EXPECT_EQ(selects(c.filter, post), c.selected)
            << c.filter << " " << c.y << "-" << c.m << "-" << c.d << " " << c.h << "h";
    }
}

TEST(FilterShape, AsciiArtAndNewThreads) {
    PostRecord post = makePost(2008, 1, 1);
    post.body = "＿／￣＼　（　）";
    EXPECT_TRUE(selects("AA", post));
    EXPECT_TRUE(post.flags & PostRecord::kAsciiArt);

    // 65 symbols of 100 characters count, 64 do not.
    std::string body65 = std::string(65, '-') + std::string(35, 'a');
    std::string body64 = std::string(64, '-') + std::string(36, 'a');
    post = makePost(2008, 1, 1);
    post.body = body65.c_str();
    EXPECT_TRUE(selects("AA", post));
    post = makePost(2008, 1, 1);
    post.body = body64.c_str();
    EXPECT_FALSE(selects("AA", post));
    EXPECT_TRUE(selects("!AA", post));
    post.body = "";
    post.flags &= ~(PostRecord::kAsciiArt | PostRecord::kNotAsciiArt);
    EXPECT_FALSE(selects("AA", post));

    post.flags |= PostRecord::kNewThread;
    EXPECT_TRUE(selects("suretate", post));
    EXPECT_FALSE(selects("!suretate", post));
}

TEST(FilterOperators, EvaluateLeftToRightAndStopEarly) {
    // The ASCII-art test leaves its answer in the post: it shows whether AA ran.
    const auto aaRan = [](const PostRecord& p) {
        return (p.flags & (PostRecord::kAsciiArt | PostRecord::kNotAsciiArt)) != 0;
    };
    PostRecord post = makePost(2008, 1, 1);
    EXPECT_FALSE(selects("suretate&AA", post));
    EXPECT_FALSE(aaRan(post));
    EXPECT_FALSE(selects("suretate|AA", post));
    EXPECT_TRUE(aaRan(post));

    post = makePost(2008, 1, 1);
    post.flags |= PostRecord::kNewThread;
    EXPECT_TRUE(selects("suretate|AA", post));
    EXPECT_FALSE(aaRan(post));
    EXPECT_FALSE(selects("suretate&AA", post));
    EXPECT_TRUE(aaRan(post));

    // !a&b|c is ((not a) and b) or c.
    post = makePost(2008, 1, 1);
    EXPECT_TRUE(selects("!suretate&msg_本|msg_x", post));
    EXPECT_FALSE(selects("!suretate&msg_x|msg_y", post));
    EXPECT_TRUE(selects("!suretate&msg_x|msg_本", post));
    EXPECT_FALSE(selects("!(suretate|msg_本)|msg_x", post));
}

TEST_F(FilterEvaluation, DefaultCustomFilters) {
    posts[0].lineCount = 6;
    posts[1].lineCount = 7;
    posts[1].body = "＿＿＿＿＿＿＿＿＿";
    posts[2].body = "見て http://example.com/";
    posts[3].name = "名無し#trip";
    EXPECT_EQ(days("!AA&line6-"), (std::vector{6}));
    EXPECT_EQ(days("msg_tp://"), (std::vector{8}));
    EXPECT_EQ(days("name_#"), (std::vector{9}));
    EXPECT_EQ(days("mail_sage"), (std::vector{7}));
    EXPECT_EQ(days("!name_"), (std::vector{6, 9}));
    EXPECT_EQ(days("!(server_2ch.net|server_bbspink.com|server_machi.to)"), all);
    EXPECT_EQ(days("!(server_5ch.net|server_bbspink.com|server_machi.to)"), (std::vector{9, 10}));
    // Weekdays at noon fall outside 4-6 and 13-15.
    EXPECT_EQ(days("!(week1|week7)&(hour4-6|hour13-15)"), none);
    EXPECT_EQ(days("!(week1|week7)&(hour4-6|hour12-15)"), (std::vector{7, 8, 9, 10, 11}));
}

TEST_F(FilterEvaluation, SelectingAppendsInSourceOrderAndRepeatsExactly) {
    PostList out;
    out.pushBack(&posts[3]);
    const auto n = selectPostsWithFilter(out, list, "week1|week7");
    ASSERT_TRUE(n.has_value());
    EXPECT_EQ(*n, 2u);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], &posts[3]);
    EXPECT_EQ(out[1], &posts[0]);
    EXPECT_EQ(out[2], &posts[6]);
    EXPECT_EQ(days("AA|msg_b"), days("AA|msg_b"));

    // A text that doesn't compile tells the user and selects nothing.
    recordedAlerts().clear();
    EXPECT_FALSE(selectPostsWithFilter(out, list, "week9").has_value());
    EXPECT_EQ(out.size(), 3u);
    ASSERT_EQ(recordedAlerts().texts.size(), 1u);
    EXPECT_EQ(recordedAlerts().texts[0], "値の範囲が不正です。 '9'");
}
