// The three graph kinds over random post times and boards, painted on surfaces of random
// small sizes. Besides surviving, every series value must be finite, every density cell a palette
// index, every date tick inside the plot's width, and every readout of a drawn kind must
// come with both texts.
//
// Input: byte 0 the flags (bit 0: the cumulative kind's whole-selection line; bits 1-7 the
// surface size), bytes 1-4 the first post's time, then 4 bytes per further post: 3 bytes
// of seconds after the previous post (at least 1) and a board number.
#include "FuzzSupport.h"

#include "graph/ChartPainter.h"
#include "graph/ChartTrace.h"
#include "graph/CumulativeGraph.h"
#include "graph/GraphKinds.h"
#include "graph/NullSurface.h"
#include "input/PostArena.h"
#include "input/PostList.h"

#include <cmath>
#include <cstdint>
#include <limits>

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
    // Small surfaces: a picture the size of a window costs the fuzzer most of its executions
    // in painting alone. (At 42x31 the date ticks of some inputs fall outside the plot; the
    // fuzzer keeps to sizes where the painter promises they don't.)
    const int width = 100 + (data[0] >> 1) * 2;
    const int height = 75 + (data[0] >> 1);
    std::int64_t t = static_cast<std::int32_t>(data[1] | data[2] << 8 | data[3] << 16 |
                                               static_cast<std::uint32_t>(data[4]) << 24);
    PostArena arena;
    PostList posts;
    auto add = [&](std::uint8_t boardNumber) {
        const Board& board = kBoards[boardNumber % std::size(kBoards)];
        PostRecord* r = arena.create();
        r->time = static_cast<Time32>(t);
        r->server = board.server;
        r->dir = board.dir;
        r->flags = board.flags;
        r->lineCount = 1;
        addPost(posts, r, &arena, false);
    };
    add(0);
    for (std::size_t i = 5; i + 4 <= size; i += 4) {
        t += 1 + (data[i] | data[i + 1] << 8 | data[i + 2] << 16);
        if (t > std::numeric_limits<std::int32_t>::max()) break;
        add(data[i + 3]);
    }
    fuzz::checkPostOrder(posts);

    ChartPainter painter;
    NullSurface surface;
    for (int k = 0; k < graphKindCount(); ++k) {
        auto kind = createGraphKind(k, painter, nullptr);
        if (auto* cumulative = dynamic_cast<CumulativeGraph*>(kind.get()))
            cumulative->setShowTotal(showTotal);
        kind->attach(&posts);
        ChartTrace trace;
        painter.setTrace(&trace);
        painter.begin(surface, {0, 0, width, height});
        kind->draw();
        painter.setTrace(nullptr);
        checkTrace(trace, painter.plot());
        if (!trace.empty()) {
            for (int x = 0; x <= width; x += 37)
                for (int y = 0; y <= height; y += 41)
                    if (auto r = kind->readout(x, y)) FUZZ_CHECK(!r->x.empty() && !r->y.empty());
        }
        FUZZ_CHECK(!kind->seriesText(width, height).empty());
    }
    return 0;
}
