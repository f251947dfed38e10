#pragma once
// One axis of the chart: its kind and what its labels and positions are made of.
#include "platform/Time32.h"

#include <string>
#include <vector>

namespace lorvanel {

struct ChartAxis {
    enum class Mode { None = 0, Label = 1, Value = 2, Date = 3 };

    Mode mode = Mode::None;
    std::vector<std::string> labels; // CP932, drawn evenly from the axis start to its end
    int minimum = 0;                 // value axis
    int maximum = 0;
    Time32 start = 0; // date axis
    Time32 end = 0;
};

// The labels and the top of a value axis 0 .. maximum by the nice-scale rule: a step of
// 1, 2 or 5 times a power of ten, labels "%d" of each step's integer part up to the first
// step at or above the maximum. A maximum below 1 gives the single label "0".
struct NiceScale {
    std::vector<std::string> labels;
    int top = 0;
};
NiceScale niceScale(int maximum);

// Position of t on a date axis start .. end (0 at the start, 1 at the end), in whole minutes;
// false when the axis spans less than a minute and has no positions.
bool datePosition(Time32 start, Time32 end, Time32 t, double& position);

// The time a date axis reads at the position f (0 .. 1): its start plus f of its span in
// whole minutes, truncated.
Time32 dateAxisTime(const ChartAxis& axis, double f);

} // namespace lorvanel
