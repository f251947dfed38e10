// Counting by board, line count and thread. Text keys are compared as plain bytes
// (std::string_view compares like memcmp), and consecutive posts mostly share their key, so
// each counter remembers the last key's entry before searching its map.
#include "input/BoardDirectory.h"
#include "report/RankedList.h"
#include "report/StatisticsSteps.h"

#include <algorithm>
#include <map>
#include <string_view>

namespace lorvanel {

namespace {

class TextCounter {
public:
    void add(std::string_view key) {
        if (last_ == counts_.end() || last_->first != key)
            last_ = counts_.try_emplace(key, 0).first;
        ++last_->second;
    }
    const std::map<std::string_view, int>& counts() const { return counts_; }
    void clear() {
        counts_.clear();
        last_ = counts_.end();
    }

private:
    std::map<std::string_view, int> counts_;
    std::map<std::string_view, int>::iterator last_ = counts_.end();
};

} // namespace

void countBoards(PostStatistics& s, const PostList& posts) {
    TextCounter byDir, byName;
    for (const PostRecord* p : posts) {
        if (p->knownBbs())
            byDir.add(p->dir);
        else
            byName.add(p->boardName());
    }
    s.boards.clear();
    const BoardDirectory& directory = boardDirectory();
    for (const auto& [dir, count] : byDir.counts())
        s.boards.push_back({directory.knownBoardName(dir), count});
    for (const auto& [name, count] : byName.counts())
        s.boards.push_back({std::string(name), count});
    std::sort(s.boards.begin(), s.boards.end(), [](const TextCount& a, const TextCount& b) {
        return a.count != b.count ? a.count > b.count : a.text < b.text;
    });
}

void countLineCounts(PostStatistics& s, const PostList& posts) {
    int counts[100] = {};
    int longest = 0;
    s.lineTotal = 0;
    for (const PostRecord* p : posts) {
        const int lines = p->lineCount;
        if (lines < 1 || lines > 99) continue;
        ++counts[lines];
        s.lineTotal += lines;
        longest = std::max(longest, lines);
    }
    s.lineCounts.clear();
    for (int k = 0; k <= longest; ++k) s.lineCounts.push_back({k, counts[k]});
}

void collectCreatedThreads(PostStatistics& s, const PostList& posts) {
    releasePosts(s.createdThreads);
    for (PostRecord* p : posts)
        if (p->newThread()) s.createdThreads.pushBack(p);
    s.createdThreadCount = static_cast<std::uint32_t>(s.createdThreads.size());
}

void rankThreads(PostStatistics& s, const PostList& posts) {
    TextCounter byTitle;
    for (const PostRecord* p : posts) byTitle.add(p->title);
    s.threadCount = static_cast<int>(byTitle.counts().size());
    s.threadRanking.clear();
    for (const auto& [title, count] : byTitle.counts())
        offerRanked(s.threadRanking, count, kMaxRankedThreads, [&] {
            return TextCount{std::string(title), count};
        });
}

namespace {

// The title with the most posts; ties go to the title first in byte order.
TextCount mostWritten(const TextCounter& titles) {
    TextCount best;
    bool any = false;
    for (const auto& [title, count] : titles.counts()) {
        if (!any || count > best.count) {
            best = {std::string(title), count};
            any = true;
        }
    }
    return best;
}

int monthNumber(const PostLocalTime& lt) {
    return lt.year * 12 + lt.month - 1;
}

} // namespace

void rankMonthThreads(PostStatistics& s, const PostList& posts) {
    s.monthThreadRanking.clear();
    TextCounter titles;
    int month = 0;
    for (std::size_t i = 0; i < posts.size(); ++i) {
        const int m = monthNumber(posts[i]->local());
        if (i == 0) {
            month = m;
        } else if (m != month) {
            s.monthThreadRanking.push_back(mostWritten(titles));
            titles.clear();
            for (int gap = month + 1; gap < m; ++gap) s.monthThreadRanking.push_back({});
            month = m;
        }
        titles.add(posts[i]->title);
    }
    if (!posts.empty()) s.monthThreadRanking.push_back(mostWritten(titles));
}

} // namespace lorvanel
