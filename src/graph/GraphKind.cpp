#include "graph/GraphKind.h"

#include "graph/ChartPainter.h"
#include "graph/ChartTrace.h"
#include "graph/NullSurface.h"

namespace lorvanel {

std::optional<GraphReadout> GraphKind::readout(int x, int y) const {
    return painter_.readout(x, y);
}

std::string GraphKind::seriesText(int width, int height) {
    ChartTrace trace;
    NullSurface surface;
    painter_.setTrace(&trace);
    painter_.begin(surface, {0, 0, width, height});
    draw();
    painter_.setTrace(nullptr);
    return trace.text();
}

} // namespace lorvanel
