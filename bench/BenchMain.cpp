// lorvanel-bench: times loading, statistics, filters and keyword analysis on the largest logs
// and prints every figure as a multiple of a physical baseline measured in the same run.
#include "ChildRun.h"
#include "Figures.h"
#include "GraphSteps.h"
#include "JDimLoad.h"
#include "Measure.h"
#include "OptionPairs.h"
#include "PostListSteps.h"
#include "Steps.h"
#include "TreeSteps.h"

#include "input/AnalysisLog.h"
#include "input/BoardDirectory.h"
#include "input/Loader.h"
#include "input/PostLog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace lorvanel::bench {

namespace {

const char kUsage[] =
    "usage: lorvanel-bench --cli PATH --jane PATH --jane-half PATH --hotzonu PATH\n"
    "                      --hotzonu-half PATH --split PATH [--jdim PATH] [--runs N]\n"
    "                      [--only tree|analysis|cli|search] [--demo PATH]\n"
    "--jane and --hotzonu name the 200 MB logs of formats 1 and 8, the -half options logs of\n"
    "half their size for the doubling check, --split the prefix of four files PATH.1..PATH.4\n"
    "that together hold the posts of the --jane log; --jdim a 200 MB JDim post log.\n"
    "--only tree runs nothing but the filter tree's steps on the Jane and format 8 logs,\n"
    "--only analysis the analysis steps on the Jane logs, --only cli the end-to-end runs of\n"
    "lorvanel-cli, --only search the text searches (the filter's msg_ and the post list's)\n"
    "on the Jane logs, which are all it needs (--jane and --jane-half). --demo names the\n"
    "small demo log for the 300,000-entry keyword file. --program names the desktop program:\n"
    "its start on the Jane log up to every tab painted (--self-test, offscreen) is timed too.\n";

struct Options {
    std::string cli, jane, janeHalf, hotzonu, hotzonuHalf, split, jdim, demo, program;
    int runs = 3;
    std::string only; // "tree", "analysis", "cli", "search" or empty: everything
};

Options parse(int argc, char** argv) {
    Options o;
    readOptionPairs(argc, argv, kUsage, [&](const std::string& a, const std::string& v) {
        if (a == "--cli")
            o.cli = v;
        else if (a == "--jane")
            o.jane = v;
        else if (a == "--jane-half")
            o.janeHalf = v;
        else if (a == "--hotzonu")
            o.hotzonu = v;
        else if (a == "--hotzonu-half")
            o.hotzonuHalf = v;
        else if (a == "--split")
            o.split = v;
        else if (a == "--jdim")
            o.jdim = v;
        else if (a == "--only" && (v == "tree" || v == "analysis" || v == "cli" || v == "search"))
            o.only = v;
        else if (a == "--demo")
            o.demo = v;
        else if (a == "--program")
            o.program = v;
        else if (a == "--runs")
            o.runs = runsValue(v);
        else
            return false;
        return true;
    });
    if (o.jane.empty() || o.janeHalf.empty() ||
        (o.only != "search" &&
         (o.cli.empty() || o.hotzonu.empty() || o.hotzonuHalf.empty() || o.split.empty())))
        throw std::runtime_error(kUsage);
    return o;
}

double baselineOf(const std::string& path) {
    volatile std::uint64_t sink = 0;
    return bestOf(7, [&] { sink = sink + physicalBaseline(path); });
}

// Gives the heap back to the system, so that what runs next allocates its memory as a
// freshly started program does, whatever ran before.
void trimHeap() {
    malloc_trim(0);
}

// Which item goes j-th in run r: the order reverses from run to run, so that no size always
// runs right after the other (and finds the caches as the other left them).
std::size_t turn(int r, std::size_t j, std::size_t n) {
    return r % 2 == 0 ? j : n - 1 - j;
}

// Loads each log `runs` times, the logs taking turns so that both sizes meet the same
// conditions of the shared machine; each log stays loaded afterwards. Returns the best time
// of each.
std::vector<double> timeLoads(std::vector<PostLog>& logs,
                              const std::vector<std::vector<std::string>>& paths, int runs) {
    std::vector<double> best(logs.size(), 1e300);
    for (int r = 0; r < runs; ++r)
        for (std::size_t j = 0; j < logs.size(); ++j) {
            const std::size_t i = turn(r, j, logs.size());
            logs[i].clear();
            analysisLog().clear();
            trimHeap();
            const double t0 = stepNow();
            loadFiles(logs[i], paths[i], false, 0);
            best[i] = std::min(best[i], stepNow() - t0);
            if (logs[i].posts.empty())
                throw std::runtime_error("loading " + paths[i].front() + " failed");
        }
    return best;
}

// Runs step k of every log in turn, `runs` times (or the step's own limit); the best times.
// A short step runs more often, for about a second and a half, so that its best time is not
// one lucky or unlucky slice of a busy machine.
std::vector<double> timeStep(std::vector<std::vector<Step>>& steps, std::size_t k, int runs) {
    std::vector<double> best(steps.size(), 1e300);
    const int limit = steps.front()[k].maxRuns;
    int n = limit ? std::min(runs, limit) : runs;
    for (int r = 0; r < n; ++r) {
        for (std::size_t j = 0; j < steps.size(); ++j) {
            const std::size_t i = turn(r, j, steps.size());
            Step& s = steps[i][k];
            if (s.prepare) s.prepare();
            const double t0 = stepNow();
            s.run();
            best[i] = std::min(best[i], stepNow() - t0);
        }
        if (r == 0 && !limit) n = std::clamp(static_cast<int>(1.5 / best[0]), runs, 200);
    }
    return best;
}

// The best time (stepNow's clock) of `runs` runs of lorvanel-cli report on each file set, taking
// turns; also the largest peak memory of each.
struct CliTimes {
    std::vector<double> seconds;
    std::vector<std::uint64_t> peak;
};

CliTimes timeCli(const std::string& cli, const std::vector<std::vector<std::string>>& paths,
                 int runs) {
    CliTimes t{std::vector<double>(paths.size(), 1e300), std::vector<std::uint64_t>(paths.size())};
    for (int r = 0; r < runs; ++r)
        for (std::size_t j = 0; j < paths.size(); ++j) {
            const std::size_t i = turn(r, j, paths.size());
            std::vector<std::string> argv = {cli, "report"};
            argv.insert(argv.end(), paths[i].begin(), paths[i].end());
            const ChildResult c = runChild(argv);
            if (c.exitStatus != 0)
                throw std::runtime_error(cli + " report failed (status " +
                                         std::to_string(c.exitStatus) + ")");
            t.seconds[i] = std::min(t.seconds[i], timingInCpu() ? c.seconds : c.wallSeconds);
            t.peak[i] = std::max(t.peak[i], c.peakResidentBytes);
        }
    return t;
}

// The desktop program started on a log as a user starts it, up to every tab painted
// (--self-test, offscreen), each run paired with a baseline read of the same file just
// before it; the median of the runs' ratios, so that a slow moment of the machine weighs on
// both sides of one pair and one odd pair does not decide.
struct PairedRatio {
    double seconds = 0; // median of the program's times
    double ratio = 0;   // median of the paired ratios
};

PairedRatio timeProgramStart(const std::string& program, const std::string& log, int runs) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<double> times, ratios;
    for (int r = 0; r < std::max(runs, 6); ++r) {
        volatile std::uint64_t sink = 0;
        const double t0 = now();
        sink = sink + physicalBaseline(log);
        const double base = now() - t0;
        const ChildResult c = runChild({program, "--self-test", log});
        if (c.exitStatus != 0)
            throw std::runtime_error(program + " --self-test failed (status " +
                                     std::to_string(c.exitStatus) + ")");
        times.push_back(c.wallSeconds);
        ratios.push_back(c.wallSeconds / base);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        const std::size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    };
    return {median(times), median(ratios)};
}

std::vector<std::string> splitPaths(const std::string& prefix) {
    std::vector<std::string> paths;
    for (int k = 1; k <= 4; ++k) paths.push_back(prefix + "." + std::to_string(k));
    return paths;
}

struct Doubling {
    std::string name;
    double half = 0;
    double full = 0;
};

// Runs every step on the full log and the half log in turn; prints the full log's times.
void timeSteps(Figures& figures, std::vector<Doubling>& doubling,
               std::vector<std::vector<Step>>& steps, double baseline, const char* logName,
               int runs) {
    for (std::size_t k = 0; k < steps[0].size(); ++k) {
        const std::vector<double> t = timeStep(steps, k, runs);
        figures.time(steps[0][k].name, t[0], baseline, steps[0][k].target);
        // The tenth's share differs a little between the logs; its name says so.
        doubling.push_back(
            {steps[0][k].name + (logName ? std::string(", ") + logName : ""), t[1], t[0]});
    }
}

// The filter tree's steps alone, over documents of their own.
void benchTree(Figures& figures, std::vector<Doubling>& doubling, const std::string& full,
               const std::string& half, double baseline, const std::string& title,
               const char* logName, int runs) {
    figures.section(title + ": the filter tree over a document (filter, statistics, report)");
    std::vector<std::vector<Step>> steps(2);
    appendTreeSteps(steps[0], full);
    appendTreeSteps(steps[1], half);
    timeSteps(figures, doubling, steps, baseline, logName, runs);
}

// Adds the doubling figures and prints everything.
int printFigures(Figures& figures, const std::vector<Doubling>& doubling, double janeGrowth,
                 double hzGrowth) {
    // Growth from the 100 MB log to the 200 MB one. A linear step grows by the baseline's
    // factor give or take the timing noise of a shared machine, which the margin allows for;
    // anything worse than linear grows far beyond it.
    constexpr double kNoise = 0.1;
    char growth[200];
    std::snprintf(growth, sizeof growth,
                  "Nothing quadratic: time on the 200 MB log / time on the 100 MB log (the "
                  "baselines grew %.2fx for Jane, %.2fx for format 8; noise margin 10 %%)",
                  janeGrowth, hzGrowth);
    figures.section(growth);
    for (const Doubling& d : doubling)
        figures.add({d.name, milliseconds(d.full), d.full / d.half, "100 MB", 2.0, kNoise});

    const int missed = figures.print();
    std::printf("\n%s\n", missed == 0 ? "Every target holds."
                                      : (std::to_string(missed) + " target(s) missed.").c_str());
    return 0;
}

// The 300,000-entry keyword file on the small demo log, against its target of two seconds.
void benchDemo(Figures& figures, const std::string& path, int runs) {
    PostLog log;
    loadFiles(log, {path}, false, 0);
    if (log.posts.empty()) throw std::runtime_error("loading " + path + " failed");
    figures.section("Demo log " + path + " (" + std::to_string(log.posts.size()) + " posts)");
    Step step = largeKeywordFileStep(log, "/tmp");
    const double t = bestOf(std::min(runs, 3), step.run);
    figures.add({step.name, milliseconds(t), t / 2.0, "2 s", 1.0});
}

// The text searches alone on the Jane logs: the filter's containment (msg_) on both sizes and
// the post list's searches on the larger one, for comparing builds side by side.
int benchSearch(const Options& o) {
    physicalBaseline(o.jane);
    physicalBaseline(o.janeHalf);
    const double baseJane = baselineOf(o.jane);
    const double baseJaneHalf = baselineOf(o.janeHalf);
    Figures figures;
    std::vector<Doubling> doubling;
    std::vector<PostLog> logs(2);
    timeLoads(logs, {{o.jane}, {o.janeHalf}}, 1);
    figures.section("Jane 200 MB (" + std::to_string(logs[0].posts.size()) + " posts)");
    std::vector<std::vector<Step>> steps = {makeSteps(logs[0]), makeSteps(logs[1])};
    for (std::vector<Step>& s : steps)
        std::erase_if(
            s, [](const Step& step) { return step.name.find("msg_ ") == std::string::npos; });
    timeSteps(figures, doubling, steps, baseJane, nullptr, o.runs);
    addPostListFigures(figures, logs[0], baseJane, o.runs);
    return printFigures(figures, doubling, baseJane / baseJaneHalf, 1.0);
}

int run(const Options& o) {
    boardDirectory().loadBoardList();
    if (o.only == "search") return benchSearch(o);
    const std::vector<std::string> parts = splitPaths(o.split);
    for (const std::string& p : {o.jane, o.janeHalf, o.hotzonu, o.hotzonuHalf}) physicalBaseline(p);
    for (const std::string& p : parts) physicalBaseline(p);

    std::printf("Physical baseline: read the file into a freshly allocated buffer and count its\n"
                "line breaks with memchr (best of 7). Every time is the best of %d runs, in %s\n"
                "(walks over the posts run on every processor; LORVANEL_BENCH_CLOCK=cpu times\n"
                "in CPU time instead, LORVANEL_THREADS=1 runs them on one). The logs are in the\n"
                "page cache. The 200 MB and 100 MB logs take turns run by run, so that the\n"
                "doubling check compares like with like.\n\n",
                o.runs, timingInCpu() ? "CPU time (user + system)" : "wall time");
    const double baseJane = baselineOf(o.jane);
    const double baseJaneHalf = baselineOf(o.janeHalf);
    const double baseHz = baselineOf(o.hotzonu);
    const double baseHzHalf = baselineOf(o.hotzonuHalf);
    auto describe = [](const char* what, const std::string& path, double base) {
        std::printf("  %-24s %-52s %s  baseline %s\n", what, path.c_str(),
                    megabytes(static_cast<double>(fileBytes(path))).c_str(),
                    milliseconds(base).c_str());
    };
    describe("Jane (format 1)", o.jane, baseJane);
    describe("Jane, half", o.janeHalf, baseJaneHalf);
    describe("newest first (format 8)", o.hotzonu, baseHz);
    describe("newest first, half", o.hotzonuHalf, baseHzHalf);
    std::printf("  %-24s %s.1..4 (the Jane log's posts dealt out by session)\n",
                "Jane in four files", o.split.c_str());

    Figures figures;
    std::vector<Doubling> doubling;
    if (o.only == "tree") {
        benchTree(figures, doubling, o.jane, o.janeHalf, baseJane, "Jane 200 MB", "Jane", o.runs);
        trimHeap();
        benchTree(figures, doubling, o.hotzonu, o.hotzonuHalf, baseHz, "format 8 200 MB",
                  "format 8", o.runs);
        return printFigures(figures, doubling, baseJane / baseJaneHalf, baseHz / baseHzHalf);
    }

    if (!o.demo.empty() && o.only != "cli") benchDemo(figures, o.demo, o.runs);
    if (o.only != "cli") {
        // The Jane logs: loading, then every analysis step on both.
        std::vector<PostLog> logs(2);
        const std::vector<double> load = timeLoads(logs, {{o.jane}, {o.janeHalf}}, o.runs);
        figures.section("Jane 200 MB (" + std::to_string(logs[0].posts.size()) + " posts)");
        figures.time("load (read, detect, parse, admit)", load[0], baseJane, 0);
        doubling.push_back({"load (loadFiles), Jane", load[1], load[0]});
        std::vector<std::vector<Step>> steps = {makeSteps(logs[0]), makeSteps(logs[1])};
        timeSteps(figures, doubling, steps, baseJane, nullptr, o.runs);
        if (o.only.empty()) {
            addPostListFigures(figures, logs[0], baseJane, o.runs);
            benchGraphs(figures, logs[0], baseJane, o.runs);
        }
    }
    if (o.only == "analysis")
        return printFigures(figures, doubling, baseJane / baseJaneHalf, baseHz / baseHzHalf);
    trimHeap();
    if (o.only.empty()) {
        std::size_t janePosts = 0;
        {
            std::vector<PostLog> logs(2);
            const std::vector<double> load =
                timeLoads(logs, {{o.hotzonu}, {o.hotzonuHalf}}, o.runs);
            figures.section("format 8 200 MB (" + std::to_string(logs[0].posts.size()) + " posts)");
            figures.time("load (read, detect, parse, admit)", load[0], baseHz, 0);
            doubling.push_back({"load (loadFiles), format 8", load[1], load[0]});
        }
        trimHeap();
        // The filter tree over documents of their own, with the logs above released.
        benchTree(figures, doubling, o.jane, o.janeHalf, baseJane, "Jane 200 MB", "Jane", o.runs);
        trimHeap();
        benchTree(figures, doubling, o.hotzonu, o.hotzonuHalf, baseHz, "format 8 200 MB",
                  "format 8", o.runs);
        trimHeap();
        {
            std::vector<PostLog> logs(2);
            const std::vector<double> load = timeLoads(logs, {parts, {o.jane}}, o.runs);
            figures.section("Jane 200 MB in four files (" + std::to_string(logs[0].posts.size()) +
                            " posts)");
            figures.time("load, four files interleaving in time (merge)", load[0], baseJane, 0);
            if (logs[0].posts.size() != logs[1].posts.size())
                std::printf("\nWARNING: the four files gave %zu posts, the single log %zu\n",
                            logs[0].posts.size(), logs[1].posts.size());
            janePosts = logs[1].posts.size();
        }
        (void)janePosts;
        trimHeap();
        if (!o.jdim.empty()) benchJDimLoad(figures, o.jdim, o.cli, o.runs);
        trimHeap();
    }

    // End to end, as a user runs it: a fresh process loads, analyses and prints the report.
    figures.section("lorvanel-cli report, end to end (a fresh process; output to /dev/null)");
    const CliTimes jane = timeCli(o.cli, {{o.jane}, {o.janeHalf}}, o.runs);
    figures.time("report, Jane 200 MB", jane.seconds[0], baseJane, 2.0);
    doubling.push_back({"lorvanel-cli report, Jane", jane.seconds[1], jane.seconds[0]});
    const CliTimes hz = timeCli(o.cli, {{o.hotzonu}, {o.hotzonuHalf}}, o.runs);
    figures.time("report, format 8 200 MB", hz.seconds[0], baseHz, 3.0);
    doubling.push_back({"lorvanel-cli report, format 8", hz.seconds[1], hz.seconds[0]});
    const CliTimes merged = timeCli(o.cli, {parts}, o.runs);
    figures.time("report, Jane 200 MB in four files (merge)", merged.seconds[0], baseJane, 3.5);

    if (!o.program.empty()) {
        figures.section("The desktop program, end to end (a fresh process, offscreen)");
        const PairedRatio start = timeProgramStart(o.program, o.jane, o.runs);
        // The ratio is the median of paired ratios; the time given beside it is the median
        // time, so the figure's base is chosen to print that ratio.
        figures.time("start on Jane 200 MB up to every tab painted (median of paired runs)",
                     start.seconds, start.seconds / start.ratio, 2.5);
    }

    figures.section("Peak resident memory, as a multiple of the file size");
    const double janeBytes = static_cast<double>(fileBytes(o.jane));
    const double hzBytes = static_cast<double>(fileBytes(o.hotzonu));
    figures.add({"lorvanel-cli report, Jane 200 MB", megabytes(static_cast<double>(jane.peak[0])),
                 static_cast<double>(jane.peak[0]) / janeBytes, "file size", kReportPeakTarget});
    figures.add({"lorvanel-cli report, format 8 200 MB", megabytes(static_cast<double>(hz.peak[0])),
                 static_cast<double>(hz.peak[0]) / hzBytes, "file size", kReportPeakTarget});
    for (const MemoryResult& m : memorySteps(o.cli, o.jane))
        figures.add({m.name, megabytes(static_cast<double>(m.peakBytes)),
                     static_cast<double>(m.peakBytes) / janeBytes, "file size", m.target});

    return printFigures(figures, doubling, baseJane / baseJaneHalf, baseHz / baseHzHalf);
}

} // namespace

} // namespace lorvanel::bench

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], lorvanel::bench::kRunChildOption) == 0)
        return lorvanel::bench::runChildMain(argc - 2, argv + 2);
    try {
        return lorvanel::bench::run(lorvanel::bench::parse(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lorvanel-bench: %s\n", e.what());
        return 1;
    }
}
