#include "graph/ChartAxis.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace lorvanel {

namespace {

int truncatedInt(double v) {
    if (!(v > std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (v >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(v);
}

} // namespace

NiceScale niceScale(int maximum) {
    NiceScale scale;
    scale.labels.emplace_back("0");
    if (maximum < 1) return scale;
    // e = the integer part of log10(maximum), found without rounding doubts.
    int e = 0;
    std::int64_t power = 1;
    while (power * 10 <= maximum) {
        power *= 10;
        ++e;
    }
    const double r = static_cast<double>(maximum) / static_cast<double>(power);
    const int m = r <= 1 ? 1 : r <= 2 ? 2 : r <= 6 ? 5 : 10;
    const float step = static_cast<float>(m * std::pow(10.0, e - 1));
    // The steps accumulate in single precision, the labels are their integer parts (so a
    // fractional step of a small maximum repeats a label: 0, 0, 1, 1, ...).
    float s = 0;
    do {
        s += step;
        scale.labels.push_back(std::to_string(truncatedInt(s)));
    } while (static_cast<double>(s) < maximum);
    scale.top = truncatedInt(s);
    return scale;
}

bool datePosition(Time32 start, Time32 end, Time32 t, double& position) {
    const std::int64_t spanMinutes = (static_cast<std::int64_t>(end) - start) / 60;
    if (spanMinutes <= 0) return false;
    const std::int64_t minutes = (static_cast<std::int64_t>(t) - start) / 60;
    position = static_cast<double>(minutes) / static_cast<double>(spanMinutes);
    return true;
}

Time32 dateAxisTime(const ChartAxis& axis, double f) {
    const std::int64_t spanMinutes = (static_cast<std::int64_t>(axis.end) - axis.start) / 60;
    const auto minutes = static_cast<std::int64_t>(f * static_cast<double>(spanMinutes));
    return static_cast<Time32>(axis.start + minutes * 60);
}

} // namespace lorvanel
