#pragma once
// The filter tree as lines of text, the form the command-line program prints and tests
// compare: one item per line in tree order, two spaces per level, then the label, a TAB, the
// item's filter text (a custom filter's own text), a TAB and the kind ("-" for the item
// without data). CP932, LF line ends.
#include <string>

namespace lorvanel {

class FilterTree;
struct TreeNode;

std::string treeListing(const FilterTree& tree);

// The filter text an item shows in the listing.
std::string itemFilterText(const TreeNode& node);

} // namespace lorvanel
