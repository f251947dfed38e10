#pragma once
// A record of what the chart painter was asked to draw, for the CLI's --series text and for
// tests: the axes and title at the frame, the date ticks, each series and the density map.
#include "graph/ChartAxis.h"
#include "graph/DateTicks.h"
#include "graph/DensityMap.h"
#include "graph/Surface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lorvanel {

struct ChartTrace {
    struct Series {
        int index = 0;
        std::string name;
        Rgb colour;
        int width = 1;
        std::vector<float> values;
    };

    bool frameDrawn = false;
    std::string title;
    ChartAxis x;
    ChartAxis y;
    bool fill = false;
    bool grid = false;
    Rgb gridColour;
    std::vector<DateTick> ticks;
    std::vector<Series> series;
    bool densityDrawn = false;
    std::size_t densityPoints = 0;
    int densityMaximum = 0;
    std::vector<std::uint8_t> densityIndices; // palette index per cell, row 0 first

    bool empty() const { return !frameDrawn && series.empty() && !densityDrawn; }

    // The --series text (CP932, LF): title, axes, frame and ticks, then the series and the
    // density map; "blank\n" when nothing was drawn.
    std::string text() const;
};

} // namespace lorvanel
