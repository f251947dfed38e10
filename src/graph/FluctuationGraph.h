#pragma once
// Graph kind 1: posts per day with their 7-day and 30-day moving averages and the overall
// daily average.
#include "graph/GraphKind.h"
#include "platform/Time32.h"

#include <vector>

namespace lorvanel {

class FluctuationGraph : public GraphKind {
public:
    using GraphKind::GraphKind;
    static std::string name();
    std::string title() const override { return name(); }
    void draw() override;
    // A click selects the day of the column under the pointer (the date the readout shows).
    std::string filterAt(int x, int y) const override;

private:
    void computeSeries() override;

    // The series of the attached selection; nothing is charted without them.
    bool charted_ = false;
    Time32 first_ = 0;
    Time32 last_ = 0;
    int days_ = 0;
    int top_ = 0;
    std::vector<float> daily_;
    std::vector<float> week_;
    std::vector<float> month_;
    std::vector<float> average_;
};

} // namespace lorvanel
