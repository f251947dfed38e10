#pragma once
// Draws a chart in immediate mode onto a Surface: a graph kind clears it, sets the title and
// the axes, draws the frame, then each line series or one density map. The painter knows
// times, numbers and labels, nothing of posts; it also reads axis values at a pixel.
#include "graph/ChartAxis.h"
#include "graph/DensityMap.h"
#include "graph/GraphKind.h"
#include "graph/Surface.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lorvanel {

struct ChartTrace;

class ChartPainter {
public:
    ChartPainter();

    // The surface of this paint; the plot is the rectangle less 50 px left, 40 px top,
    // 40 px right and 50 px bottom, and stays for the readout until the next begin.
    void begin(Surface& surface, const SurfaceRect& rect);
    void clear();
    void setTitle(std::string text);
    void addYLabel(std::string text);
    void setDateRange(Time32 first, Time32 last);
    void setValueRange(int minimum, int maximum);

    void drawFrame(bool fill, bool grid, Rgb gridColour);
    void drawSeries(int index, std::string_view name, std::span<const float> values, Rgb colour,
                    int width);
    void drawDensity(std::span<const DensityPoint> points);

    // The x and y axis texts at a pixel of the last plot; nothing outside it or when no
    // axis is set.
    std::optional<GraphReadout> readout(int x, int y) const;
    // The time the date axis reads at a pixel of the last plot (the readout's x text is its
    // date); nothing outside the plot or without a date axis.
    std::optional<Time32> dateAt(int x, int y) const;
    // The index of the legend entry (swatch and name) drawn since the last clear under a
    // pixel. Entries whose row would not fit above the plot's bottom, or that a line drawn
    // before them crosses, are not drawn; a kind that draws its highest line first (the
    // cumulative total) so keeps every line off the legend.
    std::optional<int> legendEntryAt(int x, int y) const;

    const SurfaceRect& plot() const { return plot_; }
    // The surface of the current paint (null before the first begin), for kinds that draw
    // a picture of their own beside the painter's axes.
    Surface* surface() const { return surface_; }
    const std::string& title() const { return title_; }
    const ChartAxis& xAxis() const { return x_; }
    const ChartAxis& yAxis() const { return y_; }
    const DensityMap& densityMap() const { return density_; }

    // Records every later drawing call into trace (null stops).
    void setTrace(ChartTrace* trace) { trace_ = trace; }

    // The painter's fonts.
    static const FontSpec& labelFont();
    static const FontSpec& titleFont();
    static const FontSpec& tickFont();

private:
    // `ends`: the boxes of the date labels drawFrame put at the axis' ends.
    void drawDateTicks(Rgb gridColour, std::span<const SurfaceRect> ends);
    void drawClippedLine(double x1, double y1, double x2, double y2, Rgb colour, int width);
    std::string axisText(const ChartAxis& axis, double f) const;
    // Where a pixel lies in the last plot, 0 .. 1 from its left and from its bottom.
    std::optional<std::pair<double, double>> plotFractions(int x, int y) const;
    // Whether a rectangle meets a line segment drawn since the last begin or clear.
    bool crossesDrawnLine(const SurfaceRect& r) const;

    Surface* surface_ = nullptr;
    SurfaceRect plot_;
    std::string title_;
    ChartAxis x_;
    ChartAxis y_;
    ChartTrace* trace_ = nullptr;
    DensityMap density_;
    SurfaceImage densityImage_;
    std::vector<SurfaceRect> legend_; // by series index; empty where none was drawn
    struct DrawnSegment {
        int x1, y1, x2, y2, width;
    };
    std::vector<DrawnSegment> drawnLines_; // since the last begin or clear
};

} // namespace lorvanel
