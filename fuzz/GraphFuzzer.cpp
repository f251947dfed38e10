// The graph kinds over random post times and boards, painted on surfaces of random sizes
// down to nothing. Besides surviving, every series value must be finite, every density cell
// a palette index, every date tick inside the plot's width, the plot never inside out, and
// every readout of a drawn kind must come with both texts.
//
// Input: byte 0 the flags (bit 0: the cumulative kind's whole-selection line; bits 1-3 the
// kind; bits 4-7 the surface size), bytes 1-4 the first post's time, then 4 bytes per
// further post: 3 bytes of seconds after the previous post (at least 1) and a board number.
// One kind per input: the time distribution's density map costs more than all the other
// kinds together, and drawing every kind for every input cost the fuzzer most of its runs.
#include "FuzzSupport.h"

#include "graph/CalendarGraph.h"
#include "graph/ChartPainter.h"
#include "graph/ChartTrace.h"
#include "graph/CumulativeGraph.h"
#include "graph/GraphKinds.h"
#include "graph/NullSurface.h"
#include "graph/WeekHourGraph.h"
#include "input/PostList.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

using namespace lorvanel;

namespace {

struct Board {
    const char* server;
    const char* dir;
    std::uint32_t flags;
};

// Boards of the family, unlisted directories, foreign hosts and a post without a board.
constexpr Board kBoards[] = {
    {"hayabusa.2ch.net", "news", PostRecord::kKnownBbs},
    {"medaka.2ch.net", "pcnews", PostRecord::kKnownBbs},
    {"mevius.5ch.net", "tv", PostRecord::kKnownBbs},
    {"kizuna.5ch.net", "ms", PostRecord::kKnownBbs},
    {"a.2ch.net", "b01", PostRecord::kKnownBbs},
    {"a.2ch.net", "b02", PostRecord::kKnownBbs},
    {"a.2ch.net", "b03", PostRecord::kKnownBbs},
    {"a.2ch.net", "b04", PostRecord::kKnownBbs},
    {"a.2ch.net", "b05", PostRecord::kKnownBbs},
    {"a.2ch.net", "b06", PostRecord::kKnownBbs},
    {"a.2ch.net", "b07", PostRecord::kKnownBbs},
    {"tokyo.machi.to", "tokyo", PostRecord::kKnownBbs},
    {"example.com", "board", 0},
    {"example.org", "board", 0},
    {"", "", PostRecord::kKnownBbs},
};

void checkTrace(const ChartTrace& trace, const SurfaceRect& plot) {
    for (const ChartTrace::Series& s : trace.series)
        for (const float v : s.values) FUZZ_CHECK(std::isfinite(v) && v >= 0);
    for (const DateTick& t : trace.ticks) FUZZ_CHECK(t.x >= plot.left && t.x <= plot.right);
    FUZZ_CHECK(trace.densityIndices.empty() ||
               trace.densityIndices.size() ==
                   static_cast<std::size_t>(DensityMap::kColumns) * DensityMap::kRows);
    for (const std::uint8_t i : trace.densityIndices) FUZZ_CHECK(i < DensityMap::kPaletteSize);
    if (trace.densityDrawn && trace.densityPoints > 0) FUZZ_CHECK(trace.densityMaximum > 0);
    if (trace.y.mode == ChartAxis::Mode::Value) FUZZ_CHECK(trace.y.maximum >= trace.y.minimum);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const bool showTotal = data[0] & 1;
    const int kindIndex = (data[0] >> 1 & 7) % graphKindCount();
    // From no surface at all, through sizes smaller than the chart's margins, to a window's.
    static constexpr SurfaceRect kSizes[16] = {
        {0, 0, 0, 0},     {0, 0, 1, 1},     {0, 0, 42, 31},   {0, 0, 89, 90},
        {0, 0, 90, 89},   {0, 0, 91, 91},   {0, 0, 100, 75},  {0, 0, 120, 300},
        {0, 0, 160, 100}, {0, 0, 200, 150}, {0, 0, 240, 180}, {0, 0, 300, 60},
        {0, 0, 354, 202}, {0, 0, 480, 320}, {0, 0, 640, 480}, {0, 0, 1000, 700},
    };
    const SurfaceRect area = kSizes[data[0] >> 4];
    const int width = area.right, height = area.bottom;
    std::int64_t t = static_cast<std::int32_t>(data[1] | data[2] << 8 | data[3] << 16 |
                                               static_cast<std::uint32_t>(data[4]) << 24);
    // Records of a few hundred posts fit one small allocation; an arena's first chunk holds
    // thousands, and allocating it for every input cost a good share of the runs.
    std::vector<PostRecord> records;
    records.reserve((size - 5) / 4 + 1);
    PostList posts;
    auto add = [&](std::uint8_t boardNumber) {
        const Board& board = kBoards[boardNumber % std::size(kBoards)];
        PostRecord* r = &records.emplace_back();
        r->time = static_cast<Time32>(t);
        r->server = board.server;
        r->dir = board.dir;
        r->flags = board.flags;
        r->lineCount = 1;
        addPost(posts, r, nullptr, false);
    };
    add(0);
    for (std::size_t i = 5; i + 4 <= size; i += 4) {
        t += 1 + (data[i] | data[i + 1] << 8 | data[i + 2] << 16);
        if (t > std::numeric_limits<std::int32_t>::max()) break;
        add(data[i + 3]);
    }
    fuzz::checkPostOrder(posts);

    // One painter draws every input, as a graph view keeps one painter for all its draws: its
    // picture buffers then stay allocated between draws as they do in the program.
    static ChartPainter painter;
    NullSurface surface;
    auto kind = createGraphKind(kindIndex, painter, nullptr);
    if (auto* cumulative = dynamic_cast<CumulativeGraph*>(kind.get()))
        cumulative->setShowTotal(showTotal);
    kind->attach(&posts);
    ChartTrace trace;
    painter.setTrace(&trace);
    painter.begin(surface, area);
    kind->draw();
    painter.setTrace(nullptr);
    const SurfaceRect& plot = painter.plot();
    FUZZ_CHECK(plot.left <= plot.right && plot.top <= plot.bottom);
    checkTrace(trace, plot);
    if (!trace.empty()) {
        for (int x = 0; x <= width; x += 37)
            for (int y = 0; y <= height; y += 41)
                if (auto r = kind->readout(x, y)) FUZZ_CHECK(!r->x.empty() && !r->y.empty());
    }
    // The kinds with a series text of their own print it; the others print the trace drawn
    // above, which their seriesText would only draw again.
    if (dynamic_cast<CalendarGraph*>(kind.get()) || dynamic_cast<WeekHourGraph*>(kind.get()))
        FUZZ_CHECK(!kind->seriesText(width, height).empty());
    else
        FUZZ_CHECK(!trace.text().empty());
    return 0;
}
