#include "filter/FilterSelection.h"

#include "filter/CompileFilter.h"
#include "match/Regex.h"
#include "platform/Alert.h"
#include "platform/Cancellation.h"
#include "platform/WorkerPool.h"

#include <cstdint>
#include <vector>

namespace lorvanel {

namespace {

// Whether the posts' bodies lie in memory in the opposite order to the list's, as those of a
// log written newest first do. The processor fetches memory ahead on its own only forwards.
bool bodiesRunBackwards(const PostList& posts) {
    return posts.size() > 1 && reinterpret_cast<std::uintptr_t>(posts.front()->body) >
                                   reinterpret_cast<std::uintptr_t>(posts.back()->body);
}

// Appends the posts of [first, last) that the filter accepts to out; with fetchBodies, the
// bodies that the filter will read are fetched some posts ahead.
template <class Out>
void selectRange(Out& out, PostList::const_iterator first, PostList::const_iterator last,
                 const FilterNode& filter, bool fetchBodies) {
    constexpr std::ptrdiff_t kAhead = 16;
    constexpr int kLines = 2; // most bodies end within two cache lines
    CancelPoll poll;
    for (auto it = first; it != last; ++it) {
        poll();
        if (fetchBodies && last - it > kAhead) {
            const PostRecord& next = **(it + kAhead);
            if (filter.readsBodyOf(next))
                for (int line = 0; line < kLines; ++line) __builtin_prefetch(next.body + 64 * line);
        }
        PostRecord* p = *it;
        if (filter.Matches(*p)) out.push_back(p);
    }
}

} // namespace

std::size_t selectMatching(PostList& dest, const PostList& src, const FilterNode& filter) {
    const bool fetchBodies = filter.readsBody() && bodiesRunBackwards(src);
    const std::size_t parts = partsFor(src.size());
    if (parts == 1) {
        const std::size_t before = dest.size();
        selectRange(dest.items(), src.begin(), src.end(), filter, fetchBodies);
        return dest.size() - before;
    }
    // Each part keeps its own posts; they are appended in the parts' order, which is src's.
    std::vector<std::vector<PostRecord*>> selected(parts);
    runParts(parts, [&](std::size_t part) {
        const auto [first, last] = partRange(src.size(), parts, part);
        selectRange(selected[part], src.begin() + static_cast<std::ptrdiff_t>(first),
                    src.begin() + static_cast<std::ptrdiff_t>(last), filter, fetchBodies);
    });
    std::size_t count = 0;
    for (const std::vector<PostRecord*>& s : selected) {
        dest.items().insert(dest.items().end(), s.begin(), s.end());
        count += s.size();
    }
    return count;
}

std::optional<std::size_t> selectPostsWithFilter(PostList& dest, const PostList& src,
                                                 std::string_view text) {
    const FilterPtr filter = CompileFilter(text);
    if (!filter) return std::nullopt;
    const std::size_t before = dest.size();
    try {
        return selectMatching(dest, src, *filter);
    } catch (const RegexSearchError& e) {
        dest.items().resize(before);
        showAlert(e.message());
        return std::nullopt;
    }
}

} // namespace lorvanel
