// lorvanel-gui-bench: the desktop program's main window, offscreen, on one large log: opening
// it, choices in the filter tree with each tab (and each graph kind) in front, clearing the
// filter, expanding a tree node and switching tabs, each up to the paint the user sees, as
// multiples of a physical baseline measured in the same run; and the peak memory of the
// window with every view filled, as a multiple of the file size.
#include "Figures.h"
#include "Measure.h"
#include "OptionPairs.h"
#include "gui/StallMeter.h"
#include "gui/WindowDriver.h"

#include "app/CMainFrame.h"
#include "app/COperationRunner.h"
#include "doc/CDoc.h"
#include "input/PostLog.h"
#include "platform/IniFile.h"
#include "trees/CustomFilter.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

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

const char kUsage[] =
    "usage: lorvanel-gui-bench --log PATH --name TEXT [--runs N] [--profile STEP [--tab TAB]]\n"
    "Opens the log in the main window (offscreen) and times what a user does with it.\n"
    "--profile repeats one step N times and times nothing else, for a profiler: STEP is\n"
    "year, board, long, regex or clear (the filter-tree choices and \"フィルタ解除\"), or\n"
    "open (the log opened again over itself), with TAB in front: report (default),\n"
    "graph0 .. graph4 or list.\n";

struct Options {
    std::string log;
    std::string name;
    int runs = 3;
    std::string profile; // a step to repeat for a profiler
    std::string tab = "report";
};

Options parse(int argc, char** argv) {
    Options o;
    readOptionPairs(argc, argv, kUsage, [&](const std::string& a, const std::string& v) {
        if (a == "--log")
            o.log = v;
        else if (a == "--name")
            o.name = v;
        else if (a == "--runs")
            o.runs = runsValue(v);
        else if (a == "--profile")
            o.profile = v;
        else if (a == "--tab")
            o.tab = v;
        else
            return false;
        return true;
    });
    if (o.log.empty() || o.name.empty()) throw std::runtime_error(kUsage);
    return o;
}

// Targets, as multiples of the baseline.
constexpr double kOpenTarget = 2.0;
constexpr double kSelectionTarget = 0.3;
// The longest the window's thread may be kept from its events during any step, and the time
// from cancelling an open to the window showing the previous log again, in seconds.
constexpr double kStallTarget = 0.050;
constexpr double kCancelTarget = 0.100;
constexpr double kQuickTarget = 0.1;
constexpr double kMemoryTarget = 1.75;

// The user's own filter with a regular expression, beside the defaults in the settings file.
const QString kRegexFilterName = QStringLiteral("アンカ付き(正規表現)");
const QString kRegexFilterText = QStringLiteral("msgr_\"(>|＞)[1-9]\"");

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

// The settings file the window starts with: the default filters and the user's regular
// expression in section CustomFilter, so that the filter tree lists it under "カスタム".
void writeSettings(const std::string& directory) {
    CustomFilterList filters;
    for (const CustomFilter& d : defaultCustomFilters()) filters.append(d);
    filters.append({toCp932Lossy(kRegexFilterName), toCp932Lossy(kRegexFilterText)});
    IniFile ini;
    filters.write(ini);
    std::string error;
    if (!ini.save(directory + "/lorvanel.ini", &error))
        throw std::runtime_error("the settings file can't be written: " + error);
}

// A keyword file of five groups, plain entries and regular expressions, some kana-sensitive.
void writeKeywordFile(const std::string& path) {
    const QString text = QStringLiteral(
        "★技術\r\nLinux\r\nWindows\r\nメモリ\r\nＣＰＵ\r\n*gcc|clang\r\n@バグ\r\nビルド\r\n"
        "★食べ物\r\nラーメン\r\nカレー\r\n*(コンビニ|スーパー)(弁当)?\r\n@うまい\r\n"
        "★反応\r\n草\r\nワロタ\r\nｗｗｗ\r\n*(>|＞)[0-9]+\r\nなるほど\r\n@orz\r\n"
        "★ニュース\r\n政府\r\n株価\r\n*支持率|選挙\r\n年金\r\n"
        "★趣味\r\nアニメ\r\n*Part[0-9]+\r\nガチャ\r\n*(PS[45]|Switch)\r\n");
    const std::string bytes = toCp932Lossy(text);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f))
        throw std::runtime_error("the keyword file can't be written: " + path);
}

std::uint64_t peakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::uint64_t>(usage.ru_maxrss) * 1024;
}

class GuiBench {
public:
    GuiBench(const Options& o, WindowDriver& window, double base)
        : o_(o), window_(window), base_(base) {}

    // The fastest of the runs; prepare runs before each one, untimed.
    double best(const std::function<void()>& prepare, const std::function<void()>& step) const {
        return bestOf(o_.runs, step, prepare);
    }

    // A section of the table; context names it in the list of missed targets.
    void section(const std::string& title, const std::string& context) {
        figures_.section(title);
        context_ = context;
    }

    void time(const std::string& name, double seconds, double target) {
        figures_.time(name, seconds, base_, target);
        if (target > 0 && seconds / base_ > target) {
            char ratio[32];
            std::snprintf(ratio, sizeof ratio, "%.2fx > %.3gx", seconds / base_, target);
            missed_.push_back(context_ + ": " + name + " (" + ratio + ")");
        }
    }

    // Times the choice with every view refreshed and the current tab painted, each run from
    // the whole log. A choice whose item the tree lacks is applied as its filter text, and the
    // figure says so.
    void timeChoice(const std::string& label, const TreeChoice& choice) {
        bool inTree = true;
        QModelIndex item;
        const double t = best(
            [&] {
                window_.clearFilter();
                item = window_.locate(choice);
                inTree = inTree && item.isValid();
            },
            [&] {
                if (item.isValid())
                    window_.select(item);
                else
                    window_.applyText(choice.filterText);
            });
        std::string name = "choose " + label;
        if (!inTree) {
            name += " [NOT IN THE TREE: applied as filter text]";
            fallbacks_.push_back(label);
        }
        time(name, t, kSelectionTarget);
    }

    Figures& figures() { return figures_; }
    void noteMissed(const std::string& what) { missed_.push_back(context_ + ": " + what); }
    const std::vector<std::string>& missed() const { return missed_; }
    const std::vector<std::string>& fallbacks() const { return fallbacks_; }

private:
    const Options& o_;
    WindowDriver& window_;
    double base_;
    Figures figures_;
    std::string context_;
    std::vector<std::string> missed_;
    std::vector<std::string> fallbacks_;
};

int run(const Options& o) {
    volatile std::uint64_t sink = 0;
    const double base = bestOf(7, [&] { sink = sink + physicalBaseline(o.log); });
    const double fileSize = static_cast<double>(fileBytes(o.log));

    TempDirectory settingsDir;
    writeSettings(settingsDir.path());
    WindowDriver window(settingsDir.path());
    if (!window.filterTree()) throw std::runtime_error("the window has no filter tree");
    GuiBench bench(o, window, base);

    // Opening: the load, the statistics and report, and every tab painted once.
    double open = 1e300;
    // The window's memory is that of the first open, in a fresh process, as a user opens
    // a log; later opens hold the old log while the new one is read, so that a cancel can
    // keep it, and the keyword analyses below add their folded copies of the bodies.
    double openPeak = 0;
    for (int r = 0; r < o.runs; ++r) {
        malloc_trim(0);
        const double t0 = now();
        if (!window.open(o.log)) throw std::runtime_error("opening " + o.log + " failed");
        open = std::min(open, now() - t0);
        if (r == 0) openPeak = static_cast<double>(peakResidentBytes());
    }
    const PostLog& log = window.document().postLog();
    std::printf("\n%s: %s, %s, %zu posts; baseline (read + memchr) %s\n", o.name.c_str(),
                o.log.c_str(), megabytes(fileSize).c_str(), log.posts.size(),
                milliseconds(base).c_str());
    std::printf("The main window offscreen, every step up to the paint of what is visible; "
                "wall-clock time, best of %d.\n",
                o.runs);
    bench.section("Opening (" + o.name + ")", "opening");
    bench.time("open: load, statistics, every tab painted once", open, kOpenTarget);

    // The choices of the filter tree: a year (that of the middle post), the commonest board,
    // the default filter "長文" and the user's filter with a regular expression.
    const int year = log.posts[log.posts.size() / 2]->local().year;
    const PostStatistics& whole = window.document().wholeLogStatistics();
    if (whole.boards.empty()) throw std::runtime_error("the log has no boards");
    const std::string board = whole.boards.front().text;
    struct Choice {
        std::string label;
        TreeChoice item;
    };
    const std::vector<Choice> choices = {
        {"a year (履歴/" + std::to_string(year) + "年)",
         {QStringLiteral("履歴"), QString::number(year) + QStringLiteral("年"),
          "date" + std::to_string(year)}},
        {"the commonest board (板/" + toQString(board).toStdString() + ")",
         {QStringLiteral("板"), toQString(board), "brd_\"" + board + "\""}},
        {"\"長文\" (!AA&line6-)",
         {QStringLiteral("カスタム"), QStringLiteral("長文"),
          toCp932Lossy(QStringLiteral("!AA&line6-"))}},
        {"\"" + kRegexFilterName.toStdString() + "\" (" + kRegexFilterText.toStdString() + ")",
         {QStringLiteral("カスタム"), kRegexFilterName, toCp932Lossy(kRegexFilterText)}},
    };

    constexpr int kReportTab = 0, kGraphTab = 1, kPostListTab = 2;
    if (o.profile == "open") {
        const double t = bench.best([] {}, [&] { window.open(o.log); });
        std::printf("open over the open log: best %s (%.2fx baseline)\n", milliseconds(t).c_str(),
                    t / base);
        return 0;
    }
    if (!o.profile.empty()) {
        // One step again and again, each from the whole log, with the tab in front; the
        // preparation runs too, but outside the step's own calls.
        const std::vector<std::string> steps = {"year", "board", "long", "regex", "clear"};
        const auto step = std::find(steps.begin(), steps.end(), o.profile) - steps.begin();
        if (step == static_cast<long>(steps.size()))
            throw std::runtime_error("unknown step " + o.profile + "\n" + kUsage);
        if (o.tab == "report") {
            window.showTab(kReportTab);
        } else if (o.tab == "list") {
            window.showTab(kPostListTab);
        } else if (o.tab.size() == 6 && o.tab.rfind("graph", 0) == 0) {
            window.showTab(kGraphTab);
            window.chooseGraphKind(o.tab[5] - '0');
        } else {
            throw std::runtime_error("unknown tab " + o.tab + "\n" + kUsage);
        }
        const TreeChoice& choice = choices[step < 4 ? step : 0].item;
        const double t = bench.best(
            [&] {
                window.clearFilter();
                if (step == 4) window.choose(choice);
            },
            [&] {
                if (step == 4)
                    window.clearFilter();
                else
                    window.choose(choice);
            });
        std::printf("%s with the tab %s in front: best %s (%.2fx baseline)\n", o.profile.c_str(),
                    o.tab.c_str(), milliseconds(t).c_str(), t / base);
        return 0;
    }

    // The first choice that tests posts for ASCII art tests every post once; the answers are
    // kept in the records, so later choices find them.
    window.showTab(0);
    {
        window.clearFilter();
        const QModelIndex item = window.locate(choices[2].item);
        const double t0 = now();
        if (item.isValid())
            window.select(item);
        else
            window.applyText(choices[2].item.filterText);
        bench.time(
            "choose \"長文\" the first time after opening (ASCII-art test of every post)" +
                std::string(item.isValid() ? "" : " [NOT IN THE TREE: applied as filter text]"),
            now() - t0, kSelectionTarget);
    }

    // Each fixed tab in front; the graph tab once for every kind.
    auto measureChoices = [&](const std::string& what) {
        bench.section("Filter-tree choices with " + what +
                          " visible: every view refreshed, the tab painted",
                      what + " visible");
        for (const Choice& c : choices) bench.timeChoice(c.label, c.item);
        const double cleared = bench.best(
            [&] {
                window.clearFilter();
                window.choose(choices[0].item);
            },
            [&] { window.clearFilter(); });
        bench.time("\"フィルタ解除\" (back to the whole log)", cleared, kSelectionTarget);
    };
    window.showTab(kReportTab);
    measureChoices("the tab \"" + window.tabCaption(kReportTab).toStdString() + "\"");
    window.showTab(kGraphTab);
    for (int kind = 0; kind < window.graphKindCount(); ++kind) {
        window.chooseGraphKind(kind);
        measureChoices("the graph " + std::to_string(kind) + " \"" +
                       window.graphKindCaption(kind).toStdString() + "\"");
    }
    window.chooseGraphKind(0);
    window.showTab(kPostListTab);
    measureChoices("the tab \"" + window.tabCaption(kPostListTab).toStdString() + "\"");

    bench.section("Tabs, graph kinds and the tree (whole log selected)", "tabs and tree");
    window.showTab(kReportTab);
    window.clearFilter();
    // Nothing left to catch up on: a switch shows what its tab painted before.
    window.paintEveryTab();
    for (int tab = 1; tab < window.tabCount(); ++tab) {
        const std::string caption = window.tabCaption(tab).toStdString();
        const double t =
            bench.best([&] { window.showTab(kReportTab); }, [&] { window.showTab(tab); });
        bench.time("switch to \"" + caption + "\"", t, kQuickTarget);
        const double deferred = bench.best(
            [&] {
                window.showTab(kReportTab);
                window.clearFilter();
                window.choose(choices[0].item);
            },
            [&] { window.showTab(tab); });
        bench.time("switch to \"" + caption + "\" after a choice (hidden view catches up)",
                   deferred, kQuickTarget);
    }
    window.clearFilter();
    window.paintEveryTab();
    const double back =
        bench.best([&] { window.showTab(kGraphTab); }, [&] { window.showTab(kReportTab); });
    bench.time("switch back to \"" + window.tabCaption(kReportTab).toStdString() + "\"", back,
               kQuickTarget);
    // A kind of graph draws the whole selection anew: no target, shown for information.
    window.showTab(kGraphTab);
    for (int kind = 1; kind <= window.graphKindCount(); ++kind) {
        const int k = kind % window.graphKindCount();
        const double t = bench.best([&] { window.chooseGraphKind(k == 0 ? 1 : 0); },
                                    [&] { window.chooseGraphKind(k); });
        bench.time("graph kind " + std::to_string(k) + " \"" +
                       window.graphKindCaption(k).toStdString() + "\" chosen",
                   t, 0);
    }
    window.chooseGraphKind(0);
    window.showTab(kReportTab);
    // The first expansion of "板" after the tree was rebuilt lists the boards of the log.
    bool found = true;
    const double expand = bench.best(
        [&] {
            window.choose(choices[0].item);
            window.clearFilter();
        },
        [&] { found = window.setExpanded(QStringLiteral("板"), true); });
    if (found)
        bench.time("expand \"板\" (its boards listed)", expand, kQuickTarget);
    else
        std::printf("(the filter tree has no node \"板\": its expansion is not measured)\n");

    // The window's thread during the long steps: the work runs on the worker, and the thread
    // only commits and paints. Each step from the whole log with the report in front.
    bench.section("Longest stall of the window's thread (a 5 ms timer's latest tick)", "stalls");
    StallMeter meter;
    auto stall = [&](const std::string& name, const std::function<void()>& prepare,
                     const std::function<void()>& step) {
        prepare();
        meter.start();
        step();
        window.paint();
        const double s = meter.stop();
        bench.figures().add({name, milliseconds(s), s / kStallTarget, "50 ms", 1.0});
        if (s > kStallTarget) bench.noteMissed("stall of " + name + " (" + milliseconds(s) + ")");
    };
    window.showTab(kReportTab);
    window.clearFilter();
    // As a user opens a log: the report in front, the other tabs painted when shown.
    stall(
        "open", [] {},
        [&] {
            window.frame().loadFiles({o.log}, false, 0);
            window.paint();
        });
    stall(
        "reload", [] {}, [&] { window.frame().reload(); });
    // Every choice with each tab in front (the graph with its first kind).
    for (const int tab : {kReportTab, kGraphTab, kPostListTab}) {
        window.showTab(tab);
        const std::string front = " [" + window.tabCaption(tab).toStdString() + "]";
        for (const Choice& c : choices) {
            QModelIndex item;
            stall(
                "choose " + c.label + front,
                [&] {
                    window.clearFilter();
                    item = window.locate(c.item);
                },
                [&] {
                    item.isValid() ? window.select(item) : window.applyText(c.item.filterText);
                });
        }
        stall(
            "\"フィルタ解除\"" + front, [&] { window.choose(choices[0].item); },
            [&] { window.clearFilter(); });
    }
    window.showTab(kReportTab);
    stall(
        "automatic keyword analysis", [&] { window.clearFilter(); },
        [&] { window.frame().runAutoKeywords(); });
    const std::string keywords = settingsDir.path() + "/keywords.txt";
    writeKeywordFile(keywords);
    stall(
        "analysis of a keyword file (25 entries, 6 regex)", [] {},
        [&] { window.frame().runKeywordFile(keywords); });
    std::remove(keywords.c_str());

    // Cancelling an open: Esc some way into the load of the log, the window back to the log it
    // showed before (here the same log, loaded earlier) and painted.
    {
        const std::size_t before = window.document().postLog().posts.size();
        QElapsedTimer sinceCancel;
        QTimer::singleShot(150, &window.frame(), [&] {
            sinceCancel.start();
            window.frame().operations().cancel(); // what Esc and the cancel button do
        });
        const bool loaded = window.frame().loadFiles({o.log}, false, 0);
        window.paint();
        const double back = static_cast<double>(sinceCancel.nsecsElapsed()) / 1e9;
        const bool same = window.document().postLog().posts.size() == before;
        bench.figures().add({std::string("cancel an open: back to the previous log") +
                                 (loaded ? " [the load ended before the cancel]" : "") +
                                 (same ? "" : " [DOCUMENT CHANGED]"),
                             milliseconds(back), back / kCancelTarget, "100 ms", 1.0});
        if (loaded || !same || back > kCancelTarget)
            bench.noteMissed("cancel an open (" + milliseconds(back) + ")");
    }

    window.paintEveryTab();
    const double peak = static_cast<double>(peakResidentBytes());
    bench.section("Peak resident memory of the window, as a multiple of the file size", "memory");
    bench.figures().add({"log opened, every tab painted (" + o.name + ")", megabytes(openPeak),
                         openPeak / fileSize, "file size", kMemoryTarget});
    bench.figures().add({"after the whole run: reloads, keyword analyses (" + o.name + ")",
                         megabytes(peak), peak / fileSize, "file size", 0});

    const int missed = bench.figures().print();
    if (!bench.fallbacks().empty()) {
        std::printf("\nWARNING: the filter tree lacked %zu choice(s); they were applied as filter "
                    "texts:\n",
                    bench.fallbacks().size());
        for (const std::string& f : bench.fallbacks()) std::printf("  %s\n", f.c_str());
    }
    std::printf("\n%s (%s)\n",
                missed == 0 ? "Every target of the window holds."
                            : (std::to_string(missed) + " target(s) of the window missed").c_str(),
                o.name.c_str());
    for (const std::string& m : bench.missed()) std::printf("  missed: %s\n", m.c_str());
    if (openPeak / fileSize > kMemoryTarget)
        std::printf("  missed: memory: peak resident memory (%.2fx > %.3gx)\n", openPeak / fileSize,
                    kMemoryTarget);
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
