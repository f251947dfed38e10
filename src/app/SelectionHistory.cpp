#include "app/SelectionHistory.h"

#include <algorithm>

namespace lorvanel {

SelectionHistory::SelectionHistory(std::size_t capacity)
    : capacity_(std::max<std::size_t>(capacity, 1)) {}

void SelectionHistory::clear() {
    entries_.clear();
    position_ = 0;
}

void SelectionHistory::record(SelectionEntry entry) {
    if (const SelectionEntry* shown = current(); shown && *shown == entry) return;
    if (!entries_.empty())
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position_) + 1,
                       entries_.end());
    entries_.push_back(std::move(entry));
    if (entries_.size() > capacity_) entries_.pop_front();
    position_ = entries_.size() - 1;
}

const SelectionEntry* SelectionHistory::back() {
    if (!canGoBack()) return nullptr;
    return &entries_[--position_];
}

const SelectionEntry* SelectionHistory::forward() {
    if (!canGoForward()) return nullptr;
    return &entries_[++position_];
}

void SelectionHistory::moveTo(std::size_t position) {
    if (position < entries_.size()) position_ = position;
}

const SelectionEntry* SelectionHistory::current() const {
    return entries_.empty() ? nullptr : &entries_[position_];
}

} // namespace lorvanel
