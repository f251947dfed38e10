// Counting by board and by thread title, in one walk: the texts lie scattered over the whole
// log buffer, so touching each post's texts once matters more than anything else here. Text
// keys are plain bytes (std::string_view compares like memcmp); the counts live in hash
// maps, since only the final orders matter: the board table is sorted, and the rankings pick
// their best entries by (count, text).
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
bool ranksBefore(const std::pair<const std::string_view, int>& a,
                 const std::pair<const std::string_view, int>& b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
}

void buildBoardTable(PostStatistics& s, const TextCounter& byDir, const TextCounter& byName) {
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

// The best n titles without sorting them all.
void buildThreadRanking(PostStatistics& s, const TextCounter& byTitle) {
    s.threadCount = static_cast<int>(byTitle.counts().size());
    std::vector<const TextCounter::Map::value_type*> entries;
    entries.reserve(byTitle.counts().size());
    for (const auto& e : byTitle.counts()) entries.push_back(&e);
    const std::size_t n = std::min(entries.size(), kMaxRankedThreads);
    std::partial_sort(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(n),
                      entries.end(),
                      [](const auto* a, const auto* b) { return ranksBefore(*a, *b); });
    s.threadRanking.clear();
    for (std::size_t i = 0; i < n; ++i)
        s.threadRanking.push_back({std::string(entries[i]->first), entries[i]->second});
}

// The title with most posts; among equal counts the first in byte order.
TextCount mostWritten(const TextCounter& titles) {
    const auto& counts = titles.counts();
    auto best = std::min_element(counts.begin(), counts.end(), ranksBefore);
    if (best == counts.end()) return {};
    return {std::string(best->first), best->second};
}

int monthNumber(const PostLocalTime& lt) {
    return lt.year * 12 + lt.month - 1;
}

// Titles and directories lie in the log's text, each post's a few hundred bytes from the
// next one's, too far apart for the processor to fetch them ahead by itself. Asking for the
// texts of a post some posts ahead keeps the walk from waiting on memory at every post.
constexpr std::size_t kPrefetchAhead = 16;

void prefetchTexts(const PostRecord& p) {
    __builtin_prefetch(p.dir);
    __builtin_prefetch(p.title);
}

} // namespace

void countTextTables(PostStatistics& s, const PostList& posts, bool threadRanking,
                     bool monthThreadRanking) {
    TextCounter byDir, byName, byTitle, monthTitles;
    s.monthThreadRanking.clear();
    int month = 0;
    const std::size_t n = posts.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i + kPrefetchAhead < n) prefetchTexts(*posts[i + kPrefetchAhead]);
        const PostRecord& p = *posts[i];
        if (p.knownBbs())
            byDir.add(p.dir);
        else
            byName.add(p.boardName());
        if (!threadRanking && !monthThreadRanking) continue;
        const std::string_view title = p.title;
        if (threadRanking) byTitle.add(title);
        if (monthThreadRanking) {
            const int m = monthNumber(p.local());
            if (i == 0) {
                month = m;
            } else if (m != month) {
                s.monthThreadRanking.push_back(mostWritten(monthTitles));
                monthTitles.clear();
                // Months without posts in between get empty entries.
                for (int gap = month + 1; gap < m; ++gap) s.monthThreadRanking.push_back({});
                month = m;
            }
            monthTitles.add(title);
        }
    }
    if (monthThreadRanking && !posts.empty())
        s.monthThreadRanking.push_back(mostWritten(monthTitles));
    buildBoardTable(s, byDir, byName);
    s.threadCount = 0;
    s.threadRanking.clear();
    if (threadRanking) buildThreadRanking(s, byTitle);
}

} // namespace lorvanel
