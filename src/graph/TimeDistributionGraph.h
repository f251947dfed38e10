#pragma once
// Graph kind 2: a density map of the time of day of each post against its date.
#include "graph/DensityMap.h"
#include "graph/GraphKind.h"

#include <vector>

namespace lorvanel {

class TimeDistributionGraph : public GraphKind {
public:
    using GraphKind::GraphKind;
    static std::string name();
    std::string title() const override { return name(); }
    void draw() override;

private:
    std::vector<DensityPoint> points_; // kept between draws for its capacity
};

} // namespace lorvanel
