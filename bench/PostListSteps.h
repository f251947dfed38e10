#pragma once
// The post list's figures on a loaded log: the row model, row lookups, a page's work,
// scrolling and the search.
namespace lorvanel {
class PostLog;
}

namespace lorvanel::bench {

class Figures;

// Adds a section of post list figures over the whole log as the selection; baseline is the
// log's physical baseline.
void addPostListFigures(Figures& figures, PostLog& log, double baseline, int runs);

} // namespace lorvanel::bench
