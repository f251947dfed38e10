#pragma once
// Graph kind 3: the posting calendar, one strip of weeks per year with a cell per day shaded
// by the day's posts, and a legend of the counts the four shades stand for.
#include "graph/CalendarLayout.h"
#include "graph/GraphKind.h"

namespace lorvanel {

class CalendarGraph : public GraphKind {
public:
    using GraphKind::GraphKind;
    static std::string name();
    std::string title() const override { return name(); }
    void draw() override;
    // "2016/03/05(土)" and "12回" over a day of the range.
    std::optional<GraphReadout> readout(int x, int y) const override;
    // "title", one "day" line per day of the range and the "legend" line.
    std::string seriesText(int width, int height) override;

    // Colours of a day without posts and of the levels 1 to 4.
    static Rgb levelColour(int level);

private:
    void computeSeries() override;

    CalendarModel model_;
    CalendarLayout layout_; // of the last draw, for the readout
};

} // namespace lorvanel
