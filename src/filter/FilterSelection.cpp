#include "filter/FilterSelection.h"

#include "filter/CompileFilter.h"

namespace lorvanel {

std::optional<std::size_t> selectPostsWithFilter(PostList& dest, const PostList& src,
                                                 std::string_view text) {
    const FilterPtr filter = CompileFilter(text);
    if (!filter) return std::nullopt;
    return selectPosts(dest, src, *filter);
}

} // namespace lorvanel
