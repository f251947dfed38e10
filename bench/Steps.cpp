#include "Steps.h"

#include "ChildRun.h"
#include "Measure.h"

#include "app/AnalyzeOptions.h"
#include "filter/CompileFilter.h"
#include "input/PostLog.h"
#include "platform/Clock.h"
#include "report/ComputeStatistics.h"
#include "report/WriteReport.h"

#include <cstdio>
#include <stdexcept>

namespace lorvanel::bench {

namespace {

// "Now" of the recent counts: the statistics do the same work whatever it is.
const FixedClock kNow(1500000000);

double timeReport(StepContext& ctx, const PostList& posts) {
    PostStatistics stats;
    std::string text;
    return bestOf(ctx.runs, [&] {
        stats.clear();
        text.clear();
        AnalyzeOptions options;
        if (!computeStatistics(stats, posts, options, kNow) ||
            !writeReport(text, stats, posts, ctx.log.formatNames, ctx.log.bytesRead,
                         ctx.log.fileSize))
            throw std::runtime_error("the statistics of the benchmark log failed");
    });
}

FilterPtr compile(const std::string& text) {
    std::string message;
    FilterPtr f = compileFilterQuietly(text, &message);
    if (!f) throw std::runtime_error("filter '" + text + "' does not compile: " + message);
    return f;
}

void forgetAsciiArt(const PostList& posts) {
    for (PostRecord* p : posts) p->flags &= ~(PostRecord::kAsciiArt | PostRecord::kNotAsciiArt);
}

// The board with the most posts, as a brd_ filter names it.
std::string commonBoard(const PostList& posts) {
    PostStatistics stats;
    AnalyzeOptions options;
    options.threadRanking = options.monthThreadRanking = false;
    computeStatistics(stats, posts, options, kNow);
    if (stats.boards.empty()) throw std::runtime_error("the benchmark log has no boards");
    return stats.boards.front().text;
}

// "20150102" of a post's local date.
std::string dayDigits(const PostRecord& p) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", p.local().year, p.local().month, p.local().day);
    return buf;
}

struct FilterStep {
    std::string name;
    std::string text;
    double target;
    bool freshAsciiArt; // forget the cached ASCII-art answers before each run
};

} // namespace

std::vector<StepResult> runSteps(StepContext& ctx) {
    std::vector<StepResult> out;
    const PostList& all = ctx.log.posts;

    out.push_back({"computeStatistics + writeReport, whole log", timeReport(ctx, all), 1.0});
    // A tenth of the log: the posts between the one at 45 % and the one at 55 %.
    const std::string tenthFilter = "date" + dayDigits(*all[all.size() * 45 / 100]) + "-" +
                                    dayDigits(*all[all.size() * 55 / 100]);
    PostList tenth;
    selectPosts(tenth, all, *compile(tenthFilter));
    char name[96];
    std::snprintf(name, sizeof name, "computeStatistics + writeReport, a tenth (%.1f %%)",
                  100.0 * static_cast<double>(tenth.size()) / static_cast<double>(all.size()));
    out.push_back({name, timeReport(ctx, tenth), 0});
    releasePosts(tenth);

    // A year filter selects about a tenth of the ten-year log; the year of the middle post
    // exists in both the 200 MB and the 100 MB log.
    const std::string year = std::to_string(all[all.size() / 2]->local().year);
    const std::vector<FilterStep> filters = {
        {"selectPosts msg_ (substring)", "msg_\"ラーメン\"", 0.5, false},
        {"selectPosts msgr_ (regex)", "msgr_\"(>|＞)[1-9]\"", 2.0, false},
        {"selectPosts hour13-15&week2-6", "hour13-15&week2-6", 0.5, false},
        {"selectPosts date" + year + " (the middle post's year)", "date" + year, 0.5, false},
        {"selectPosts AA, first", "AA", 0.5, true},
        {"selectPosts AA, cached", "AA", 0.5, false},
        {"selectPosts brd_ of the commonest board", "brd_\"" + commonBoard(all) + "\"", 0.5, false},
    };
    for (const FilterStep& f : filters) {
        const FilterPtr node = compile(f.text);
        PostList selected;
        const double t = bestOf(
            ctx.runs, [&] { selectPosts(selected, all, *node); },
            [&] {
                releasePosts(selected);
                if (f.freshAsciiArt) forgetAsciiArt(all);
            });
        out.push_back({f.name, t, f.target});
    }
    return out;
}

std::vector<MemoryResult> memorySteps(const std::string& cli, const std::string& log) {
    (void)cli;
    (void)log;
    return {};
}

} // namespace lorvanel::bench
