// Every graph kind on surfaces too small for the chart's margins, down to nothing: the plot
// stays a rectangle (possibly empty) inside the surface's corner, the date ticks stay on it,
// and lines and fills are never turned inside out.
#include "RecordingSurface.h"

#include "graph/ChartPainter.h"
#include "graph/ChartTrace.h"
#include "graph/GraphKind.h"
#include "graph/GraphKinds.h"
#include "support/MemoryLog.h"

#include <gtest/gtest.h>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::RecordingSurface;
using lorvanel::testing::SurfaceCall;
using lorvanel::testing::TestPost;

TEST(SmallSurfaces, EveryKindKeepsItsPlotAndTicksInPlace) {
    // Two and a half years, so that the date axis has January, July and month ticks.
    std::vector<TestPost> posts;
    const char* dirs[] = {"news", "software", "anime"};
    for (int i = 0; i < 120; ++i) {
        TestPost p;
        p.time = at(2006, 11, 20) + i * 7 * 86400 + i * 3600;
        p.dir = dirs[i % 3];
        posts.push_back(p);
    }
    PostLog log;
    lorvanel::testing::fillPostLog(log, posts);
    ASSERT_EQ(log.posts.size(), posts.size());

    int ticksSeen = 0;
    for (int width : {0, 1, 20, 42, 50, 89, 90, 91, 140, 200})
        for (int height : {0, 1, 31, 60, 89, 90, 91, 120}) {
            for (int k = 0; k < graphKindCount(); ++k) {
                SCOPED_TRACE(::testing::Message() << width << "x" << height << " kind " << k);
                ChartPainter painter;
                RecordingSurface surface;
                ChartTrace trace;
                auto kind = createGraphKind(k, painter, nullptr);
                kind->attach(&log.posts);
                painter.setTrace(&trace);
                painter.begin(surface, {0, 0, width, height});
                kind->draw();
                const SurfaceRect plot = painter.plot();
                EXPECT_LE(plot.left, plot.right);
                EXPECT_LE(plot.top, plot.bottom);
                for (const DateTick& t : trace.ticks) {
                    EXPECT_GE(t.x, plot.left);
                    EXPECT_LE(t.x, plot.right);
                    ++ticksSeen;
                }
                for (const SurfaceCall& c : surface.calls)
                    if (c.op == SurfaceCall::Op::Fill || c.op == SurfaceCall::Op::Frame) {
                        EXPECT_LE(c.x1, c.x2);
                        EXPECT_LE(c.y1, c.y2);
                    }
                EXPECT_FALSE(kind->seriesText(width, height).empty());
                // Readouts anywhere on and off the surface.
                for (int x = -1; x <= width + 1; x += 7)
                    for (int y = -1; y <= height + 1; y += 5) (void)kind->readout(x, y);
            }
        }
    EXPECT_GT(ticksSeen, 0);
}
