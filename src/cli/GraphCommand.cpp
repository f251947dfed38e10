// lorvanel-cli graph: what a graph kind draws for the loaded logs, as text (--series) or as
// a PNG or SVG picture (--png, --svg) drawn by the same painter as the graph tab.
#include "cli/CliSupport.h"
#include "cli/Command.h"
#include "cli/FilterOption.h"
#include "doc/CDoc.h"
#include "doc/DocFilter.h"
#include "graph/ChartPainter.h"
#include "graph/CumulativeGraph.h"
#include "graph/GraphKinds.h"
#include "input/AnalysisLog.h"

#ifdef LORVANEL_CLI_PNG
#include "ui/GraphImage.h"
#include "ui/GraphSvgFile.h"
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace lorvanel::cli {

namespace {

struct GraphRequest {
    std::vector<std::string> paths;
    std::uint64_t byteLimit = 0;
    std::optional<std::string> filter; // CP932
    int kind = -1;
    std::optional<bool> showTotal;
    int width = 640;
    int height = 480;
    bool series = false;
    std::string png;
    std::string svg;
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

void parseSize(const std::string& text, GraphRequest& r) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) throw UsageError{"--size needs WIDTHxHEIGHT, not '" + text + "'"};
    r.width = parseNumber(text.substr(0, x), 100, 8000, "--size's width");
    r.height = parseNumber(text.substr(x + 1), 100, 8000, "--size's height");
}

GraphRequest parseRequest(const std::vector<std::string>& args) {
    GraphRequest r;
    ArgCursor cur(args);
    bool optionsEnd = false;
    while (!cur.done()) {
        const std::string& a = cur.next();
        if (optionsEnd || a.empty() || a[0] != '-' || a == "-")
            r.paths.push_back(a);
        else if (a == "--")
            optionsEnd = true;
        else if (a == "--limit-mb")
            r.byteLimit = parseLimitMb(cur.value(a));
        else if (a == "--filter")
            r.filter = filterOptionValue(cur.value(a));
        else if (a == "--kind")
            r.kind = parseNumber(cur.value(a), 0, graphKindCount() - 1, "--kind");
        else if (a == "--show-total")
            r.showTotal = parseNumber(cur.value(a), 0, 1, "--show-total") != 0;
        else if (a == "--size")
            parseSize(cur.value(a), r);
        else if (a == "--series")
            r.series = true;
        else if (a == "--png")
            r.png = cur.value(a);
        else if (a == "--svg")
            r.svg = cur.value(a);
        else
            throw UsageError{"unknown option '" + a + "'"};
    }
    if (r.kind < 0) throw UsageError{"--kind is missing"};
    if (int(r.series) + int(!r.png.empty()) + int(!r.svg.empty()) != 1)
        throw UsageError{"give one of --series, --png FILE and --svg FILE"};
    if (r.paths.empty()) throw UsageError{"no log file given"};
#ifndef LORVANEL_CLI_PNG
    if (!r.png.empty() || !r.svg.empty())
        throw UsageError{"this lorvanel-cli was built without Qt Gui and can't write --png "
                         "or --svg pictures; use --series"};
#endif
    return r;
}

int runGraph(const std::vector<std::string>& args) {
    const GraphRequest request = parseRequest(args);
    CDoc doc;
    bool ok = doc.load(request.paths, false, request.byteLimit);
    if (ok && request.filter) ok = applyFilter(doc, *request.filter);
    if (!ok) {
        writeAnalysisLogToStderr();
        return kExitFailed;
    }

    ChartPainter painter;
    std::unique_ptr<GraphKind> kind = createGraphKind(request.kind, painter, nullptr);
    if (auto* cumulative = dynamic_cast<CumulativeGraph*>(kind.get());
        cumulative && request.showTotal)
        cumulative->setShowTotal(*request.showTotal);
    kind->attach(&doc.selection());

    if (request.series) {
        writeText(kind->seriesText(request.width, request.height), false);
        return kExitOk;
    }
#ifdef LORVANEL_CLI_PNG
    OffscreenGui gui;
    std::string error;
    const std::string& path = request.png.empty() ? request.svg : request.png;
    const bool written =
        request.png.empty()
            ? writeGraphSvg(*kind, painter, request.width, request.height, path, error)
            : writeGraphPng(*kind, painter, request.width, request.height, path, error);
    if (!written) {
        std::fprintf(stderr, "lorvanel-cli: can't write %s: %s\n", path.c_str(), error.c_str());
        return kExitFailed;
    }
#endif
    return kExitOk;
}

const CommandRegistration registration({
    "graph",
    "  graph --kind 0|1|2|3|4 [--limit-mb N] [--filter TEXT] [--show-total 0|1] [--size WxH]\n"
    "        (--series | --png FILE | --svg FILE) FILE...\n"
    "      Draws a graph of the posts (all, or those the filter selects): 0 cumulative posts\n"
    "      per day and board, 1 posts per day with moving averages, 2 time of day against\n"
    "      date, 3 a calendar of posts per day, 4 posts by weekday and hour. --series prints\n"
    "      what is drawn (title, axes, ticks, series, density map; the days and levels of\n"
    "      kind 3, the cells of kind 4) as tab-separated lines; --png and --svg write the\n"
    "      picture (default size 640x480). --show-total 0 leaves out the whole selection's\n"
    "      line of kind 0.",
    60,
    &runGraph,
});

} // namespace

} // namespace lorvanel::cli
