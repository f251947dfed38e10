#include "filter/FilterSelection.h"

#include "filter/CompileFilter.h"
#include "platform/Cancellation.h"

#include <cstdint>

namespace lorvanel {

namespace {

// Whether the posts' bodies lie in memory in the opposite order to the list's, as those of a
// log written newest first do. The processor fetches memory ahead on its own only forwards.
bool bodiesRunBackwards(const PostList& posts) {
    return posts.size() > 1 && reinterpret_cast<std::uintptr_t>(posts.front()->body) >
                                   reinterpret_cast<std::uintptr_t>(posts.back()->body);
}

// selectPosts, with the bodies that the filter will read fetched some posts ahead.
std::size_t selectFetchingBodies(PostList& dest, const PostList& src, const FilterNode& filter) {
    constexpr std::size_t kAhead = 16;
    constexpr int kLines = 2; // most bodies end within two cache lines
    std::size_t count = 0;
    const std::size_t n = src.size();
    CancelPoll poll;
    for (std::size_t i = 0; i < n; ++i) {
        poll();
        if (i + kAhead < n) {
            const PostRecord& next = *src[i + kAhead];
            if (filter.readsBodyOf(next))
                for (int line = 0; line < kLines; ++line) __builtin_prefetch(next.body + 64 * line);
        }
        PostRecord* p = src[i];
        if (filter.Matches(*p)) {
            dest.pushBack(p);
            ++count;
        }
    }
    return count;
}

} // namespace

std::optional<std::size_t> selectPostsWithFilter(PostList& dest, const PostList& src,
                                                 std::string_view text) {
    const FilterPtr filter = CompileFilter(text);
    if (!filter) return std::nullopt;
    if (filter->readsBody() && bodiesRunBackwards(src))
        return selectFetchingBodies(dest, src, *filter);
    return selectPosts(dest, src, *filter);
}

} // namespace lorvanel
