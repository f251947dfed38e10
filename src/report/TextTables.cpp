// Counting by board and by thread title. Text keys are plain bytes (std::string_view
// compares like memcmp). The counts live in hash maps, since only the final orders matter:
// the board table is sorted, and the rankings pick their best entries by (count, text).
#include "input/BoardDirectory.h"
#include "report/StatisticsSteps.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace lorvanel {

namespace {

// Consecutive posts mostly share their key, so the last key's entry is tried first.
class TextCounter {
public:
    using Map = std::unordered_map<std::string_view, int>;
    void add(std::string_view key) {
        if (!last_ || last_->first != key) last_ = &*counts_.try_emplace(key, 0).first;
        ++last_->second;
    }
    const Map& counts() const { return counts_; }
    void clear() {
        counts_.clear();
        last_ = nullptr;
    }

private:
    Map counts_;
    Map::value_type* last_ = nullptr; // element addresses survive a rehash
};

// The ranking order: more posts first, equal counts by text in byte order.
bool ranksBefore(const std::pair<std::string_view, int>& a,
                 const std::pair<std::string_view, int>& b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
}

// Titles and directories lie in the log's text, each post's a few hundred bytes from the
// next one's, too far apart for the processor to fetch them ahead by itself. Asking for the
// text of a post some posts ahead keeps the walk from waiting on memory at every post.
template <class Text, class Visit>
void walkPrefetching(const PostList& posts, Text text, Visit visit) {
    constexpr int kAhead = 16;
    auto ahead = posts.begin();
    for (int i = 0; i < kAhead && ahead != posts.end(); ++i) ++ahead;
    for (auto it = posts.begin(); it != posts.end(); ++it) {
        if (ahead != posts.end()) __builtin_prefetch(text(**ahead++));
        visit(**it);
    }
}

} // namespace

void countBoards(PostStatistics& s, const PostList& posts) {
    TextCounter byDir, byName;
    walkPrefetching(
        posts, [](const PostRecord& p) { return p.dir; },
        [&](const PostRecord& p) {
            if (p.knownBbs())
                byDir.add(p.dir);
            else
                byName.add(p.boardName());
        });
    s.boards.clear();
    const BoardDirectory& directory = boardDirectory();
    for (const auto& [dir, count] : byDir.counts())
        s.boards.push_back({directory.knownBoardName(dir), count});
    for (const auto& [name, count] : byName.counts())
        s.boards.push_back({std::string(name), count});
    // Two directories may share a display name: they stay two rows, in either order.
    std::sort(s.boards.begin(), s.boards.end(), [](const TextCount& a, const TextCount& b) {
        return a.count != b.count ? a.count > b.count : a.text < b.text;
    });
}

void rankThreads(PostStatistics& s, const PostList& posts) {
    TextCounter byTitle;
    walkPrefetching(
        posts, [](const PostRecord& p) { return p.title; },
        [&](const PostRecord& p) { byTitle.add(p.title); });
    s.threadCount = static_cast<int>(byTitle.counts().size());
    std::vector<std::pair<std::string_view, int>> entries(byTitle.counts().begin(),
                                                          byTitle.counts().end());
    const std::size_t n = std::min(entries.size(), kMaxRankedThreads);
    std::partial_sort(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(n),
                      entries.end(), ranksBefore);
    s.threadRanking.clear();
    for (std::size_t i = 0; i < n; ++i)
        s.threadRanking.push_back({std::string(entries[i].first), entries[i].second});
}

namespace {

TextCount mostWritten(const TextCounter& titles) {
    const auto& counts = titles.counts();
    auto best = std::min_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
        return ranksBefore({a.first, a.second}, {b.first, b.second});
    });
    if (best == counts.end()) return {};
    return {std::string(best->first), best->second};
}

int monthNumber(const PostLocalTime& lt) {
    return lt.year * 12 + lt.month - 1;
}

} // namespace

void rankMonthThreads(PostStatistics& s, const PostList& posts) {
    s.monthThreadRanking.clear();
    TextCounter titles;
    int month = 0;
    bool first = true;
    walkPrefetching(
        posts, [](const PostRecord& p) { return p.title; },
        [&](const PostRecord& p) {
            const int m = monthNumber(p.local());
            if (first) {
                month = m;
                first = false;
            } else if (m != month) {
                s.monthThreadRanking.push_back(mostWritten(titles));
                titles.clear();
                // Months without posts in between get empty entries.
                for (int gap = month + 1; gap < m; ++gap) s.monthThreadRanking.push_back({});
                month = m;
            }
            titles.add(p.title);
        });
    if (!posts.empty()) s.monthThreadRanking.push_back(mostWritten(titles));
}

} // namespace lorvanel
