#include "graph/CellGraphDrawing.h"

#include "graph/ChartPainter.h"

namespace lorvanel {

SurfaceRect paintArea(const ChartPainter& painter) {
    const SurfaceRect& plot = painter.plot();
    return {plot.left - 50, plot.top - 40, plot.right + 40, plot.bottom + 50};
}

void drawTitle(Surface& s, const SurfaceRect& area, std::string_view title) {
    s.setFont(ChartPainter::titleFont());
    const TextSize size = s.measureText(title);
    s.drawText(area.left + (area.width() - size.width) / 2, area.top + 16, title, kBlack);
}

} // namespace lorvanel
