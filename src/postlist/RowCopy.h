#pragma once
// The text that copying a range of the post list's rows puts on the clipboard.
#include "postlist/PostRows.h"

#include <functional>
#include <string>
#include <string_view>

namespace lorvanel {

// Rows first .. last (inclusive) as post text lines with their CR LF ends: from the first
// row's line to the end of its post's text, every post between whole, and the last post's text
// up to the last row's line. Empty when there is no post, first > last, or a row lies outside
// 0 .. total - 1.
std::string copyRows(const PostRows& rows, RowIndex first, RowIndex last);

// The same text handed to sink in pieces that end at post boundaries, for copies too large to
// be held whole (every row of a large log). Returns false, handing out nothing, when copyRows
// would return the empty text.
bool writeCopyRows(const PostRows& rows, RowIndex first, RowIndex last,
                   const std::function<void(std::string_view)>& sink);

} // namespace lorvanel
