#include "graph/ChartTrace.h"

#include <algorithm>
#include <cstdio>

namespace lorvanel {

namespace {

void appendf(std::string& out, const char* format, auto... args) {
    char buf[64];
    const int n = std::snprintf(buf, sizeof buf, format, args...);
    if (n > 0) out.append(buf, static_cast<std::size_t>(std::min<int>(n, sizeof buf - 1)));
}

void appendColour(std::string& out, Rgb c) {
    appendf(out, "%d,%d,%d", c.r, c.g, c.b);
}

void appendAxis(std::string& out, const char* name, const ChartAxis& axis) {
    out += name;
    switch (axis.mode) {
    case ChartAxis::Mode::None:
        out += "\tnone";
        break;
    case ChartAxis::Mode::Label:
        out += "\tlabels";
        break;
    case ChartAxis::Mode::Value:
        appendf(out, "\tvalue\t%d\t%d", axis.minimum, axis.maximum);
        break;
    case ChartAxis::Mode::Date:
        appendf(out, "\tdate\t%ld\t%ld", static_cast<long>(axis.start),
                static_cast<long>(axis.end));
        break;
    }
    for (const std::string& label : axis.labels) {
        out += '\t';
        out += label;
    }
    out += '\n';
}

const char* tickKind(DateTick::Kind kind) {
    switch (kind) {
    case DateTick::Kind::January:
        return "january";
    case DateTick::Kind::July:
        return "july";
    case DateTick::Kind::Month:
        break;
    }
    return "month";
}

} // namespace

std::string ChartTrace::text() const {
    if (empty()) return "blank\n";
    std::string out;
    if (frameDrawn) {
        out += "title\t" + title + '\n';
        appendAxis(out, "x", x);
        appendAxis(out, "y", y);
        appendf(out, "frame\t%d\t%d\t", fill ? 1 : 0, grid ? 1 : 0);
        appendColour(out, gridColour);
        out += '\n';
        for (const DateTick& tick : ticks) {
            appendf(out, "tick\t%d\t%s\t", tick.x, tickKind(tick.kind));
            out += tick.text + '\n';
        }
    }
    for (const Series& s : series) {
        appendf(out, "series\t%d\t", s.index);
        out += s.name + '\t';
        appendColour(out, s.colour);
        appendf(out, "\t%d", s.width);
        for (const float v : s.values) appendf(out, "\t%.9g", static_cast<double>(v));
        out += '\n';
    }
    if (densityDrawn) {
        appendf(out, "density\t%zu\t%d\n", densityPoints, densityMaximum);
        static const char kDigits[] = "0123456789abcdefghij";
        if (densityIndices.size() ==
            static_cast<std::size_t>(DensityMap::kColumns) * DensityMap::kRows) {
            out.reserve(out.size() +
                        static_cast<std::size_t>(DensityMap::kColumns + 1) * DensityMap::kRows);
            char line[DensityMap::kColumns + 1];
            line[DensityMap::kColumns] = '\n';
            for (int r = DensityMap::kRows - 1; r >= 0; --r) {
                const std::uint8_t* row = &densityIndices[r * DensityMap::kColumns];
                for (int c = 0; c < DensityMap::kColumns; ++c) line[c] = kDigits[row[c]];
                out.append(line, sizeof line);
            }
        }
    }
    return out;
}

} // namespace lorvanel
