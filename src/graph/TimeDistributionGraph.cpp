#include "graph/TimeDistributionGraph.h"

#include "graph/ChartPainter.h"
#include "graph/GraphHits.h"
#include "graph/GraphSeries.h"
#include "graph/LocalTimeCursor.h"
#include "input/PostList.h"

#include <cstdint>
#include <cstdio>

namespace lorvanel {

std::string TimeDistributionGraph::name() {
    return "書き込み時間の分布";
}

void TimeDistributionGraph::draw() {
    ChartPainter& chart = painter();
    chart.clear();
    refreshSeries();
    if (!charted_) return;
    chart.setTitle(name());
    for (int hour = 0; hour <= 24; ++hour) {
        char label[16];
        std::snprintf(label, sizeof label, "%d時", hour);
        chart.addYLabel(label);
    }
    chart.setDateRange(first_, last_);
    chart.drawDensity(points_);
    chart.drawFrame(false, false, kBlack);
}

void TimeDistributionGraph::computeSeries() {
    charted_ = false;
    points_.clear();
    const PostList* posts = selection();
    if (!posts || posts->empty()) return;
    const Time32 first = posts->front()->time;
    const Time32 last = posts->back()->time;
    first_ = first;
    last_ = last;

    // x in whole minutes from the first post; a range within one minute has no positions,
    // so it draws no points.
    const std::int64_t spanMinutes = (static_cast<std::int64_t>(last) - first) / 60;
    if (spanMinutes > 0) {
        points_.reserve(posts->size());
        LocalTimeCursor cursor;
        forEachPost(*posts, [&](const PostRecord& p) {
            const std::int64_t minutes = (static_cast<std::int64_t>(p.time) - first) / 60;
            const LocalDaySecond local = cursor.at(p.time);
            points_.push_back({static_cast<double>(minutes) / static_cast<double>(spanMinutes),
                               (local.hour() * 60 + local.minute()) / 1440.0});
        });
    }
    charted_ = true;
}

std::string TimeDistributionGraph::filterAt(int x, int y) const {
    return dayFilterUnder(painter(), x, y);
}

} // namespace lorvanel
