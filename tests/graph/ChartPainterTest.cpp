// The chart painter against a recording surface: scales, frame, date ticks, series with
// clipping and legend, the density map and the readout.
#include "RecordingSurface.h"

#include "graph/ChartPainter.h"
#include "graph/ChartTrace.h"
#include "support/MemoryLog.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

using namespace lorvanel;
using lorvanel::testing::at;
using lorvanel::testing::RecordingSurface;
using lorvanel::testing::SurfaceCall;
using Op = SurfaceCall::Op;

namespace {

std::vector<std::string> labelsOf(int maximum) {
    return niceScale(maximum).labels;
}

std::vector<std::string> countUp(int from, int to, int step) {
    std::vector<std::string> out;
    for (int v = from; v <= to; v += step) out.push_back(std::to_string(v));
    return out;
}

struct Chart {
    RecordingSurface surface;
    ChartPainter painter;
    ChartTrace trace;
    Chart() {
        painter.begin(surface, {0, 0, 640, 480}); // plot (50, 40, 600, 430)
        painter.setTrace(&trace);
    }
    std::vector<DateTick> ticks(Time32 first, Time32 last) {
        painter.clear();
        painter.setDateRange(first, last);
        painter.drawFrame(true, true, {208, 208, 208});
        return trace.ticks;
    }
};

} // namespace

TEST(NiceScale, StepsOfOneTwoOrFiveTimesAPowerOfTen) {
    EXPECT_EQ(labelsOf(37), countUp(0, 40, 5));
    EXPECT_EQ(niceScale(37).top, 40);
    EXPECT_EQ(labelsOf(100), countUp(0, 100, 10));
    EXPECT_EQ(labelsOf(101), countUp(0, 120, 20));
    EXPECT_EQ(niceScale(101).top, 120);
    EXPECT_EQ(labelsOf(9), countUp(0, 9, 1));
    EXPECT_EQ(labelsOf(61), countUp(0, 70, 10));
    EXPECT_EQ(labelsOf(1000), countUp(0, 1000, 100));
    EXPECT_EQ(labelsOf(2500), countUp(0, 2500, 500));
    EXPECT_EQ(labelsOf(2501), countUp(0, 3000, 500));
}

TEST(NiceScale, FractionalStepsLabelTheirIntegerPartsAndKeepTheMaximum) {
    // Maximum 5: step 0.5, labels of the integer parts; the axis ends at 5.
    EXPECT_EQ(labelsOf(5),
              (std::vector<std::string>{"0", "0", "1", "1", "2", "2", "3", "3", "4", "4", "5"}));
    EXPECT_EQ(niceScale(5).top, 5);
    EXPECT_EQ(niceScale(1).top, 1);
    EXPECT_EQ(niceScale(2).top, 2);
    // Nothing to scale: a single label and a top of 0; huge maxima don't overflow.
    EXPECT_EQ(labelsOf(0), std::vector<std::string>{"0"});
    EXPECT_EQ(niceScale(-3).top, 0);
    EXPECT_GE(niceScale(INT_MAX).top, 2000000000);
}

TEST(ChartPainter, FrameDrawsTitleFillLabelsGridAndBorder) {
    Chart c;
    c.painter.setTitle("abc");
    c.painter.setValueRange(0, 37);
    c.painter.drawFrame(true, true, {208, 208, 208});
    const auto& calls = c.surface.calls;
    ASSERT_FALSE(calls.empty());
    // Title: title font, centred over the plot, 24 px above it.
    const SurfaceCall* title = c.surface.textCall("abc");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->font, ChartPainter::titleFont());
    EXPECT_EQ(title->x1, 50 + (550 - 18) / 2);
    EXPECT_EQ(title->y1, 16);
    // The plot fill comes before the labels; the border comes last.
    EXPECT_EQ(c.surface.of(Op::Fill).front().colour, (Rgb{239, 239, 239}));
    EXPECT_EQ(calls.back().op, Op::Frame);
    EXPECT_EQ((SurfaceRect{calls.back().x1, calls.back().y1, calls.back().x2, calls.back().y2}),
              (SurfaceRect{50, 40, 600, 430}));
    // Nine labels from the bottom (0) to the top (40), right-aligned 2 px left of the plot,
    // each with a grid line across the plot.
    const SurfaceCall* top = c.surface.textCall("40");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->font, ChartPainter::labelFont());
    EXPECT_EQ(top->x1, 50 - 12 - 2);
    EXPECT_EQ(top->y1, 40 - 6);
    const SurfaceCall* zero = c.surface.textCall("0");
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(zero->y1, 430 - 6);
    const auto lines = c.surface.of(Op::Line);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0].y1, 430);
    EXPECT_EQ(lines[8].y1, 40);
    EXPECT_EQ(lines[4].x1, 51);
    EXPECT_EQ(lines[4].x2, 599);
    EXPECT_EQ(lines[4].colour, (Rgb{208, 208, 208}));
}

TEST(ChartPainter, FrameWithoutFillOrGridDrawsNeither) {
    Chart c;
    c.painter.setValueRange(0, 10);
    c.painter.drawFrame(false, false, kBlack);
    EXPECT_TRUE(c.surface.of(Op::Fill).empty());
    EXPECT_TRUE(c.surface.of(Op::Line).empty());
    EXPECT_EQ(c.surface.of(Op::Frame).size(), 1u);
}

TEST(ChartPainter, DateTicksAcrossYearsMarkJanuaryAndJulyAndUnnumberedMonths) {
    Chart c;
    const auto ticks = c.ticks(at(2006, 11, 20), at(2008, 3, 5));
    std::string kinds;
    for (const DateTick& t : ticks)
        kinds += t.kind == DateTick::Kind::January ? 'J'
                 : t.kind == DateTick::Kind::July  ? 'Y'
                                                   : 'm';
    // December 2006 (no November), all of 2007, then January to March 2008.
    EXPECT_EQ(kinds, "mJmmmmmYmmmmmJmm");
    EXPECT_EQ(ticks[1].text, "07");
    EXPECT_EQ(ticks[13].text, "08");
    for (const DateTick& t : ticks)
        if (t.kind != DateTick::Kind::January) {
            EXPECT_EQ(t.text, "");
        }
    for (std::size_t i = 1; i < ticks.size(); ++i) EXPECT_GT(ticks[i].x, ticks[i - 1].x);

    // The January 2007 tick: a grid line through the plot, a 2-px bar and the year in the
    // tick font under it.
    const int x = ticks[1].x;
    bool line = false, bar = false;
    for (const SurfaceCall& call : c.surface.calls) {
        if (call.op == Op::Line && call.x1 == x && call.y1 == 41 && call.y2 == 429) line = true;
        if (call.op == Op::Fill && call.x1 == x - 1 && call.x2 == x + 1 && call.y1 == 430 &&
            call.y2 == 439)
            bar = true;
    }
    EXPECT_TRUE(line);
    EXPECT_TRUE(bar);
    const SurfaceCall* year = c.surface.textCall("07");
    ASSERT_NE(year, nullptr);
    EXPECT_EQ(year->font, ChartPainter::tickFont());
    EXPECT_EQ(year->y1, 440);
    EXPECT_EQ(year->x1, x - 6);
    // The tick font is put back: the border is the last call and the date labels used the
    // label font.
    EXPECT_EQ(c.surface.textCall("06/11/20")->font, ChartPainter::labelFont());
}

TEST(ChartPainter, DateTicksWithinOneYearCarryMonthNumbers) {
    Chart c;
    const auto ticks = c.ticks(at(2008, 2, 10), at(2008, 9, 30));
    ASSERT_EQ(ticks.size(), 7u);
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(ticks[i].kind, DateTick::Kind::Month);
        EXPECT_EQ(ticks[i].text, std::to_string(i + 3));
    }
    // The month number sits 7 px under the plot, the tick is dark grey.
    const SurfaceCall* march = c.surface.textCall("3");
    ASSERT_NE(march, nullptr);
    EXPECT_EQ(march->y1, 437);
    // Position in whole minutes: midnight of 1 March is 19.5 of the 233 days of the axis
    // (noon to noon).
    const double f = 19.5 * 1440 / (233.0 * 1440);
    EXPECT_EQ(ticks[0].x, static_cast<int>(50 + f * 550));
}

TEST(ChartPainter, LongAxesShowOnlyJanuaryAndJulyAndShortOnesNoTicks) {
    Chart c;
    const auto ticks = c.ticks(at(2000, 3, 1), at(2009, 3, 1));
    ASSERT_EQ(ticks.size(), 18u);
    for (const DateTick& t : ticks) EXPECT_NE(t.kind, DateTick::Kind::Month);
    // Within one minute there are no positions: no ticks, and the frame is still drawn.
    EXPECT_TRUE(c.ticks(at(2008, 1, 1, 12, 0, 0), at(2008, 1, 1, 12, 0, 59)).empty());
    EXPECT_EQ(c.surface.calls.back().op, Op::Frame);
}

TEST(ChartPainter, SeriesPointsScaleToTheAxisTopAndClipAtThePlot) {
    Chart c;
    c.painter.setValueRange(0, 37); // axis top 40
    const float values[] = {0, 37};
    c.painter.drawSeries(0, "a", values, {0, 0, 255}, 2);
    auto lines = c.surface.of(Op::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x1, 50);
    EXPECT_EQ(lines[0].y1, 430);
    EXPECT_EQ(lines[0].x2, 599);
    EXPECT_EQ(lines[0].y2, static_cast<int>(430 - 389.0f / 40 * 37)); // 37/40 of the way up
    EXPECT_EQ(lines[0].width, 2);
    EXPECT_EQ(lines[0].colour, (Rgb{0, 0, 255}));

    // Above the axis: a segment wholly above is skipped, one crossing the top is cut there.
    c.surface.calls.clear();
    const float high[] = {80, 80, 0};
    c.painter.drawSeries(1, "b", high, kBlack, 1);
    lines = c.surface.of(Op::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].y1, 40);
    EXPECT_GT(lines[0].x1, 324);
    EXPECT_LT(lines[0].x1, 599);
    EXPECT_EQ(lines[0].y2, 430);
}

TEST(ChartPainter, LegendRowsStep16PxAndShortSeriesDrawOnlyTheirLegend) {
    Chart c;
    c.painter.setValueRange(0, 10);
    const float one[] = {3};
    c.painter.drawSeries(6, "seventh", one, {255, 0, 0}, 2);
    EXPECT_TRUE(c.surface.of(Op::Line).empty());
    // The 7th row is centred 112 px below the plot top.
    const auto fills = c.surface.of(Op::Fill);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ((SurfaceRect{fills[0].x1, fills[0].y1, fills[0].x2, fills[0].y2}),
              (SurfaceRect{66, 149, 98, 155}));
    EXPECT_EQ(fills[0].colour, (Rgb{255, 0, 0}));
    const auto frames = c.surface.of(Op::Frame);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].y1, 149);
    EXPECT_EQ(frames[0].colour, kBlack);
    const SurfaceCall* name = c.surface.textCall("seventh");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->x1, 100);
    EXPECT_EQ(name->y1, 152 - 6);
}

TEST(ChartPainter, ALowPlotKeepsItsLabelsAndLegendApart) {
    RecordingSurface surface;
    ChartPainter painter;
    painter.begin(surface, {0, 0, 400, 180}); // plot (50, 40, 360, 130): 90 px high
    painter.setValueRange(0, 5500);           // 12 labels, 0 to 5500: 8 px apart
    painter.drawFrame(true, true, {208, 208, 208});
    // Every second label, from the bottom; a grid line at each.
    std::vector<int> labelled;
    for (const SurfaceCall& t : surface.of(Op::Text)) labelled.push_back(std::stoi(t.text));
    EXPECT_EQ(labelled, (std::vector<int>{0, 1000, 2000, 3000, 4000, 5000}));
    EXPECT_EQ(surface.of(Op::Line).size(), 12u);
    const auto texts = surface.of(Op::Text);
    for (std::size_t k = 1; k < texts.size(); ++k)
        EXPECT_GE(texts[k - 1].y1 - texts[k].y1, ChartPainter::labelFont().height);

    // Legend rows that fit above the plot's bottom are drawn; the sixth would not.
    surface.calls.clear();
    const float values[] = {0, 100};
    for (int i = 0; i < 6; ++i) painter.drawSeries(i, "s" + std::to_string(i), values, kBlack, 1);
    for (const SurfaceCall& t : surface.of(Op::Text))
        EXPECT_LE(t.y1 + ChartPainter::labelFont().height, 130) << t.text;
    EXPECT_NE(surface.textCall("s4"), nullptr);
    EXPECT_EQ(surface.textCall("s5"), nullptr);
    EXPECT_EQ(painter.legendEntryAt(70, 40 + 16 * 4 + 16), std::optional<int>(4));
    EXPECT_EQ(painter.legendEntryAt(70, 40 + 16 * 5 + 16), std::nullopt);
}

TEST(ChartPainter, ANarrowPlotLeavesOutATicksTextThatWouldMeetAnEndDate) {
    RecordingSurface surface;
    ChartPainter painter;
    painter.begin(surface, {0, 0, 300, 200}); // plot (50, 40, 260, 150)
    painter.setDateRange(at(2016, 2, 2), at(2018, 4, 11));
    painter.drawFrame(true, true, {208, 208, 208});
    // January 2018 falls 26 px left of the end, where "18/04/11" is: its "18" is left out,
    // its bar stays.
    std::vector<std::string> texts;
    for (const SurfaceCall& t : surface.of(Op::Text)) texts.push_back(t.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"16/02/02", "18/04/11", "17"}));
    int januaryBars = 0;
    for (const SurfaceCall& f : surface.of(Op::Fill)) januaryBars += f.y1 == 150 && f.y2 == 159;
    EXPECT_EQ(januaryBars, 2);
}

TEST(ChartPainter, LegendEntriesThatALineCrossesAreLeftOut) {
    Chart c; // plot (50, 40, 600, 430); entry i spans y 50 + 16 i .. 62 + 16 i
    c.painter.setValueRange(0, 100);
    // A line rising from the middle of the left edge to the top right passes under the
    // entries down to the tenth, then through the corner of the legend.
    const float rising[] = {50, 100};
    c.painter.drawSeries(0, "rising", rising, kBlack, 2);
    // A flat line at y 146 crosses the seventh row only.
    const float flat[] = {73, 73};
    c.painter.drawSeries(1, "flat", flat, kBlack, 1);
    for (int i = 2; i < 12; ++i) c.painter.drawSeries(i, "s" + std::to_string(i), {}, kBlack, 1);
    std::vector<std::string> drawn;
    for (const SurfaceCall& t : c.surface.of(Op::Text)) drawn.push_back(t.text);
    EXPECT_EQ(drawn, (std::vector<std::string>{"rising", "flat", "s2", "s3", "s4", "s5", "s7", "s8",
                                               "s9"}));
    EXPECT_EQ(c.surface.of(Op::Fill).size(), drawn.size()); // one swatch each
    EXPECT_EQ(c.painter.legendEntryAt(70, 40 + 16 * 6 + 16), std::nullopt);
    EXPECT_EQ(c.painter.legendEntryAt(70, 40 + 16 * 7 + 16), std::optional<int>(7));
    EXPECT_EQ(c.painter.legendEntryAt(70, 40 + 16 * 10 + 16), std::nullopt);
    // The next clear forgets the lines.
    c.painter.clear();
    c.painter.drawSeries(6, "again", {}, kBlack, 1);
    EXPECT_NE(c.surface.textCall("again"), nullptr);
}

TEST(ChartPainter, SeriesWithoutAValueAxisDrawNoPoints) {
    Chart c;
    c.painter.setValueRange(0, 0);
    const float values[] = {0, 1, 2};
    c.painter.drawSeries(0, "a", values, kBlack, 1);
    EXPECT_TRUE(c.surface.of(Op::Line).empty());
    EXPECT_EQ(c.trace.series.size(), 1u);
}

TEST(ChartPainter, ReadoutGivesAxisTextsInsideThePlotOnly) {
    Chart c;
    EXPECT_FALSE(c.painter.readout(300, 200)) << "nothing drawn yet";
    c.painter.setDateRange(at(2008, 1, 1, 0, 0), at(2008, 1, 11, 0, 0));
    c.painter.setValueRange(0, 37);
    EXPECT_FALSE(c.painter.readout(49, 200));
    EXPECT_FALSE(c.painter.readout(300, 431));
    auto r = c.painter.readout(50 + 275, 430 - 195);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->x, "08/01/06");
    EXPECT_EQ(r->y, "20");
    r = c.painter.readout(600, 40);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->x, "08/01/11");
    EXPECT_EQ(r->y, "40");

    c.painter.clear();
    for (int h = 0; h <= 24; ++h) c.painter.addYLabel(std::to_string(h));
    r = c.painter.readout(50, 235);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->x, "");
    EXPECT_EQ(r->y, "12");
}

TEST(DensityMap, OnePointMakesARoundBlobWithTheTopColourAtItsCentre) {
    DensityMap map;
    const DensityPoint p{0.5, 0.5};
    map.compute({&p, 1});
    EXPECT_EQ(map.count(120, 90), 1);
    EXPECT_EQ(map.cell(120, 90), 1);
    EXPECT_EQ(map.maximum(), 1);
    EXPECT_EQ(map.paletteIndex(120, 90), 19);
    // Weights below 1 leave the integer parts of the neighbours at 0.
    EXPECT_EQ(map.cell(121, 90), 0);
    EXPECT_EQ(map.paletteIndex(0, 0), 0);
}

TEST(DensityMap, RowsWrapAtMidnightButColumnsDoNot) {
    // 23:55 and 0:05 of one date, many times over so that the smoothed cells are large.
    std::vector<DensityPoint> points;
    for (int i = 0; i < 100; ++i) {
        points.push_back({0.0, 1435.0 / 1440});
        points.push_back({0.0, 5.0 / 1440});
    }
    DensityMap map;
    map.compute(points);
    EXPECT_EQ(map.count(0, 179), 100);
    EXPECT_EQ(map.count(0, 0), 100);
    // One blob across the bottom and top edges, symmetric about midnight.
    EXPECT_GT(map.cell(0, 5), 0);
    EXPECT_GT(map.cell(0, 174), 0);
    EXPECT_EQ(map.cell(0, 2), map.cell(0, 177));
    EXPECT_EQ(map.cell(0, 90), 0);
    // Columns stop at the edges: nothing reaches the right-hand side.
    EXPECT_GT(map.cell(9, 0), 0);
    EXPECT_EQ(map.cell(239, 0), 0);
    EXPECT_EQ(map.cell(200, 0), 0);
}

TEST(DensityMap, NewestPostGoesToTheLastColumnAndCountsSaturate) {
    std::vector<DensityPoint> points(70000, DensityPoint{1.0, 0.0});
    DensityMap map;
    map.compute(points);
    EXPECT_EQ(map.count(239, 0), 65535);
    EXPECT_EQ(map.count(0, 0), 0);
    EXPECT_EQ(map.maximum(), 65535);
    EXPECT_EQ(map.cell(239, 0), 65535);
    // Out-of-range and NaN coordinates stay inside the grid.
    const DensityPoint odd[] = {{-3, 2}, {std::nan(""), 0.5}};
    map.compute(odd);
    EXPECT_EQ(map.count(0, 179), 1);
    EXPECT_EQ(map.count(0, 90), 1);
}

// Random clouds from one point to dense ones, with small and saturated maxima: every cell's
// index follows from its value, the picture and the trace show those indices, and a map
// used before gives what a new one gives.
TEST(DensityMap, IndicesFollowTheCellsWhateverTheMapHeldBefore) {
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    DensityMap reused;
    for (const std::size_t n : {1u, 7u, 300u, 5000u, 60000u, 0u, 200000u, 3u}) {
        std::vector<DensityPoint> points(n);
        // Half the points crowd one corner, so that the maximum grows with n.
        for (std::size_t i = 0; i < n; ++i)
            points[i] = i % 2 ? DensityPoint{unit(random), unit(random)}
                              : DensityPoint{unit(random) / 20, unit(random) / 20};
        reused.compute(points);
        DensityMap fresh;
        fresh.compute(points);
        SurfaceImage image;
        reused.toImage(image);
        const double full = 0.7 * reused.maximum();
        for (int r = 0; r < DensityMap::kRows; ++r) {
            for (int c = 0; c < DensityMap::kColumns; ++c) {
                ASSERT_EQ(reused.cell(c, r), fresh.cell(c, r)) << n << " points, " << c << "," << r;
                const int expected =
                    reused.maximum() == 0
                        ? 0
                        : static_cast<int>(19 * std::min(1.0, reused.cell(c, r) / full));
                ASSERT_EQ(reused.paletteIndex(c, r), expected) << n << " points, " << c << "," << r;
                const Rgb colour = DensityMap::paletteColour(expected);
                ASSERT_EQ(image.at(c, DensityMap::kRows - 1 - r),
                          static_cast<std::uint32_t>(colour.r) << 16 | colour.g << 8 | colour.b);
            }
        }
        EXPECT_EQ(reused.maximum(), fresh.maximum());
    }
}

TEST(ChartTrace, DensityRowsPrintTopRowFirstOneDigitACell) {
    Chart c;
    std::vector<DensityPoint> points(50, DensityPoint{0.0, 0.0});
    points.push_back({1.0, 0.999});
    c.painter.drawDensity(points);
    const std::string text = c.trace.text();
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; at < text.size(); at = end + 1)
        lines.push_back(text.substr(at, (end = text.find('\n', at)) - at));
    ASSERT_EQ(lines.size(), 1u + DensityMap::kRows);
    EXPECT_EQ(lines[0], "density\t51\t" + std::to_string(c.trace.densityMaximum));
    // The fifty points at the bottom left are the peak; the lone one at the top right is faint.
    EXPECT_EQ(lines[DensityMap::kRows].front(), 'j');
    EXPECT_EQ(lines[1].back(), '0');
    const char digits[] = "0123456789abcdefghij";
    for (int r = 0; r < DensityMap::kRows; ++r) {
        const std::string& line = lines[DensityMap::kRows - r];
        ASSERT_EQ(line.size(), static_cast<std::size_t>(DensityMap::kColumns));
        for (int col = 0; col < DensityMap::kColumns; ++col)
            ASSERT_EQ(line[col], digits[c.trace.densityIndices[r * DensityMap::kColumns + col]])
                << col << "," << r;
    }
}

TEST(ChartPainter, DensityStretchesTheImageOverThePlotWithMidnightAtTheBottom) {
    Chart c;
    const DensityPoint p{0.0, 0.0};
    c.painter.drawDensity({&p, 1});
    const auto images = c.surface.of(Op::Image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ((SurfaceRect{images[0].x1, images[0].y1, images[0].x2, images[0].y2}),
              (SurfaceRect{50, 40, 600, 430}));
    EXPECT_EQ(images[0].imageWidth, 240);
    EXPECT_EQ(images[0].imageHeight, 180);
    EXPECT_EQ(c.surface.lastImage.at(0, 179), 0xFF0000u); // red at the bottom left
    EXPECT_EQ(c.surface.lastImage.at(0, 90), 0x0000FFu);  // blue elsewhere
    EXPECT_EQ(c.trace.densityPoints, 1u);
    EXPECT_EQ(c.trace.densityMaximum, 1);

    // Without points nothing is drawn, and the trace says so.
    c.surface.calls.clear();
    c.painter.drawDensity({});
    EXPECT_TRUE(c.surface.calls.empty());
    EXPECT_EQ(c.trace.text(), "density\t0\t0\n");
}

TEST(ChartTrace, PrintsFrameLinesBeforeSeriesWhateverTheOrder) {
    Chart c;
    EXPECT_EQ(c.trace.text(), "blank\n");
    c.painter.setTitle("t");
    c.painter.setValueRange(0, 9);
    const float values[] = {0.1f, 2};
    c.painter.drawSeries(0, "n", values, {1, 2, 3}, 2);
    c.painter.drawFrame(false, true, {4, 5, 6});
    EXPECT_EQ(c.trace.text(), "title\tt\n"
                              "x\tnone\n"
                              "y\tvalue\t0\t9\t0\t1\t2\t3\t4\t5\t6\t7\t8\t9\n"
                              "frame\t0\t1\t4,5,6\n"
                              "series\t0\tn\t1,2,3\t2\t0.100000001\t2\n");
}
