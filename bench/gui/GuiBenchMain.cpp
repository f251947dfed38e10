// lorvanel-gui-bench: the desktop program's main window, offscreen, on one large log: opening
// it, filter-tree choices, clearing the filter, expanding a tree node and switching tabs, each
// up to the paint the user sees, as multiples of a physical baseline measured in the same run;
// and the peak memory of the window with every view filled, as a multiple of the file size.
#include "Figures.h"
#include "Measure.h"
#include "gui/WindowDriver.h"

#include "doc/CDoc.h"
#include "input/PostLog.h"
#include "ui/QtText.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <malloc.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace lorvanel::bench {

namespace {

const char kUsage[] = "usage: lorvanel-gui-bench --log PATH --name TEXT [--runs N]\n"
                      "Opens the log in the main window (offscreen) and times what a user does "
                      "with it.\n";

struct Options {
    std::string log;
    std::string name;
    int runs = 3;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) throw std::runtime_error(a + " needs a value\n" + kUsage);
        const std::string v = argv[++i];
        if (a == "--log")
            o.log = v;
        else if (a == "--name")
            o.name = v;
        else if (a == "--runs")
            o.runs = std::max(1, std::atoi(v.c_str()));
        else
            throw std::runtime_error("unknown option " + a + "\n" + kUsage);
    }
    if (o.log.empty() || o.name.empty()) throw std::runtime_error(kUsage);
    return o;
}

// Targets, as multiples of the baseline.
constexpr double kOpenTarget = 3.0;
constexpr double kSelectionTarget = 0.5;
constexpr double kQuickTarget = 0.1;
constexpr double kMemoryTarget = 2.0;

// A settings directory of its own, removed at the end.
class TempDirectory {
public:
    TempDirectory() {
        char name[] = "/tmp/lorvanel-gui-bench-XXXXXX";
        if (!mkdtemp(name)) throw std::runtime_error("mkdtemp failed");
        path_ = name;
    }
    ~TempDirectory() {
        std::remove((path_ + "/lorvanel.ini").c_str());
        rmdir(path_.c_str());
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::uint64_t peakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::uint64_t>(usage.ru_maxrss) * 1024;
}

int run(const Options& o) {
    volatile std::uint64_t sink = 0;
    const double base = bestOf(7, [&] { sink = sink + physicalBaseline(o.log); });
    const double fileSize = static_cast<double>(fileBytes(o.log));

    TempDirectory settingsDir;
    WindowDriver window(settingsDir.path());
    Figures figures;

    // Opening: the load, the statistics and report, and every tab painted once.
    double open = 1e300;
    for (int r = 0; r < o.runs; ++r) {
        malloc_trim(0);
        const double t0 = cpuNow();
        if (!window.open(o.log)) throw std::runtime_error("opening " + o.log + " failed");
        open = std::min(open, cpuNow() - t0);
    }
    const PostLog& log = window.document().postLog();
    std::printf("\n%s: %s, %s, %zu posts; baseline (read + memchr) %s\n", o.name.c_str(),
                o.log.c_str(), megabytes(fileSize).c_str(), log.posts.size(),
                milliseconds(base).c_str());
    std::printf("The main window offscreen (%s), every step up to the paint of what is visible; "
                "CPU time, best of %d.\n",
                window.filterTree() ? "filter tree present"
                                    : "no filter tree yet: choices applied as filter texts",
                o.runs);
    figures.section("Opening (" + o.name + ")");
    figures.time("open: load, statistics, every tab painted once", open, base, kOpenTarget);

    // The choices of the filter tree: a year (that of the middle post), the commonest board,
    // the default filter "長文" and a custom filter with a regular expression.
    const int year = log.posts[log.posts.size() / 2]->local().year;
    const PostStatistics& whole = window.document().wholeLogStatistics();
    if (whole.boards.empty()) throw std::runtime_error("the log has no boards");
    const std::string board = whole.boards.front().text;
    const std::vector<TreeChoice> choices = {
        {QString::number(year) + QStringLiteral("年"), "date" + std::to_string(year)},
        {toQString(board), "brd_\"" + board + "\""},
        {QStringLiteral("長文"), toCp932Lossy(QStringLiteral("!AA&line6-"))},
        {QStringLiteral("レスアンカ"), toCp932Lossy(QStringLiteral("msgr_\"(>|＞)[1-9]\""))},
    };
    const char* const labels[] = {"a year", "the commonest board", "\"長文\" (!AA&line6-)",
                                  "\"レスアンカ\" (regex msgr_\"(>|＞)[1-9]\")"};

    auto best = [&](const std::function<void()>& prepare, const std::function<void()>& step) {
        double b = 1e300;
        for (int r = 0; r < o.runs; ++r) {
            if (prepare) prepare();
            const double t0 = cpuNow();
            step();
            b = std::min(b, cpuNow() - t0);
        }
        return b;
    };

    int usedTree = 0;
    // The first choice that tests posts for ASCII art tests every post once; the answers are
    // kept in the records, so later choices find them.
    window.showTab(0);
    {
        const double t0 = cpuNow();
        usedTree += window.choose(choices[2]);
        figures.time("choose \"長文\" the first time after opening (ASCII-art test of "
                     "every post)",
                     cpuNow() - t0, base, kSelectionTarget);
        window.clearFilter();
    }
    const int fixedTabs = std::min(window.tabCount(), 3);
    for (int tab = 0; tab < fixedTabs; ++tab) {
        const std::string caption = window.tabCaption(tab).toStdString();
        figures.section("Filter-tree choices with the tab \"" + caption +
                        "\" visible: every view refreshed, the tab painted");
        window.showTab(tab);
        for (std::size_t c = 0; c < choices.size(); ++c) {
            const double t =
                best([&] { window.clearFilter(); }, [&] { usedTree += window.choose(choices[c]); });
            figures.time(std::string("choose ") + labels[c], t, base, kSelectionTarget);
        }
        const double cleared =
            best([&] { window.choose(choices[0]); }, [&] { window.clearFilter(); });
        figures.time("\"フィルタ解除\" (back to the whole log)", cleared, base, kSelectionTarget);
    }

    figures.section("Tabs and the tree");
    window.showTab(0);
    window.clearFilter();
    for (int tab = 1; tab < window.tabCount(); ++tab) {
        const std::string caption = window.tabCaption(tab).toStdString();
        const double t = best([&] { window.showTab(0); }, [&] { window.showTab(tab); });
        figures.time("switch to \"" + caption + "\"", t, base, kQuickTarget);
        const double deferred = best(
            [&] {
                window.showTab(0);
                window.choose(choices[0]);
            },
            [&] { window.showTab(tab); });
        figures.time("switch to \"" + caption + "\" after a choice", deferred, base, kQuickTarget);
    }
    const double back = best([&] { window.showTab(1); }, [&] { window.showTab(0); });
    figures.time("switch back to \"" + window.tabCaption(0).toStdString() + "\"", back, base,
                 kQuickTarget);
    if (window.filterTree()) {
        bool found = true;
        const double expand = best([&] { window.setExpanded(QStringLiteral("板"), false); },
                                   [&] { found = window.setExpanded(QStringLiteral("板"), true); });
        if (found)
            figures.time("expand \"板\"", expand, base, kQuickTarget);
        else
            std::printf("(the filter tree has no node \"板\": its expansion is not measured)\n");
    }

    // Every view has been filled and painted by now.
    window.paintEveryTab();
    const double peak = static_cast<double>(peakResidentBytes());
    figures.section("Peak resident memory of the window, as a multiple of the file size");
    figures.add({"log loaded, every view filled (" + o.name + ")", megabytes(peak), peak / fileSize,
                 "file size", kMemoryTarget});

    const int missed = figures.print();
    if (usedTree == 0)
        std::printf("\n(No choice was found in the filter tree; they were applied as filter "
                    "texts to the document.)\n");
    std::printf("\n%s\n", missed == 0 ? "Every target of the window holds."
                                      : (std::to_string(missed) + " target(s) missed.").c_str());
    return 0;
}

} // namespace

} // namespace lorvanel::bench

int main(int argc, char** argv) {
    // Offscreen unless told otherwise: the benchmark needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        return lorvanel::bench::run(lorvanel::bench::parse(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lorvanel-gui-bench: %s\n", e.what());
        return 1;
    }
}
