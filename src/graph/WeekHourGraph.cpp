#include "graph/WeekHourGraph.h"

#include "graph/CalendarModel.h"
#include "graph/CellGraphDrawing.h"
#include "graph/ChartPainter.h"
#include "graph/DensityMap.h"
#include "input/PostList.h"
#include "stats/CalendarText.h"
#include "stats/FilterTexts.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace lorvanel {

std::string WeekHourGraph::name() {
    return "曜日・時間帯の分布";
}

int WeekHourGraph::paletteIndex(int count, int largest) {
    if (largest <= 0 || count <= 0) return 0;
    const long long index = 19LL * count / largest;
    return static_cast<int>(std::min(index, 19LL));
}

void WeekHourGraph::computeSeries() {
    const PostList* posts = selection();
    model_ = posts ? buildWeekHour(*posts) : WeekHourModel{};
}

void WeekHourGraph::draw() {
    ChartPainter& chart = painter();
    chart.clear();
    layout_.reset();
    const PostList* posts = selection();
    if (!posts || posts->empty()) return;
    // The painter holds the title of what was drawn, as for the other kinds.
    chart.setTitle(name());
    Surface* surface = chart.surface();
    if (!surface) return;
    refreshSeries();
    const SurfaceRect area = paintArea(chart);
    const WeekHourLayout l = layoutWeekHour(area.left, area.top, area.right, area.bottom);
    layout_ = l;

    Surface& s = *surface;
    drawTitle(s, area, name());
    s.setFont(ChartPainter::labelFont());

    // Hour numbers above the columns, every k-th when the cells are narrower than "23".
    const int hourWidth = s.measureText("23").width + 2;
    const int hourStep = std::max(1, (hourWidth + l.cellWidth - 1) / l.cellWidth);
    for (int h = 0; h < 24; h += hourStep) {
        const std::string text = std::to_string(h);
        const TextSize size = s.measureText(text);
        drawTextAt(s, l.cellX(h) + (l.cellWidth - size.width) / 2, l.cellTop - size.height - 2,
                   text);
    }

    // Cells (a 1-px white seam between them when they are large enough to spare it), the
    // weekday names at the left and the weekday totals at the right.
    const int seam = l.cellWidth > 3 && l.cellHeight > 3 ? 1 : 0;
    for (int w = 0; w < 7; ++w) {
        const int y = l.cellY(w);
        for (int h = 0; h < 24; ++h) {
            const int x = l.cellX(h);
            s.fillRect(
                {x, y, x + l.cellWidth - seam, y + l.cellHeight - seam},
                DensityMap::paletteColour(paletteIndex(model_.counts[w][h], model_.largest)));
        }
        const TextSize name = s.measureText(weekdayName(w));
        drawTextAt(s, l.cellLeft - 6 - name.width, y + (l.cellHeight - name.height) / 2,
                   weekdayName(w));
        const std::string total = std::to_string(model_.weekdayTotals[w]);
        drawTextAt(s, l.gridRight() + 6, y + (l.cellHeight - s.measureText(total).height) / 2,
                   total);
    }

    // Hour totals below the columns; when one is wider than its column they alternate
    // between two lines.
    int widest = 0;
    for (int h = 0; h < 24; ++h)
        widest = std::max(widest, s.measureText(std::to_string(model_.hourTotals[h])).width);
    const bool stagger = widest + 2 > l.cellWidth;
    for (int h = 0; h < 24; ++h) {
        const std::string total = std::to_string(model_.hourTotals[h]);
        const TextSize size = s.measureText(total);
        const int y = l.gridBottom() + 3 + (stagger && h % 2 ? size.height + 1 : 0);
        drawTextAt(s, l.cellX(h) + (l.cellWidth - size.width) / 2, y, total);
    }
}

std::optional<GraphReadout> WeekHourGraph::readout(int x, int y) const {
    if (!layout_) return std::nullopt;
    const std::optional<WeekHourHit> hit = layout_->hitAt(x, y);
    if (!hit) return std::nullopt;
    if (hit->hour < 0)
        return GraphReadout{std::string(weekdayName(hit->weekday)) + "曜日",
                            postCountText(model_.weekdayTotals[hit->weekday])};
    if (hit->weekday < 0)
        return GraphReadout{std::to_string(hit->hour) + "時",
                            postCountText(model_.hourTotals[hit->hour])};
    return GraphReadout{weekHourText(hit->weekday, hit->hour),
                        postCountText(model_.counts[hit->weekday][hit->hour])};
}

std::string WeekHourGraph::filterAt(int x, int y) const {
    if (!layout_) return {};
    const std::optional<WeekHourHit> hit = layout_->hitAt(x, y);
    if (!hit) return {};
    if (hit->hour < 0) return weekdayFilterText(hit->weekday);
    if (hit->weekday < 0) return hourFilterText(hit->hour);
    // The text of the hour's and the weekday's items selected together in the filter tree,
    // whose hour branch comes before its weekday branch.
    return "(" + hourFilterText(hit->hour) + ")&(" + weekdayFilterText(hit->weekday) + ")";
}

std::string WeekHourGraph::seriesText(int, int) {
    const PostList* posts = selection();
    if (!posts || posts->empty()) return "blank\n";
    const WeekHourModel model = buildWeekHour(*posts);
    std::string out = "title\t" + name() + "\n";
    char line[64];
    for (int w = 0; w < 7; ++w) {
        for (int h = 0; h < 24; ++h) {
            std::snprintf(line, sizeof line, "cell\t%d\t%d\t%d\n", w + 1, h, model.counts[w][h]);
            out += line;
        }
    }
    return out;
}

} // namespace lorvanel
