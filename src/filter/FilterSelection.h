#pragma once
// Selecting the posts of a list with a filter given as text.
#include "input/PostList.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace lorvanel {

class FilterNode;

// Appends to dest, in source order, the posts of src that filter accepts; returns their
// number. Long lists are walked in parts side by side: the filter's nodes and what they
// cache in the posts must bear being asked about different posts at once.
std::size_t selectMatching(PostList& dest, const PostList& src, const FilterNode& filter);

// Compiles text and appends to dest, in source order, the posts of src that it accepts;
// returns their number. When the text doesn't compile the user has been told why (through
// the alert sink), dest is unchanged and the result is empty.
std::optional<std::size_t> selectPostsWithFilter(PostList& dest, const PostList& src,
                                                 std::string_view text);

} // namespace lorvanel
