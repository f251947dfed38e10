#pragma once
// Graph kind 0: the running total of posts per day for the whole selection and for its
// busiest boards (five to ten of them), on one value axis.
#include "graph/GraphKind.h"
#include "platform/Time32.h"

#include <string>
#include <vector>

namespace lorvanel {

class CumulativeGraph : public GraphKind {
public:
    static constexpr int kShowTotalCommand = 32820;

    // Reads Graph_Ruiseki/ShowTotal from the settings; the destructor writes it back.
    CumulativeGraph(ChartPainter& painter, IniFile* settings);
    ~CumulativeGraph() override;

    static std::string name();
    std::string title() const override { return name(); }
    void draw() override;
    bool hasOptions() const override { return true; }
    std::vector<GraphOption> options() const override;
    void command(int id) override;
    // Over a board's legend entry the board and its posts ("12回"); elsewhere the painter's.
    std::optional<GraphReadout> readout(int x, int y) const override;
    // A click on a board's legend entry selects that board; the rest selects nothing.
    std::string filterAt(int x, int y) const override;

    bool showTotal() const { return showTotal_; }
    void setShowTotal(bool on) {
        showTotal_ = on;
        invalidateSeries();
    }

private:
    // One charted line: the whole selection or a board.
    struct Line {
        std::string name;
        std::vector<float> values;
        Rgb colour;
        std::size_t posts = 0; // a board's posts; 0 for the whole selection's line
        bool board = false;
    };
    void computeSeries() override;
    // The board line whose legend entry lies under a pixel of the last draw.
    const Line* boardLineAt(int x, int y) const;

    bool showTotal_ = true;
    // The series of the attached selection; nothing is charted without them.
    bool charted_ = false;
    Time32 first_ = 0;
    Time32 last_ = 0;
    int top_ = 0;
    std::vector<Line> lines_;
};

} // namespace lorvanel
