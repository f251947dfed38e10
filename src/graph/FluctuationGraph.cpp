#include "graph/FluctuationGraph.h"

#include "graph/ChartPainter.h"
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
    const PostList* posts = selection();
    if (!posts || posts->size() < 2) return;
    const DayRange range = DayRange::of(*posts->front(), *posts->back());
    const int days = range.days;

    const std::vector<float> daily = dailyCounts(*posts, range);
    std::vector<float> week;
    std::vector<float> month;
    if (days >= 14) week = resampled(movingAverage(daily, 7), kPoints);
    if (days >= 60) month = resampled(movingAverage(daily, 30), kPoints);
    const float mean = static_cast<float>(posts->size()) / static_cast<float>(days);
    const std::vector<float> average{mean, mean};

    chart.setTitle(name());
    chart.setDateRange(posts->front()->time, posts->back()->time);
    float top = 0;
    if (days > 180) {
        const float largestWeek = week.empty() ? 0.0f : *std::max_element(week.begin(), week.end());
        top = std::max(1.7f * largestWeek, 5.0f);
    } else {
        top = *std::max_element(daily.begin(), daily.end());
    }
    chart.setValueRange(0, truncatedMaximum(top));
    chart.drawFrame(true, true, {208, 208, 208});

    int index = 0;
    chart.drawSeries(index++, "1day", daily, {96, 96, 96}, 1);
    if (days >= 14) chart.drawSeries(index++, "7days average", week, {0, 0, 255}, 2);
    if (days >= 60) chart.drawSeries(index++, "30days average", month, {255, 0, 0}, 2);
    chart.drawSeries(index++, "total average", average, {0, 255, 0}, 1);
}

} // namespace lorvanel
