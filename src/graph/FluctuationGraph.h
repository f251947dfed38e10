#pragma once
// Graph kind 1: posts per day with their 7-day and 30-day moving averages and the overall
// daily average.
#include "graph/GraphKind.h"

namespace lorvanel {

class FluctuationGraph : public GraphKind {
public:
    using GraphKind::GraphKind;
    static std::string name();
    std::string title() const override { return name(); }
    void draw() override;
};

} // namespace lorvanel
