#pragma once
// The bounded "best n" list of the rankings: entries in descending count order, where a
// candidate goes before the first entry with a strictly smaller count. Offered in key order,
// equal counts therefore keep that order, and a candidate that only equals the last entry
// of a full list stays out.
#include <cstddef>
#include <vector>

namespace lorvanel {

// Where a candidate with this count would be inserted, or limit when it stays out.
template <class Entry>
std::size_t rankedSlot(const std::vector<Entry>& list, int count, std::size_t limit) {
    if (list.size() >= limit && (limit == 0 || !(list.back().count < count))) return limit;
    std::size_t i = 0;
    while (i < list.size() && !(list[i].count < count)) ++i;
    return i;
}

// Offers a candidate built only when it gets in; make() returns the Entry.
template <class Entry, class Make>
void offerRanked(std::vector<Entry>& list, int count, std::size_t limit, Make&& make) {
    const std::size_t slot = rankedSlot(list, count, limit);
    if (slot >= limit) return;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(slot), make());
    if (list.size() > limit) list.pop_back();
}

} // namespace lorvanel
