#pragma once
// The search of the post list: the first row after the current selection whose text holds a
// pattern, byte for byte.
#include "postlist/PostRows.h"

#include <optional>
#include <string_view>

namespace lorvanel {

// Searches from the row after selectionEnd (from row 0 when selectionEnd is -1) to the end
// of the list, without wrapping around. Row 0 of a post is matched against its title, row 1
// against its mail and then its name, the body rows against the body's lines (CR LF, CR or LF
// end a line; a line beyond the post's body rows counts for its last body row); the empty last
// row never matches. A post whose whole body lacks the pattern is passed over at once, so a
// pattern spanning two lines is never found. Containment is a case-sensitive byte-wise
// substring test. Returns the hit's row, or nothing (always for an empty pattern).
std::optional<RowIndex> searchRows(const PostRows& rows, std::string_view pattern,
                                   RowIndex selectionEnd);

} // namespace lorvanel
