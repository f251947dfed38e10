#include "graph/ChartPainter.h"

#include "graph/ChartTrace.h"
#include "graph/DateTicks.h"
#include "platform/LocalTime.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace lorvanel {

namespace {

constexpr Rgb kPlotFill{239, 239, 239};
constexpr Rgb kMonthTick{80, 80, 80};

// A pixel coordinate from a double that may lie far outside any surface.
int pixel(double v) {
    if (!(v == v)) return 0;
    return static_cast<int>(std::clamp(v, -1.0e6, 1.0e6));
}

// Liang-Barsky clipping of a segment to a rectangle, edges included: the part inside as the
// fractions of the segment where it starts and ends; nothing when the segment misses it.
std::optional<std::pair<double, double>> clipSegment(double x1, double y1, double x2, double y2,
                                                     double left, double top, double right,
                                                     double bottom) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0;
    double t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return {}; // parallel to this edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return {};
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return {};
            t1 = std::min(t1, t);
        }
    }
    return std::pair{t0, t1};
}

} // namespace

ChartPainter::ChartPainter() = default;

const FontSpec& ChartPainter::labelFont() {
    static const FontSpec font{"ＭＳＰゴシック", 12, 5, 400, false};
    return font;
}

const FontSpec& ChartPainter::titleFont() {
    static const FontSpec font{"ＭＳＰゴシック", 16, 0, 700, false};
    return font;
}

const FontSpec& ChartPainter::tickFont() {
    static const FontSpec font{"Terminal", 11, 0, 400, true};
    return font;
}

void ChartPainter::begin(Surface& surface, const SurfaceRect& rect) {
    surface_ = &surface;
    // Margins for the title, the labels and the ticks; a surface too small for them gets an
    // empty plot at its corner rather than one turned inside out.
    plot_ = {rect.left + 50, rect.top + 40, rect.right - 40, rect.bottom - 50};
    plot_.right = std::max(plot_.left, plot_.right);
    plot_.bottom = std::max(plot_.top, plot_.bottom);
    drawnLines_.clear();
}

void ChartPainter::clear() {
    title_.clear();
    x_ = ChartAxis{};
    y_ = ChartAxis{};
    legend_.clear();
    drawnLines_.clear();
}

void ChartPainter::setTitle(std::string text) {
    title_ = std::move(text);
}

void ChartPainter::addYLabel(std::string text) {
    y_.mode = ChartAxis::Mode::Label;
    y_.labels.push_back(std::move(text));
}

void ChartPainter::setDateRange(Time32 first, Time32 last) {
    x_ = ChartAxis{};
    x_.mode = ChartAxis::Mode::Date;
    x_.start = first;
    x_.end = last;
    x_.labels = {formatLocalTime(first, "%y/%m/%d"), formatLocalTime(last, "%y/%m/%d")};
}

void ChartPainter::setValueRange(int minimum, int maximum) {
    NiceScale scale = niceScale(maximum);
    y_ = ChartAxis{};
    y_.mode = ChartAxis::Mode::Value;
    y_.labels = std::move(scale.labels);
    y_.minimum = minimum;
    y_.maximum = scale.top;
}

void ChartPainter::drawFrame(bool fill, bool grid, Rgb gridColour) {
    if (trace_) {
        trace_->frameDrawn = true;
        trace_->title = title_;
        trace_->x = x_;
        trace_->y = y_;
        trace_->fill = fill;
        trace_->grid = grid;
        trace_->gridColour = gridColour;
        trace_->ticks.clear();
        if (x_.mode == ChartAxis::Mode::Date)
            trace_->ticks = dateTicks(x_.start, x_.end, plot_.left, plot_.right);
    }
    if (!surface_) return;
    Surface& s = *surface_;

    s.setFont(titleFont());
    if (!title_.empty()) {
        const TextSize size = s.measureText(title_);
        s.drawText(plot_.left + (plot_.width() - size.width) / 2, plot_.top - 24, title_, kBlack);
    }
    s.setFont(labelFont());
    if (fill) s.fillRect(plot_, kPlotFill);

    if (y_.labels.size() >= 2) {
        const double spacing = static_cast<double>(plot_.height()) / (y_.labels.size() - 1);
        // A plot too low for a label at every line labels every second (third...) one, from
        // the bottom, so that no two labels overlap; the lines stay.
        const int textHeight = s.measureText(y_.labels.front()).height;
        const std::size_t every = spacing >= textHeight || spacing <= 0
                                      ? 1
                                      : static_cast<std::size_t>(std::ceil(textHeight / spacing));
        for (std::size_t k = 0; k < y_.labels.size(); ++k) {
            const int y = pixel(plot_.bottom - k * spacing);
            if (k % every == 0) {
                const TextSize size = s.measureText(y_.labels[k]);
                s.drawText(plot_.left - size.width - 2, y - size.height / 2, y_.labels[k], kBlack);
            }
            if (grid) s.drawLine(plot_.left + 1, y, plot_.right - 1, y, gridColour, 1);
        }
    }
    if (x_.labels.size() >= 2) {
        const double spacing = static_cast<double>(plot_.width()) / (x_.labels.size() - 1);
        std::vector<SurfaceRect> labelBoxes;
        for (std::size_t k = 0; k < x_.labels.size(); ++k) {
            const int x = pixel(plot_.left + k * spacing);
            const TextSize size = s.measureText(x_.labels[k]);
            const int y = plot_.bottom + size.height + 4;
            s.drawText(x - size.width / 2, y, x_.labels[k], kBlack);
            labelBoxes.push_back(
                {x - size.width / 2, y, x - size.width / 2 + size.width, y + size.height});
        }
        if (x_.mode == ChartAxis::Mode::Date) drawDateTicks(gridColour, labelBoxes);
    }
    s.frameRect(plot_, kBlack);
}

void ChartPainter::drawDateTicks(Rgb gridColour, std::span<const SurfaceRect> ends) {
    Surface& s = *surface_;
    const FontSpec previous = s.font();
    const int top = plot_.top;
    const int bottom = plot_.bottom;
    // A tick's text that would meet one of the dates at the axis' ends is left out (its tick
    // stays), as happens in a narrow plot.
    s.setFont(tickFont());
    const auto drawTickText = [&](int x, int y, const std::string& text) {
        const TextSize size = s.measureText(text);
        const SurfaceRect box{x - size.width / 2, y, x - size.width / 2 + size.width,
                              y + size.height};
        for (const SurfaceRect& end : ends)
            if (box.left < end.right && end.left < box.right && box.top < end.bottom &&
                end.top < box.bottom)
                return;
        s.drawText(box.left, y, text, kBlack);
    };
    for (const DateTick& tick : dateTicks(x_.start, x_.end, plot_.left, plot_.right)) {
        const int x = tick.x;
        switch (tick.kind) {
        case DateTick::Kind::January: {
            s.drawLine(x, top + 1, x, bottom - 1, gridColour, 1);
            s.fillRect({x - 1, bottom, x + 1, bottom + 9}, kBlack);
            drawTickText(x, bottom + 10, tick.text);
            break;
        }
        case DateTick::Kind::July:
            s.fillRect({x - 1, bottom, x + 1, bottom + 6}, kBlack);
            break;
        case DateTick::Kind::Month:
            s.drawLine(x, bottom, x, bottom + 6, kMonthTick, 1);
            if (!tick.text.empty()) drawTickText(x, bottom + 7, tick.text);
            break;
        }
    }
    s.setFont(previous);
}

void ChartPainter::drawSeries(int index, std::string_view name, std::span<const float> values,
                              Rgb colour, int width) {
    if (trace_)
        trace_->series.push_back(
            {index, std::string(name), colour, width, {values.begin(), values.end()}});
    if (!surface_) return;
    Surface& s = *surface_;
    const std::size_t n = values.size();
    // Without a value axis above 0 no value has a place; only the legend is drawn.
    if (n >= 2 && y_.mode == ChartAxis::Mode::Value && y_.maximum > 0) {
        const float xstep = static_cast<float>(plot_.width() - 1) / static_cast<float>(n - 1);
        const float yscale =
            static_cast<float>(plot_.height() - 1) / static_cast<float>(y_.maximum);
        float xf = static_cast<float>(plot_.left);
        int px = 0;
        int py = 0;
        for (std::size_t k = 0; k < n; ++k) {
            const int x = pixel(xf);
            const int y = pixel(plot_.bottom - static_cast<double>(yscale * values[k]));
            if (k > 0) drawClippedLine(px, py, x, y, colour, width);
            px = x;
            py = y;
            xf += xstep;
        }
    }
    const int yc = plot_.top + 16 * index + 16;
    // An entry that would pass below the plot is left out rather than drawn over the axis
    // labels; legendEntryAt finds none there.
    if (yc + 8 > plot_.bottom) return;
    const TextSize size = s.measureText(name);
    // So is one that a line drawn so far crosses: in a small plot the lines rise into the
    // legend's corner, and an entry over them would hide both.
    const SurfaceRect entry{plot_.left + 16, std::min(yc - 3, yc - size.height / 2),
                            plot_.left + 50 + size.width,
                            std::max(yc + 3, yc - size.height / 2 + size.height)};
    if (crossesDrawnLine(entry)) return;
    const SurfaceRect swatch{plot_.left + 16, yc - 3, plot_.left + 48, yc + 3};
    s.fillRect(swatch, colour);
    s.frameRect(swatch, kBlack);
    s.drawText(plot_.left + 50, yc - size.height / 2, name, kBlack);
    // The entry's row, from the swatch to the end of the name, for legendEntryAt.
    if (legend_.size() <= static_cast<std::size_t>(index)) legend_.resize(index + 1);
    legend_[index] = {plot_.left + 16, yc - 8, plot_.left + 50 + size.width, yc + 8};
}

void ChartPainter::drawClippedLine(double x1, double y1, double x2, double y2, Rgb colour,
                                   int width) {
    const SurfaceRect& p = plot_;
    const auto t = clipSegment(x1, y1, x2, y2, p.left, p.top, p.right, p.bottom);
    if (!t) return;
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const DrawnSegment segment{
        pixel(std::lround(x1 + t->first * dx)), pixel(std::lround(y1 + t->first * dy)),
        pixel(std::lround(x1 + t->second * dx)), pixel(std::lround(y1 + t->second * dy)), width};
    surface_->drawLine(segment.x1, segment.y1, segment.x2, segment.y2, colour, width);
    drawnLines_.push_back(segment);
}

bool ChartPainter::crossesDrawnLine(const SurfaceRect& r) const {
    return std::any_of(drawnLines_.begin(), drawnLines_.end(), [&](const DrawnSegment& line) {
        // The pen's half width on each side, and a pixel between the line and the entry.
        const int margin = std::max(line.width, 1) / 2 + 1;
        return clipSegment(line.x1, line.y1, line.x2, line.y2, r.left - margin, r.top - margin,
                           r.right + margin, r.bottom + margin)
            .has_value();
    });
}

void ChartPainter::drawDensity(std::span<const DensityPoint> points) {
    if (!points.empty()) density_.compute(points);
    if (trace_) {
        trace_->densityDrawn = true;
        trace_->densityPoints = points.size();
        trace_->densityMaximum = points.empty() ? 0 : density_.maximum();
        trace_->densityIndices.clear();
        if (!points.empty()) {
            const std::span<const std::uint8_t> indices = density_.paletteIndices();
            trace_->densityIndices.assign(indices.begin(), indices.end());
        }
    }
    if (points.empty() || !surface_) return;
    density_.toImage(densityImage_);
    surface_->drawImage(densityImage_, plot_);
}

std::string ChartPainter::axisText(const ChartAxis& axis, double f) const {
    if (f < 0 || f > 1) return {};
    switch (axis.mode) {
    case ChartAxis::Mode::None:
        return {};
    case ChartAxis::Mode::Label: {
        if (axis.labels.empty()) return {};
        const auto i = static_cast<std::size_t>(f * (axis.labels.size() - 1));
        return i < axis.labels.size() ? axis.labels[i] : std::string();
    }
    case ChartAxis::Mode::Value:
        return std::to_string(static_cast<long long>(
            f * (static_cast<double>(axis.maximum) - axis.minimum) + axis.minimum));
    case ChartAxis::Mode::Date:
        return formatLocalTime(dateAxisTime(axis, f), "%y/%m/%d");
    }
    return {};
}

std::optional<std::pair<double, double>> ChartPainter::plotFractions(int x, int y) const {
    if (x_.mode == ChartAxis::Mode::None && y_.mode == ChartAxis::Mode::None) return {};
    if (plot_.width() <= 0 || plot_.height() <= 0) return {};
    if (x < plot_.left || x > plot_.right || y < plot_.top || y > plot_.bottom) return {};
    return std::pair{static_cast<double>(x - plot_.left) / plot_.width(),
                     static_cast<double>(plot_.bottom - y) / plot_.height()};
}

std::optional<GraphReadout> ChartPainter::readout(int x, int y) const {
    const auto f = plotFractions(x, y);
    if (!f) return {};
    return GraphReadout{axisText(x_, f->first), axisText(y_, f->second)};
}

std::optional<Time32> ChartPainter::dateAt(int x, int y) const {
    const auto f = plotFractions(x, y);
    if (!f || x_.mode != ChartAxis::Mode::Date) return {};
    return dateAxisTime(x_, f->first);
}

std::optional<int> ChartPainter::legendEntryAt(int x, int y) const {
    for (std::size_t i = 0; i < legend_.size(); ++i) {
        const SurfaceRect& r = legend_[i];
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i);
    }
    return {};
}

} // namespace lorvanel
