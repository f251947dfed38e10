// lorvanel-bench: times loading, statistics, filters and keyword analysis on the largest logs
// and prints every figure as a multiple of a physical baseline measured in the same run.
#include "ChildRun.h"
#include "Figures.h"
#include "Measure.h"
#include "Steps.h"

#include "input/AnalysisLog.h"
#include "input/BoardDirectory.h"
#include "input/Loader.h"
#include "input/PostLog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace lorvanel::bench {

namespace {

const char kUsage[] =
    "usage: lorvanel-bench --cli PATH --jane PATH --jane-half PATH --hotzonu PATH\n"
    "                      --hotzonu-half PATH --split PATH [--runs N]\n"
    "--jane and --hotzonu name the 200 MB logs of formats 1 and 8, the -half options logs of\n"
    "half their size for the doubling check, --split the prefix of four files PATH.1..PATH.4\n"
    "that together hold the posts of the --jane log.\n";

struct Options {
    std::string cli, jane, janeHalf, hotzonu, hotzonuHalf, split;
    int runs = 3;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) throw std::runtime_error(a + " needs a value\n" + kUsage);
        const std::string v = argv[++i];
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
        else if (a == "--runs")
            o.runs = std::max(1, std::atoi(v.c_str()));
        else
            throw std::runtime_error("unknown option " + a + "\n" + kUsage);
    }
    if (o.cli.empty() || o.jane.empty() || o.janeHalf.empty() || o.hotzonu.empty() ||
        o.hotzonuHalf.empty() || o.split.empty())
        throw std::runtime_error(kUsage);
    return o;
}

double baselineOf(const std::string& path) {
    volatile std::uint64_t sink = 0;
    return bestOf(7, [&] { sink = sink + physicalBaseline(path); });
}

// Loads the files once per run from a cleared log; the log stays loaded afterwards.
double timeLoad(PostLog& log, const std::vector<std::string>& paths, int runs) {
    const double t = bestOf(
        runs, [&] { loadFiles(log, paths, false, 0); },
        [&] {
            log.clear();
            analysisLog().clear();
        });
    if (log.posts.empty()) throw std::runtime_error("loading " + paths.front() + " failed");
    return t;
}

struct Doubling {
    double half = 0;
    double full = 0;
};

std::vector<std::string> splitPaths(const std::string& prefix) {
    std::vector<std::string> paths;
    for (int k = 1; k <= 4; ++k) paths.push_back(prefix + "." + std::to_string(k));
    return paths;
}

int run(const Options& o) {
    boardDirectory().loadBoardList();
    const std::vector<std::string> parts = splitPaths(o.split);
    for (const std::string& p : {o.jane, o.janeHalf, o.hotzonu, o.hotzonuHalf}) physicalBaseline(p);
    for (const std::string& p : parts) physicalBaseline(p);

    std::printf("Physical baseline: read the file into a freshly allocated buffer and count its\n"
                "line breaks with memchr (best of 7). Every time is the best of %d runs, in CPU\n"
                "time (user + system): the machine is shared, and the logs are in the page cache,\n"
                "so on an idle machine that is the wall time.\n\n",
                o.runs);
    const double baseJane = baselineOf(o.jane);
    const double baseJaneHalf = baselineOf(o.janeHalf);
    const double baseHz = baselineOf(o.hotzonu);
    const double baseHzHalf = baselineOf(o.hotzonuHalf);
    auto describe = [](const char* what, const std::string& path, double base) {
        std::printf("  %-28s %-48s %s  baseline %s\n", what, path.c_str(),
                    megabytes(static_cast<double>(fileBytes(path))).c_str(),
                    milliseconds(base).c_str());
    };
    describe("Jane (format 1)", o.jane, baseJane);
    describe("Jane, half", o.janeHalf, baseJaneHalf);
    describe("newest first (format 8)", o.hotzonu, baseHz);
    describe("newest first, half", o.hotzonuHalf, baseHzHalf);
    std::printf("  %-28s %s.1..4 (the Jane log's posts dealt out by session)\n",
                "Jane in four files", o.split.c_str());

    Figures figures;
    std::map<std::string, Doubling> doubling;
    std::map<std::string, std::size_t> postCounts;

    // In-process steps, on the whole logs; the half logs give the doubling check.
    struct LogRun {
        const char* label;
        std::vector<std::string> paths;
        double baseline;
        bool half;
        bool jane;
    };
    const std::vector<LogRun> logs = {
        {"Jane 200 MB", {o.jane}, baseJane, false, true},
        {"Jane 100 MB", {o.janeHalf}, baseJaneHalf, true, true},
        {"format 8 200 MB", {o.hotzonu}, baseHz, false, false},
        {"format 8 100 MB", {o.hotzonuHalf}, baseHzHalf, true, false},
        {"Jane 200 MB in four files", parts, baseJane, false, false},
    };
    for (const LogRun& l : logs) {
        PostLog log;
        if (!l.half) figures.section(l.label);
        const double t = timeLoad(log, l.paths, o.runs);
        postCounts[l.label] = log.posts.size();
        const std::string key =
            std::string("load (loadFiles), ") + (l.jane               ? "Jane"
                                                 : l.paths.size() > 1 ? "four files"
                                                                      : "format 8");
        (l.half ? doubling[key].half : doubling[key].full) = t;
        if (!l.half)
            figures.time(l.paths.size() > 1 ? "load, four files interleaving in time (merge)"
                                            : "load (read, detect, parse, admit)",
                         t, l.baseline, 0);
        if (l.jane) {
            StepContext ctx{log, o.runs};
            for (const StepResult& r : runSteps(ctx)) {
                (l.half ? doubling[r.name].half : doubling[r.name].full) = r.seconds;
                if (!l.half) figures.time(r.name, r.seconds, l.baseline, r.target);
            }
        }
        log.clear();
    }
    if (postCounts["Jane 200 MB in four files"] != postCounts["Jane 200 MB"])
        std::printf("\nWARNING: the four files gave %zu posts, the single log %zu\n",
                    postCounts["Jane 200 MB in four files"], postCounts["Jane 200 MB"]);

    // End to end, as a user runs it: a fresh process loads, analyses and prints the report.
    figures.section("lorvanel-cli report, end to end (a fresh process; output to /dev/null)");
    struct CliRun {
        const char* name;
        std::vector<std::string> paths;
        double baseline;
        double target;
        const char* doublingKey;
        bool half;
    };
    std::vector<CliRun> cliRuns = {
        {"report, Jane 200 MB", {o.jane}, baseJane, 3.0, "lorvanel-cli report, Jane", false},
        {"report, Jane 100 MB", {o.janeHalf}, baseJaneHalf, 0, "lorvanel-cli report, Jane", true},
        {"report, format 8 200 MB",
         {o.hotzonu},
         baseHz,
         3.0,
         "lorvanel-cli report, format 8",
         false},
        {"report, format 8 100 MB",
         {o.hotzonuHalf},
         baseHzHalf,
         0,
         "lorvanel-cli report, format 8",
         true},
        {"report, Jane 200 MB in four files (merge)", parts, baseJane, 3.5, nullptr, false},
    };
    std::uint64_t peakReport = 0;
    for (const CliRun& c : cliRuns) {
        std::vector<std::string> argv = {o.cli, "report"};
        argv.insert(argv.end(), c.paths.begin(), c.paths.end());
        double best = 1e300;
        for (int i = 0; i < o.runs; ++i) {
            const ChildResult r = runChild(argv);
            if (r.exitStatus != 0)
                throw std::runtime_error(o.cli + " report failed (status " +
                                         std::to_string(r.exitStatus) + ")");
            best = std::min(best, r.seconds);
            if (c.paths.front() == o.jane && c.paths.size() == 1)
                peakReport = std::max(peakReport, r.peakResidentBytes);
        }
        if (c.doublingKey)
            (c.half ? doubling[c.doublingKey].half : doubling[c.doublingKey].full) = best;
        if (!c.half) figures.time(c.name, best, c.baseline, c.target);
    }

    figures.section("Peak resident memory, as a multiple of the file size");
    const double janeBytes = static_cast<double>(fileBytes(o.jane));
    figures.add({"lorvanel-cli report, Jane 200 MB", megabytes(static_cast<double>(peakReport)),
                 static_cast<double>(peakReport) / janeBytes, "file size", 1.6});
    for (const MemoryResult& m : memorySteps(o.cli, o.jane))
        figures.add({m.name, megabytes(static_cast<double>(m.peakBytes)),
                     static_cast<double>(m.peakBytes) / janeBytes, "file size", m.target});

    // Growth from the 100 MB log to the 200 MB one. A linear step grows by the baseline's
    // factor give or take the timing noise of a shared machine, which the margin allows for;
    // anything worse than linear grows far beyond it.
    constexpr double kNoise = 0.1;
    char growth[160];
    std::snprintf(growth, sizeof growth,
                  "Nothing quadratic: time on the 200 MB log / time on the 100 MB log (the "
                  "baselines grew %.2fx for Jane, %.2fx for format 8; noise margin 10 %%)",
                  baseJane / baseJaneHalf, baseHz / baseHzHalf);
    figures.section(growth);
    for (const auto& [name, d] : doubling) {
        if (d.half <= 0 || d.full <= 0) continue;
        figures.add({name, milliseconds(d.full), d.full / d.half, "100 MB", 2.0, kNoise});
    }

    const int missed = figures.print();
    std::printf("\n%s\n", missed == 0 ? "Every target holds."
                                      : (std::to_string(missed) + " target(s) missed.").c_str());
    return 0;
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
