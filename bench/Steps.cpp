#include "Steps.h"

#include "ChildRun.h"
#include "Measure.h"

#include "filter/CompileFilter.h"
#include "filter/FilterSelection.h"
#include "input/PostLog.h"
#include "keywords/AutoKeywordAnalysis.h"
#include "keywords/KeywordFileAnalysis.h"
#include "platform/Clock.h"
#include "report/AnalyzeOptions.h"
#include "report/ComputeStatistics.h"
#include "report/WriteReport.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <unistd.h>

namespace lorvanel::bench {

namespace {

// "Now" of the recent counts: the statistics do the same work whatever it is.
const FixedClock kNow(1500000000);

// Statistics and report of posts, as the document computes them on a load or a selection.
Step reportStep(std::string name, double target, PostLog& log, const PostList& posts,
                std::shared_ptr<void> keep) {
    Step step;
    step.name = std::move(name);
    step.target = target;
    step.state = std::move(keep);
    step.run = [&log, &posts] {
        PostStatistics stats;
        std::string text;
        AnalyzeOptions options;
        if (!computeStatistics(stats, posts, options, kNow) ||
            !writeReport(text, stats, posts, log.formatNames, log.bytesRead, log.fileSize))
            throw std::runtime_error("the statistics of the benchmark log failed");
    };
    return step;
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

// A keyword file of 50 entries in five groups, 10 of them regular expressions, some kana-
// sensitive (CP932 once compiled).
const char kKeywordFile[] = "★技術\r\nLinux\r\nWindows\r\nメモリ\r\nＣＰＵ\r\nグラボ\r\n"
                            "*gcc|clang\r\n*python[0-9]?\r\n再起動\r\n@バグ\r\nビルド\r\n"
                            "★食べ物\r\nラーメン\r\nカレー\r\n寿司\r\n牛丼\r\n"
                            "*(コンビニ|スーパー)(弁当)?\r\nビール\r\nアイス\r\nコーヒー\r\n"
                            "@うまい\r\n*カップ麺\r\n"
                            "★反応\r\n草\r\nワロタ\r\nｗｗｗ\r\n乙\r\n*(>|＞)[0-9]+\r\n"
                            "なるほど\r\nそれな\r\n@orz\r\n*^ｷﾀ\r\n禿同\r\n"
                            "★ニュース\r\n政府\r\n消費税\r\n株価\r\n円安\r\n*支持率|選挙\r\n"
                            "日銀\r\n年金\r\n*(首相|大臣)\r\nマスコミ\r\n物価\r\n"
                            "★趣味\r\nアニメ\r\n声優\r\nネタバレ\r\n*Part[0-9]+\r\n神回\r\n"
                            "ガチャ\r\n周回\r\n*(PS[45]|Switch)\r\n作画\r\n原作\r\n";

// The keyword file, written once into the temporary directory; removed at exit.
const std::string& keywordFilePath() {
    static const std::string path = [] {
        char name[] = "/tmp/lorvanel-bench-keywords-XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0) throw std::runtime_error("can't create the benchmark keyword file");
        const std::size_t n = sizeof kKeywordFile - 1;
        if (write(fd, kKeywordFile, n) != static_cast<ssize_t>(n))
            throw std::runtime_error("can't write the benchmark keyword file");
        close(fd);
        static std::string removeAtExit;
        removeAtExit = name;
        std::atexit([] { unlink(removeAtExit.c_str()); });
        return std::string(name);
    }();
    return path;
}

struct FilterStep {
    std::string name;
    std::string text;
    double target;
    bool freshAsciiArt; // forget the cached ASCII-art answers before each run
};

} // namespace

std::vector<Step> makeSteps(PostLog& log) {
    std::vector<Step> steps;
    const PostList& all = log.posts;
    steps.push_back(
        reportStep("computeStatistics + writeReport, whole log", 1.0, log, all, nullptr));
    // A tenth of the log: the posts between the one at 45 % and the one at 55 %.
    const std::string tenthFilter = "date" + dayDigits(*all[all.size() * 45 / 100]) + "-" +
                                    dayDigits(*all[all.size() * 55 / 100]);
    auto tenth = std::make_shared<PostList>();
    selectPosts(*tenth, all, *compile(tenthFilter));
    char name[96];
    std::snprintf(name, sizeof name, "computeStatistics + writeReport, a tenth (%.0f %%)",
                  100.0 * static_cast<double>(tenth->size()) / static_cast<double>(all.size()));
    steps.push_back(reportStep(name, 0, log, *tenth, tenth));

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
        struct State {
            FilterPtr node;
            PostList selected;
        };
        auto state = std::make_shared<State>();
        state->node = compile(f.text);
        Step step;
        step.name = f.name;
        step.target = f.target;
        step.state = state;
        const bool fresh = f.freshAsciiArt;
        step.prepare = [state, fresh, &all] {
            releasePosts(state->selected);
            if (fresh) forgetAsciiArt(all);
        };
        step.run = [state, &all] { selectMatching(state->selected, all, *state->node); };
        steps.push_back(std::move(step));
    }

    Step automatic;
    automatic.name = "automatic keyword analysis";
    automatic.target = 1.5;
    automatic.run = [&all] { analyzeAutoKeywords(all); };
    steps.push_back(std::move(automatic));
    // The first keyword-file analysis after a load builds the folded copies of the bodies;
    // later ones reuse them.
    auto fileAnalysis = [&log] {
        ResultPage page;
        KeywordFileFailure failure = KeywordFileFailure::kNone;
        if (!analyzeKeywordFile(log.posts, log, keywordFilePath(), page, &failure))
            throw std::runtime_error("the benchmark keyword file gave no page");
    };
    Step first;
    first.name = "keyword file of 50 entries (10 regex), first: folds the bodies";
    first.target = 2.0;
    first.maxRuns = 1;
    first.run = fileAnalysis;
    steps.push_back(std::move(first));
    Step again;
    again.name = "keyword file of 50 entries (10 regex), again";
    again.target = 2.0;
    again.run = fileAnalysis;
    steps.push_back(std::move(again));
    return steps;
}

namespace {

// A keyword file of 300,000 plain entries in 300 groups, a tenth of them kana-sensitive: half
// are pieces of the log's own bodies (one to four whole characters from a post spread over
// the log), half texts it does not hold.
std::string largeKeywordFile(const PostLog& log) {
    constexpr int kEntries = 300000, kPerGroup = 1000;
    std::string out;
    std::uint64_t seed = 28;
    auto next = [&seed] {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::size_t>(seed >> 33);
    };
    for (int i = 0; i < kEntries; ++i) {
        if (i % kPerGroup == 0) out += "★群" + std::to_string(i / kPerGroup) + "\r\n";
        if (i % 10 == 0) out += "@";
        if (i % 2 == 0) {
            out += "ないことば" + std::to_string(i) + "\r\n";
            continue;
        }
        const std::string_view body = log.posts[next() % log.posts.size()]->body;
        std::vector<std::size_t> starts; // the body's character starts
        for (std::size_t k = 0; k < body.size();) {
            starts.push_back(k);
            const auto c = static_cast<unsigned char>(body[k]);
            k += ((c >= 0x81 && c <= 0x9F) || c >= 0xE0) && k + 1 < body.size() ? 2 : 1;
        }
        std::string piece = "該当なし";
        if (!starts.empty()) {
            const std::size_t from = next() % starts.size();
            const std::size_t to = std::min(starts.size(), from + 1 + next() % 4);
            const std::size_t end = to < starts.size() ? starts[to] : body.size();
            piece = body.substr(starts[from], end - starts[from]);
        }
        // Line breaks, a group mark or a prefix inside the piece would change the file's sense.
        if (piece.find_first_of("\r\n") != std::string::npos || piece.starts_with("★") ||
            piece.starts_with("*") || piece.starts_with("@"))
            piece = "該当なし";
        out += piece + "\r\n";
    }
    return out;
}

} // namespace

Step largeKeywordFileStep(PostLog& log, const std::string& dir) {
    struct State {
        std::string path;
        ~State() { unlink(path.c_str()); }
    };
    auto state = std::make_shared<State>();
    state->path = dir + "/lorvanel-bench-300000-keywords.txt";
    const std::string text = largeKeywordFile(log);
    std::FILE* f = std::fopen(state->path.c_str(), "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0)
        throw std::runtime_error("can't write " + state->path);
    Step step;
    step.name = "keyword file of 300,000 plain entries (read, parsed, matched)";
    step.state = state;
    step.run = [&log, state] {
        ResultPage page;
        if (!analyzeKeywordFile(log.posts, log, state->path, page))
            throw std::runtime_error("the 300,000-entry keyword file gave no page");
    };
    return step;
}

std::vector<MemoryResult> memorySteps(const std::string& cli, const std::string& log) {
    const ChildResult r = runChild({cli, "keywords", "--file", keywordFilePath(), log});
    if (r.exitStatus != 0) throw std::runtime_error(cli + " keywords failed");
    return {{"lorvanel-cli keywords --file (folded copies built)", r.peakResidentBytes, 3.6}};
}

} // namespace lorvanel::bench
