#pragma once
// The graph tab's work on a loaded log: each kind's series, and each kind's full paint at
// the image copy's size.
#include "Figures.h"

namespace lorvanel {
class PostLog;
}

namespace lorvanel::bench {

// Adds a section to figures: for each graph kind over the whole log, the series (the kind's
// draw on a surface that draws nothing) and a full paint at 640 x 480 into an off-screen
// image, each the best of `runs` and compared with the log's baseline.
void benchGraphs(Figures& figures, PostLog& log, double baseline, int runs);

} // namespace lorvanel::bench
