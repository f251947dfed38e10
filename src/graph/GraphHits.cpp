#include "graph/GraphHits.h"

#include "graph/ChartPainter.h"
#include "platform/LocalTime.h"
#include "stats/FilterTexts.h"

namespace lorvanel {

std::string dayFilterUnder(const ChartPainter& painter, int x, int y) {
    const std::optional<Time32> t = painter.dateAt(x, y);
    if (!t) return {};
    return dayNumberFilterText(toLocalTime(*t).dayNumber);
}

} // namespace lorvanel
