#include "graph/FluctuationGraph.h"

#include "graph/ChartPainter.h"
#include "graph/GraphHits.h"
#include "graph/GraphSeries.h"

#include <algorithm>
#include <climits>

namespace lorvanel {

namespace {

constexpr std::size_t kPoints = 200;

int truncatedMaximum(float v) {
    if (!(v > 0)) return 0;
    if (v >= static_cast<float>(INT_MAX)) return INT_MAX;
    return static_cast<int>(v);
}

} // namespace

std::string FluctuationGraph::name() {
    return "日別書き込み回数の変動推移";
}

void FluctuationGraph::draw() {
    ChartPainter& chart = painter();
    chart.clear();
    refreshSeries();
    if (!charted_) return;
    chart.setTitle(name());
    chart.setDateRange(first_, last_);
    chart.setValueRange(0, top_);
    chart.drawFrame(true, true, {208, 208, 208});

    int index = 0;
    chart.drawSeries(index++, "1day", daily_, {96, 96, 96}, 1);
    if (days_ >= 14) chart.drawSeries(index++, "7days average", week_, {0, 0, 255}, 2);
    if (days_ >= 60) chart.drawSeries(index++, "30days average", month_, {255, 0, 0}, 2);
    chart.drawSeries(index++, "total average", average_, {0, 255, 0}, 1);
}

void FluctuationGraph::computeSeries() {
    charted_ = false;
    daily_.clear();
    week_.clear();
    month_.clear();
    average_.clear();
    const PostList* posts = selection();
    if (!posts || posts->size() < 2) return;
    const DayRange range = DayRange::of(*posts->front(), *posts->back());
    days_ = range.days;
    first_ = posts->front()->time;
    last_ = posts->back()->time;

    daily_ = dailyCounts(*posts, range);
    if (days_ >= 14) week_ = resampled(movingAverage(daily_, 7), kPoints);
    if (days_ >= 60) month_ = resampled(movingAverage(daily_, 30), kPoints);
    const float mean = static_cast<float>(posts->size()) / static_cast<float>(days_);
    average_ = {mean, mean};

    float top = 0;
    if (days_ > 180) {
        const float largestWeek =
            week_.empty() ? 0.0f : *std::max_element(week_.begin(), week_.end());
        top = std::max(1.7f * largestWeek, 5.0f);
    } else {
        top = *std::max_element(daily_.begin(), daily_.end());
    }
    top_ = truncatedMaximum(top);
    charted_ = true;
}

std::string FluctuationGraph::filterAt(int x, int y) const {
    return dayFilterUnder(painter(), x, y);
}

} // namespace lorvanel
