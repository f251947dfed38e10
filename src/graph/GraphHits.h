#pragma once
// What lies under a pointer in the pictures that the chart painter draws: the day on a
// date axis, the one thing that the daily graphs select when clicked.
#include <string>

namespace lorvanel {

class ChartPainter;

// The filter text of the local day that the painter's date axis reads at a pixel of its last
// plot (the day whose date the readout shows there); empty outside the plot or without a
// date axis.
std::string dayFilterUnder(const ChartPainter& painter, int x, int y);

} // namespace lorvanel
