#pragma once
// The selections applied since the log was loaded, in order, with a cursor on the one shown:
// back and forward move the cursor, a new selection drops what lay ahead of it. Knows nothing
// of widgets; an item is kept as its row path from the top of the tree.
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace lorvanel {

struct SelectionEntry {
    // The filter text that was applied (CP932; empty for the whole log).
    std::string text;
    // The selected items of the tree, each as the rows from the top level down.
    std::vector<std::vector<int>> items;

    bool operator==(const SelectionEntry&) const = default;
};

class SelectionHistory {
public:
    explicit SelectionHistory(std::size_t capacity = 100);

    void clear();
    // Puts the entry after the current one, dropping the entries ahead; the oldest goes when
    // the history is full. An entry equal to the current one is not repeated.
    void record(SelectionEntry entry);

    bool canGoBack() const { return !entries_.empty() && position_ > 0; }
    bool canGoForward() const { return position_ + 1 < entries_.size(); }
    // Moves the cursor one step and returns the entry it lands on; null when it cannot move.
    const SelectionEntry* back();
    const SelectionEntry* forward();
    // Puts the cursor on an entry again (a step whose application failed goes back).
    void moveTo(std::size_t position);

    const SelectionEntry* current() const;
    std::size_t position() const { return position_; }
    std::size_t size() const { return entries_.size(); }
    std::size_t capacity() const { return capacity_; }

private:
    std::deque<SelectionEntry> entries_;
    std::size_t position_ = 0;
    std::size_t capacity_;
};

} // namespace lorvanel
