#pragma once
// Drawing helpers of the graph kinds that paint cells of their own (the calendar and the
// weekday × hour map) rather than the chart painter's plot: the whole paint area and the
// title placed as the painter places its own.
#include "graph/Surface.h"

#include <string_view>

namespace lorvanel {

class ChartPainter;

// The rectangle the painter was begun with (its plot rectangle less the painter's margins).
SurfaceRect paintArea(const ChartPainter& painter);

// The title in the title font, centred across the area, its top 16 px below the area's top
// (where the chart painter puts a title over a plot 40 px down). Leaves the title font set.
void drawTitle(Surface& s, const SurfaceRect& area, std::string_view title);

// Black text with its top left corner at (x, y) in the current font.
inline void drawTextAt(Surface& s, int x, int y, std::string_view text) {
    s.drawText(x, y, text, kBlack);
}

} // namespace lorvanel
