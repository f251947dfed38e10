#pragma once
// Graph kind 2: a density map of the time of day of each post against its date.
#include "graph/DensityMap.h"
#include "graph/GraphKind.h"
#include "platform/Time32.h"

#include <vector>

namespace lorvanel {

class TimeDistributionGraph : public GraphKind {
public:
    using GraphKind::GraphKind;
    static std::string name();
    std::string title() const override { return name(); }
    void draw() override;
    // A click selects the day under the pointer (the date the readout shows).
    std::string filterAt(int x, int y) const override;

private:
    void computeSeries() override;

    // The points of the attached selection (and their capacity between selections).
    bool charted_ = false;
    Time32 first_ = 0;
    Time32 last_ = 0;
    std::vector<DensityPoint> points_;
};

} // namespace lorvanel
