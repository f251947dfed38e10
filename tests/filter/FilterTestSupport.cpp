#include "FilterTestSupport.h"

#include "platform/LocalTime.h"
#include "support/RecordingAlertSink.h"

#include <gtest/gtest.h>

namespace lorvanel::testing {

FilterPtr compileOk(std::string_view text) {
    recordedAlerts().clear();
    FilterPtr filter = CompileFilter(text);
    EXPECT_NE(filter, nullptr) << "text: " << text;
    EXPECT_TRUE(recordedAlerts().texts.empty())
        << "text: " << text
        << " message: " << (recordedAlerts().texts.empty() ? "" : recordedAlerts().texts[0]);
    return filter;
}

std::string compileError(std::string_view text) {
    recordedAlerts().clear();
    FilterPtr filter = CompileFilter(text);
    EXPECT_EQ(filter, nullptr) << "text: " << text;
    EXPECT_EQ(recordedAlerts().texts.size(), 1u) << "text: " << text;
    return recordedAlerts().texts.empty() ? std::string() : recordedAlerts().texts[0];
}

PostRecord makePost(int year, int month, int day, int hour, int minute) {
    PostRecord post;
    post.time = fromLocalTime(year, month, day, hour, minute, 0);
    post.server = "hayabusa9.5ch.net";
    post.dir = "news";
    post.title = "スレ";
    post.body = "本文";
    post.lineCount = 1;
    post.flags = PostRecord::kKnownBbs;
    return post;
}

bool selects(std::string_view text, const PostRecord& post) {
    const FilterPtr filter = compileOk(text);
    return filter && filter->Matches(post);
}

} // namespace lorvanel::testing
