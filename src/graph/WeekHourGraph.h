#pragma once
// Graph kind 4: the posts by weekday (rows, Sunday on top) and hour (columns) as cells of the
// density palette, with the weekday totals at the right and the hour totals below.
#include "graph/GraphKind.h"
#include "graph/WeekHourLayout.h"
#include "graph/WeekHourModel.h"

namespace lorvanel {

class WeekHourGraph : public GraphKind {
public:
    using GraphKind::GraphKind;
    static std::string name();
    std::string title() const override { return name(); }
    void draw() override;
    // "水曜日 13時" and "45回" over a cell; "水曜日" or "13時" and its total over a weekday's
    // name or total or an hour's number or total.
    std::optional<GraphReadout> readout(int x, int y) const override;
    // A click on a cell selects its hour and weekday, on a weekday's name or total that
    // weekday, on an hour's number or total that hour.
    std::string filterAt(int x, int y) const override;
    // "title" and the 168 "cell" lines, weekday (1 = Sunday) then hour.
    std::string seriesText(int width, int height) override;

    // Palette index 0..19 of a count: 19 × count / largest, truncated.
    static int paletteIndex(int count, int largest);

private:
    void computeSeries() override;

    WeekHourModel model_;
    std::optional<WeekHourLayout> layout_; // of the last draw, for the readout
};

} // namespace lorvanel
