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
    // "2016/03/05(土)" and "12回" over a day of the range, "2016/03" or "2016年" and the
    // month's or year's posts over its label.
    std::optional<GraphReadout> readout(int x, int y) const override;
    // A click on a day selects that day, on a month's label its month, on a year's label
    // its year.
    std::string filterAt(int x, int y) const override;
    // "title", one "day" line per day of the range and the "legend" line.
    std::string seriesText(int width, int height) override;

    // Colours of a day without posts and of the levels 1 to 4.
    static Rgb levelColour(int level);

    // Where a month's or a year's label was drawn (month 0 for a year's).
    struct Label {
        SurfaceRect rect;
        int year = 0;
        int month = 0;
    };

private:
    // What lies under a pixel: a day, or a month's or year's label.
    struct Hit {
        std::optional<int> day;
        const Label* label = nullptr;
    };
    void computeSeries() override;
    Hit hitAt(int x, int y) const;

    CalendarModel model_;
    CalendarLayout layout_;     // of the last draw, for the readout and clicks
    std::vector<Label> labels_; // of the last draw
};

} // namespace lorvanel
