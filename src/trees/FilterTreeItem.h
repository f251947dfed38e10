#pragma once
// The data every item of the filter tree carries: its kind, the filter text of a generated
// node, and for a custom filter the record it shows.
#include <string>

namespace lorvanel {

struct CustomFilter;

// What an item of the filter tree is; the numbers are the ones the command-line program
// prints.
enum class FilterKind : int {
    Leaf = 0,        // today, yesterday, a week, a day, an hour, a weekday, a board
    Year = 1,        // a year of the history; months on first expansion
    Month = 2,       // a month; days on first expansion
    HourRoot = 3,    // "時間帯"; hours on first expansion
    WeekdayRoot = 4, // "曜日"; weekdays on first expansion
    BoardRoot = 5,   // "板"; boards on first expansion
    CustomRoot = 7,  // "カスタム"; the custom filters
    Custom = 8,      // one custom filter, labelled with its name
};

struct FilterTreeItem {
    // The filter text of a generated node; empty for category roots and custom filters.
    std::string text;
    FilterKind kind = FilterKind::Leaf;
    // The record a kind-8 item shows; owned by the tree's custom filter list.
    CustomFilter* filter = nullptr;
};

} // namespace lorvanel
