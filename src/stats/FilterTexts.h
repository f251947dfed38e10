#pragma once
// The filter texts that select a period, an hour, a weekday or a board: the texts of the
// filter tree's generated items, which the graphs also apply when one of their parts is
// clicked, so that a click and the tree's item select the same posts.
#include <string>
#include <string_view>

namespace lorvanel {

// "date20080115", "date200801" and "date2008".
std::string dayFilterText(int year, int month, int day);
std::string monthFilterText(int year, int month);
std::string yearFilterText(int year);
// The day filter of a local day number.
std::string dayNumberFilterText(int dayNumber);

// "hour13" for the hour 0 .. 23.
std::string hourFilterText(int hour);
// "week1" .. "week7" for the weekday 0 (Sunday) .. 6.
std::string weekdayFilterText(int weekday);
// brd_"name" with the board's display name as it stands.
std::string boardFilterText(std::string_view boardName);

} // namespace lorvanel
