// The hover readout and the click of every graph kind agree at every pixel of a picture:
// where a click selects something, the readout names it, and where it selects nothing the
// readout of a cell picture is empty too.
#include "graph/ChartPainter.h"
#include "graph/GraphKinds.h"
#include "graph/RecordingSurface.h"
#include "stats/CalendarText.h"
#include "support/MemoryLog.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <set>
#include <string>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::TestPost;

namespace {

// 2015/11/20 to 2016/02/10 on three boards, a post every 19 hours and some more on news.
std::vector<TestPost> threeBoards() {
    std::vector<TestPost> posts;
    const char* dirs[] = {"news", "news", "tv", "news", "game", "tv"};
    Time32 t = at(2015, 11, 20, 9);
    for (int i = 0; t < at(2016, 2, 10, 23); ++i, t += 19 * 3600) {
        TestPost p;
        p.time = t;
        p.dir = dirs[i % 6];
        posts.push_back(p);
    }
    return posts;
}

std::string digitsOf(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c >= '0' && c <= '9') out += c;
    return out;
}

// The readout that names what the filter text selects, for a kind whose texts are dates:
// the digits of the date (kinds 1 and 2 write the year with two).
std::string dateDigits(int kind, const std::string& filter) {
    const std::string digits = digitsOf(filter);
    return kind == 1 || kind == 2 ? digits.substr(2) : digits;
}

// What the weekday × hour readout says over the hour's and weekday's texts.
std::string weekHourReadout(const std::string& filter) {
    int hour = -1, week = -1;
    if (std::sscanf(filter.c_str(), "(hour%d)&(week%d)", &hour, &week) == 2)
        return std::string(weekdayName(week - 1)) + "曜日 " + std::to_string(hour) + "時";
    if (std::sscanf(filter.c_str(), "week%d", &week) == 1)
        return std::string(weekdayName(week - 1)) + "曜日";
    if (std::sscanf(filter.c_str(), "hour%d", &hour) == 1) return std::to_string(hour) + "時";
    return "?";
}

} // namespace

TEST(GraphClick, TheReadoutNamesWhatAClickSelectsAtEveryPixel) {
    PostLog log;
    lorvanel::testing::fillPostLog(log, threeBoards());
    for (int index = 0; index < graphKindCount(); ++index) {
        SCOPED_TRACE(index);
        ChartPainter painter;
        std::unique_ptr<GraphKind> kind = createGraphKind(index, painter, nullptr);
        kind->attach(&log.posts);
        lorvanel::testing::RecordingSurface surface;
        painter.begin(surface, {0, 0, 640, 480});
        kind->draw();

        std::set<std::string> selected;
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                const std::string filter = kind->filterAt(x, y);
                const std::optional<GraphReadout> readout = kind->readout(x, y);
                if (filter.empty()) {
                    // The cumulative and daily graphs read axis values elsewhere in the plot.
                    if (index >= 3) ASSERT_FALSE(readout) << x << "," << y;
                    continue;
                }
                selected.insert(filter);
                ASSERT_TRUE(readout) << x << "," << y << " " << filter;
                switch (index) {
                case 0:
                    ASSERT_EQ(filter, "brd_\"" + readout->x + "\"");
                    break;
                case 4:
                    ASSERT_EQ(readout->x, weekHourReadout(filter));
                    break;
                default:
                    ASSERT_EQ(digitsOf(readout->x.substr(0, readout->x.find('('))),
                              dateDigits(index, filter))
                        << x << "," << y;
                }
            }
        }
        // What the picture offers: the three boards; the 83 days of the range (the plot is
        // wider than the range); those days, the labels 11月 (12月 is left out, too close to
        // it), 1月 and 2月 and the two years; 168 cells, 7 weekdays and 24 hours.
        const std::size_t expected[] = {3, 83, 83, 83 + 3 + 2, 168 + 7 + 24};
        EXPECT_EQ(selected.size(), expected[index]);
    }
}
