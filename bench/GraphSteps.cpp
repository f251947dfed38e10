#include "GraphSteps.h"

#include "Measure.h"

#include "graph/ChartPainter.h"
#include "graph/GraphKinds.h"
#include "graph/NullSurface.h"
#include "input/PostLog.h"

#ifdef LORVANEL_BENCH_PAINT
#include "paint/GraphImage.h"
#include "paint/GraphImageQt.h"
#endif

#include <stdexcept>

namespace lorvanel::bench {

namespace {
// A kind's paint may take at most this share of the baseline.
constexpr double kPaintTarget = 0.3;
} // namespace

void benchGraphs(Figures& figures, PostLog& log, double baseline, int runs) {
#ifdef LORVANEL_BENCH_PAINT
    OffscreenGui gui;
    const char* paintedOn = "a 640 x 480 QImage through QPainter";
#else
    const char* paintedOn = "a surface that draws nothing (built without Qt Gui)";
#endif
    figures.section(std::string("graphs of the whole Jane 200 MB log; paints on ") + paintedOn);
    ChartPainter painter;
    NullSurface nothing;
    for (int k = 0; k < graphKindCount(); ++k) {
        auto kind = createGraphKind(k, painter, nullptr);
        kind->attach(&log.posts);
        const std::string name = "kind " + std::to_string(k) + " ";
        figures.time(name + "series",
                     bestOf(runs,
                            [&] {
                                painter.begin(nothing, {0, 0, 640, 480});
                                kind->draw();
                            }),
                     baseline, 0);
        if (painter.title().empty()) throw std::runtime_error("a graph of the log drew nothing");
#ifdef LORVANEL_BENCH_PAINT
        figures.time(name + "full paint, 640 x 480",
                     bestOf(runs,
                            [&] {
                                const QImage image = renderGraphImage(*kind, painter, 640, 480);
                                if (image.isNull()) throw std::runtime_error("no graph image");
                            }),
                     baseline, kPaintTarget);
#else
        figures.time(name + "full paint, 640 x 480",
                     bestOf(runs,
                            [&] {
                                painter.begin(nothing, {0, 0, 640, 480});
                                kind->draw();
                            }),
                     baseline, kPaintTarget);
#endif
    }
}

} // namespace lorvanel::bench
