// lorvanel-cli graph: what a graph kind draws for the loaded logs, as text (--series) or as
// a PNG or SVG picture (--png, --svg) drawn by the same painter as the graph tab, and what a
// click at a pixel of the picture selects (--click).
#include "cli/CliSupport.h"
#include "cli/Command.h"
#include "graph/ChartPainter.h"
#include "graph/CumulativeGraph.h"
#include "graph/GraphKinds.h"
#include "graph/NullSurface.h"
#include "input/PostList.h"
#include "input/PostLog.h"

#ifdef LORVANEL_CLI_PNG
#include "paint/GraphImage.h"
#include "paint/GraphSvgFile.h"
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace lorvanel::cli {

namespace {

// The graph's own options; the common ones come from the command line.
struct GraphSwitches {
    int kind = -1;
    std::optional<bool> showTotal;
    int width = 640;
    int height = 480;
    bool series = false;
    std::string png;
    std::string svg;
    std::vector<std::pair<int, int>> clicks; // in the order given
};

int parseNumber(const std::string& text, long low, long high, const std::string& what) {
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || n < low || n > high)
        throw UsageError{what + " needs a number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + text + "'"};
    return static_cast<int>(n);
}

void parseSize(const std::string& text, GraphSwitches& sw) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) throw UsageError{"--size needs WIDTHxHEIGHT, not '" + text + "'"};
    sw.width = parseNumber(text.substr(0, x), 100, 8000, "--size's width");
    sw.height = parseNumber(text.substr(x + 1), 100, 8000, "--size's height");
}

void parseClick(const std::string& text, GraphSwitches& sw) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) throw UsageError{"--click needs X,Y, not '" + text + "'"};
    sw.clicks.emplace_back(parseNumber(text.substr(0, comma), 0, 7999, "--click's x"),
                           parseNumber(text.substr(comma + 1), 0, 7999, "--click's y"));
}

// Prints, one line per click, the filter text a click there applies (an empty line where
// it selects nothing). The kind has been drawn at the picture's size.
void writeClicks(const GraphKind& kind, const GraphSwitches& sw) {
    std::string out;
    for (const auto& [x, y] : sw.clicks) out += kind.filterAt(x, y) + "\n";
    writeText(out, false);
}

int runGraph(const std::vector<std::string>& args) {
    GraphSwitches sw;
    CommandLine line(kLimitMb | kFilter);
    line.option("--kind", [&](const std::string& v) {
        sw.kind = parseNumber(v, 0, graphKindCount() - 1, "--kind");
    });
    line.option("--show-total", [&](const std::string& v) {
        sw.showTotal = parseNumber(v, 0, 1, "--show-total") != 0;
    });
    line.option("--size", [&](const std::string& v) { parseSize(v, sw); });
    line.flag("--series", [&] { sw.series = true; });
    line.option("--png", [&](const std::string& v) { sw.png = v; });
    line.option("--svg", [&](const std::string& v) { sw.svg = v; });
    line.option("--click", [&](const std::string& v) { parseClick(v, sw); });
    const CommonOptions common = line.parse(args);
    if (sw.kind < 0) throw UsageError{"--kind is missing"};
    const bool clicks = !sw.clicks.empty();
    const int pictures = int(!sw.png.empty()) + int(!sw.svg.empty());
    if (sw.series ? pictures > 0 || clicks : pictures > 1 || (pictures == 0 && !clicks))
        throw UsageError{"give one of --series, --png FILE and --svg FILE, or --click X,Y "
                         "(alone or with a picture)"};
#ifndef LORVANEL_CLI_PNG
    if (!sw.png.empty() || !sw.svg.empty())
        throw UsageError{"this lorvanel-cli was built without Qt Gui and can't write --png "
                         "or --svg pictures; use --series"};
#endif

    PostLog log;
    PostList selection;
    if (!loadPosts(log, selection, common)) {
        writeAnalysisLogToStderr();
        return kExitFailed;
    }
    ChartPainter painter;
    std::unique_ptr<GraphKind> kind = createGraphKind(sw.kind, painter, nullptr);
    if (auto* cumulative = dynamic_cast<CumulativeGraph*>(kind.get()); cumulative && sw.showTotal)
        cumulative->setShowTotal(*sw.showTotal);
    kind->attach(&selection);

    if (sw.series) {
        writeText(kind->seriesText(sw.width, sw.height), false);
        return kExitOk;
    }
#ifdef LORVANEL_CLI_PNG
    OffscreenGui gui;
    if (clicks && sw.png.empty() && sw.svg.empty()) {
        // Drawn with the fonts of the picture, so that labels lie where the program shows them.
        drawGraphOffscreen(*kind, painter, sw.width, sw.height);
        writeClicks(*kind, sw);
        return kExitOk;
    }
    std::string error;
    const std::string& path = sw.png.empty() ? sw.svg : sw.png;
    const bool written = sw.png.empty()
                             ? writeGraphSvg(*kind, painter, sw.width, sw.height, path, error)
                             : writeGraphPng(*kind, painter, sw.width, sw.height, path, error);
    if (!written) {
        std::fprintf(stderr, "lorvanel-cli: %s: %s\n",
                     path == "-" ? "standard output" : path.c_str(), error.c_str());
        return kExitFailed;
    }
    if (clicks) writeClicks(*kind, sw);
#else
    // Without Qt Gui the labels are measured roughly; the cells lie where the program has them.
    NullSurface surface;
    painter.begin(surface, {0, 0, sw.width, sw.height});
    kind->draw();
    writeClicks(*kind, sw);
#endif
    return kExitOk;
}

const CommandRegistration registration({
    "graph",
    "  graph --kind 0|1|2|3|4 [--limit-mb N] [--filter TEXT] [--show-total 0|1] [--size WxH]\n"
    "        (--series | --png FILE | --svg FILE | --click X,Y...) FILE...\n"
    "      Draws a graph of the posts (all, or those the filter selects): 0 cumulative posts\n"
    "      per day and board, 1 posts per day with moving averages, 2 time of day against\n"
    "      date, 3 a calendar of posts per day, 4 posts by weekday and hour. --series prints\n"
    "      what is drawn (title, axes, ticks, series, density map; the days and levels of\n"
    "      kind 3, the cells of kind 4) as tab-separated lines; --png and --svg write the\n"
    "      picture (default size 640x480; FILE \"-\" is standard output). --show-total 0\n"
    "      leaves out the whole selection's line of kind 0. --click X,Y (repeatable) prints,\n"
    "      one line per click, the filter text that a click at that pixel of the picture\n"
    "      applies, as the filter tree's item for it does (an empty line where a click\n"
    "      selects nothing): a day, a month's or a year's label of kind 3; a cell (hour and\n"
    "      weekday), a weekday's or an hour's label or total of kind 4; the day under the\n"
    "      pointer of kinds 1 and 2; a board's legend entry of kind 0.",
    60,
    &runGraph,
});

} // namespace

} // namespace lorvanel::cli
