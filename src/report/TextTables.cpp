// Counting by board and by thread title, in one walk: the texts lie scattered over the whole
// log buffer, so touching each post's texts once matters more than anything else here. Text
// keys are plain bytes (std::string_view compares like memcmp); the counts live in hash
// maps, since only the final orders matter: the board table is sorted, and the rankings pick
// their best entries by (count, text).
#include "input/BoardDirectory.h"
#include "platform/Cancellation.h"
#include "platform/LocalTime.h"
#include "platform/WorkerPool.h"
#include "report/StatisticsSteps.h"
#include "stats/BoardRanking.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace lorvanel {

namespace {

// Counts by text in a flat open-addressing table whose keys are copied into a pool of the
// counter's own. The posts' texts lie scattered over the whole log buffer; a node-based map
// keyed by views of them would fetch a node and then the first post's text from memory for
// nearly every post, the more often the larger the log. Here a lookup touches the slot array,
// the dense entries and the pooled key, which stay in the cache for a log's few ten thousand
// threads. Consecutive posts mostly share their key, so the last key's entry is tried first.
class TextCounter {
public:
    using Entry = std::pair<std::string_view, int>;

    // Counts key `times` more; returns the number of its entry.
    std::size_t add(std::string_view key, int times = 1) {
        if (last_ < entries_.size() && entries_[last_].first == key) {
            entries_[last_].second += times;
            return last_;
        }
        last_ = find(key);
        entries_[last_].second += times;
        return last_;
    }
    // The texts (pointing into this counter, valid while it lives) and their counts.
    const std::vector<Entry>& counts() const { return entries_; }
    // Room for n texts in all, so that adding up to n grows nothing by doubling.
    void reserve(std::size_t n) {
        entries_.reserve(n);
        if (n * 4 > slots_.size() * 3) rehash(slotsFor(n));
    }
    void clear() {
        entries_.clear();
        std::fill(slots_.begin(), slots_.end(), Slot{});
        pool_.clear();
        poolLeft_ = 0;
        last_ = kNone;
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t entry = 0; // index + 1; 0: empty
    };

    // The slots for n texts: at most three quarters of them taken. Each slot is a short
    // hash and a number, so the probes stay short and the table small.
    static std::size_t slotsFor(std::size_t n) {
        std::size_t slots = 64;
        while (n * 4 > slots * 3) slots *= 2;
        return slots;
    }

    std::size_t find(std::string_view key) {
        if ((entries_.size() + 1) * 4 > slots_.size() * 3) rehash(slotsFor(entries_.size() + 1));
        const std::size_t h = std::hash<std::string_view>()(key);
        const auto shortHash = static_cast<std::uint32_t>(h);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = h & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (slot.entry == 0) {
                entries_.push_back({keep(key), 0});
                slot = {shortHash, static_cast<std::uint32_t>(entries_.size())};
                return entries_.size() - 1;
            }
            if (slot.hash == shortHash && entries_[slot.entry - 1].first == key)
                return slot.entry - 1;
        }
    }

    void rehash(std::size_t size) {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(size, Slot{});
        const std::size_t mask = slots_.size() - 1;
        for (const Slot& s : old) {
            if (s.entry == 0) continue;
            const std::size_t h = std::hash<std::string_view>()(entries_[s.entry - 1].first);
            std::size_t i = h & mask;
            while (slots_[i].entry != 0) i = (i + 1) & mask;
            slots_[i] = s;
        }
    }

    // A copy of the key in the pool, which never moves what it holds.
    std::string_view keep(std::string_view key) {
        if (key.size() > poolLeft_) {
            const std::size_t n = std::max<std::size_t>(key.size(), 64 * 1024);
            pool_.push_back(std::make_unique<char[]>(n));
            poolNext_ = pool_.back().get();
            poolLeft_ = n;
        }
        if (!key.empty()) std::memcpy(poolNext_, key.data(), key.size());
        const std::string_view kept(poolNext_, key.size());
        poolNext_ += key.size();
        poolLeft_ -= key.size();
        return kept;
    }

    std::vector<Slot> slots_;
    std::vector<Entry> entries_;
    std::vector<std::unique_ptr<char[]>> pool_;
    char* poolNext_ = nullptr;
    std::size_t poolLeft_ = 0;
    std::size_t last_ = kNone;
};

// The ranking order: more posts first, equal counts by text in byte order.
bool ranksBefore(const TextCounter::Entry& a, const TextCounter::Entry& b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
}

void buildBoardTable(PostStatistics& s, const TextCounter& byDir, const TextCounter& byName) {
    s.boards.clear();
    const BoardDirectory& directory = boardDirectory();
    for (const auto& [dir, count] : byDir.counts())
        s.boards.push_back({directory.knownBoardName(dir), count});
    for (const auto& [name, count] : byName.counts())
        s.boards.push_back({std::string(name), count});
    // Two directories may share a display name: they stay two rows.
    rankBoardTable(s.boards);
}

// The best n titles without sorting them all.
void buildThreadRanking(PostStatistics& s, const TextCounter& byTitle) {
    s.threadCount = static_cast<int>(byTitle.counts().size());
    std::vector<const TextCounter::Entry*> entries;
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

namespace {

// What one part of the walk counts. With a record, each post's key holds the part's own
// numbers of its board and title: a named board's counted down from kMaxBoards - 1.
struct TextPart {
    TextCounter byDir, byName, byTitle;
    std::vector<std::string_view> titleTexts; // per byTitle entry, into the log's text
    // The most-written title of each month from the part's first to its last, gaps included.
    std::vector<TextCount> months;
    int firstMonth = 0;
    int lastMonth = 0;
    bool notWhole = false; // a post's seq is not its place: nothing can be recorded
};

struct TextWalk {
    bool threadRanking = false;
    bool monthThreadRanking = false;
    bool allTitles = false;
    PostKeys* record = nullptr;
};

void countTextPart(TextPart& t, const PostList& posts, std::size_t first, std::size_t last,
                   const TextWalk& w) {
    TextCounter monthTitles;
    int month = 0;
    for (std::size_t i = first; i < last; ++i) {
        if (i + 2 * kPrefetchAhead < last) __builtin_prefetch(posts[i + 2 * kPrefetchAhead]);
        if (i + kPrefetchAhead < last) prefetchTexts(*posts[i + kPrefetchAhead]);
        const PostRecord& p = *posts[i];
        std::size_t board = 0;
        bool named = false;
        if (p.knownBbs()) {
            board = t.byDir.add(p.dir);
        } else {
            board = t.byName.add(p.boardName());
            named = true;
        }
        std::uint32_t titleKey = 0;
        if (w.threadRanking || w.monthThreadRanking) {
            const std::string_view title = p.title;
            if (w.allTitles) {
                const std::size_t before = t.byTitle.counts().size();
                titleKey = static_cast<std::uint32_t>(t.byTitle.add(title));
                if (w.record && t.byTitle.counts().size() > before) t.titleTexts.push_back(title);
            }
            if (w.monthThreadRanking) {
                const int m = monthNumber(p.local());
                if (i == first) {
                    month = t.firstMonth = m;
                } else if (m != month) {
                    t.months.push_back(mostWritten(monthTitles));
                    monthTitles.clear();
                    // Months without posts in between get empty entries.
                    for (int gap = month + 1; gap < m; ++gap) t.months.push_back({});
                    month = m;
                }
                monthTitles.add(title);
            }
        }
        if (w.record && !t.notWhole) {
            if (p.seq != static_cast<std::int32_t>(i + 1)) {
                t.notWhole = true;
            } else {
                PostKeys::Key& key = w.record->ofPost[i];
                key.board =
                    static_cast<std::uint16_t>(named ? PostKeys::kMaxBoards - 1 - board : board);
                key.title = titleKey;
            }
        }
    }
    if (w.monthThreadRanking && first < last) {
        t.months.push_back(mostWritten(monthTitles));
        t.lastMonth = month;
    }
}

// Where the walk is cut into parts: with the monthly ranking, only between months.
std::vector<std::size_t> textCuts(const PostList& posts, bool betweenMonths) {
    const std::size_t n = posts.size();
    const std::size_t parts = partsFor(n);
    std::vector<std::size_t> cuts{0};
    for (std::size_t k = 1; k < parts; ++k) {
        std::size_t at = std::max(cuts.back(), partRange(n, parts, k).first);
        if (betweenMonths)
            while (at > 0 && at < n &&
                   monthNumber(posts[at - 1]->local()) == monthNumber(posts[at]->local()))
                ++at;
        cuts.push_back(at);
    }
    cuts.push_back(n);
    return cuts;
}

} // namespace

void countTextTables(PostStatistics& s, const PostList& posts, bool threadRanking,
                     bool monthThreadRanking, PostKeys* record) {
    s.monthThreadRanking.clear();
    if (record && record->ofPost.size() != posts.size()) record = nullptr;
    if (record) record->hasTitles = threadRanking || monthThreadRanking;
    TextWalk w;
    w.threadRanking = threadRanking;
    w.monthThreadRanking = monthThreadRanking;
    // Recording counts every title, also when only the monthly ranking is on.
    w.allTitles = threadRanking || (record && monthThreadRanking);
    w.record = record;
    const std::vector<std::size_t> cuts = textCuts(posts, monthThreadRanking);
    std::vector<TextPart> parts(cuts.size() - 1);
    runParts(parts.size(),
             [&](std::size_t k) { countTextPart(parts[k], posts, cuts[k], cuts[k + 1], w); });

    // The parts' counts added up in list order, so that every text is numbered where a
    // single walk would have first met it; each part's numbers map to the whole's. The first
    // part's counters become the whole's, since their numbers are already the whole's, and
    // each later part is let go once added: the title tables are the largest thing the walk
    // holds beside the log, and three of them at once set the report's peak memory.
    TextCounter byDir = std::move(parts[0].byDir);
    TextCounter byName = std::move(parts[0].byName);
    TextCounter byTitle = std::move(parts[0].byTitle);
    std::vector<std::vector<std::uint32_t>> dirOf(parts.size()), nameOf(parts.size()),
        titleOf(parts.size());
    auto firstNumbers = [](std::vector<std::uint32_t>& numbers, std::size_t n) {
        numbers.resize(n);
        for (std::size_t j = 0; j < n; ++j) numbers[j] = static_cast<std::uint32_t>(j);
    };
    firstNumbers(dirOf[0], byDir.counts().size());
    firstNumbers(nameOf[0], byName.counts().size());
    firstNumbers(titleOf[0], byTitle.counts().size());
    bool haveMonth = false;
    int month = 0;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        TextPart& t = parts[k];
        if (t.notWhole && record) {
            record->clear();
            record = nullptr;
        }
        if (k == 0) {
            if (record) record->titles = std::move(t.titleTexts);
        } else {
            byDir.reserve(byDir.counts().size() + t.byDir.counts().size());
            byName.reserve(byName.counts().size() + t.byName.counts().size());
            byTitle.reserve(byTitle.counts().size() + t.byTitle.counts().size());
            for (const auto& [dir, count] : t.byDir.counts())
                dirOf[k].push_back(static_cast<std::uint32_t>(byDir.add(dir, count)));
            for (const auto& [name, count] : t.byName.counts())
                nameOf[k].push_back(static_cast<std::uint32_t>(byName.add(name, count)));
            const auto& titles = t.byTitle.counts();
            for (std::size_t j = 0; j < titles.size(); ++j) {
                const std::size_t before = byTitle.counts().size();
                titleOf[k].push_back(
                    static_cast<std::uint32_t>(byTitle.add(titles[j].first, titles[j].second)));
                if (record && byTitle.counts().size() > before)
                    record->titles.push_back(t.titleTexts[j]);
            }
        }
        if (!t.months.empty()) {
            if (haveMonth)
                for (int gap = month + 1; gap < t.firstMonth; ++gap)
                    s.monthThreadRanking.push_back({});
            s.monthThreadRanking.insert(s.monthThreadRanking.end(), t.months.begin(),
                                        t.months.end());
            haveMonth = true;
            month = t.lastMonth;
        }
        t = TextPart();
    }
    buildBoardTable(s, byDir, byName);
    s.threadCount = 0;
    s.threadRanking.clear();
    if (threadRanking) buildThreadRanking(s, byTitle);
    if (record && byDir.counts().size() + byName.counts().size() > PostKeys::kMaxBoards) {
        record->clear();
        record = nullptr;
    }
    if (!record) return;
    for (const auto& [dir, count] : byDir.counts()) record->dirs.emplace_back(dir);
    for (const auto& [name, count] : byName.counts()) record->names.emplace_back(name);
    // Every key from its part's numbers to the whole's: directories first, then names.
    const std::size_t dirs = record->dirs.size();
    runParts(parts.size(), [&](std::size_t k) {
        const std::size_t firstName = PostKeys::kMaxBoards - nameOf[k].size();
        for (std::size_t i = cuts[k]; i < cuts[k + 1]; ++i) {
            PostKeys::Key& key = record->ofPost[i];
            key.board = static_cast<std::uint16_t>(
                key.board >= firstName ? dirs + nameOf[k][PostKeys::kMaxBoards - 1 - key.board]
                                       : dirOf[k][key.board]);
            if (w.allTitles) key.title = titleOf[k][key.title];
        }
    });
}

namespace {

// Counts of numbered texts over a walk, with the numbers that occurred, so that only those
// are visited (and reset) afterwards.
class KeyCounts {
public:
    explicit KeyCounts(std::size_t keys) : counts_(keys, 0) {}
    void add(std::uint32_t key, int times = 1) {
        if (counts_[key] == 0) seen_.push_back(key);
        counts_[key] += times;
    }
    // Adds other's counts; keys new to this one follow in other's order.
    void add(const KeyCounts& other) {
        for (std::uint32_t k : other.seen_) add(k, other.counts_[k]);
    }
    int count(std::uint32_t key) const { return counts_[key]; }
    const std::vector<std::uint32_t>& seen() const { return seen_; }
    void reset() {
        for (std::uint32_t k : seen_) counts_[k] = 0;
        seen_.clear();
    }

private:
    std::vector<int> counts_;
    std::vector<std::uint32_t> seen_;
};

// The ranking order of numbered titles: more posts first, equal counts by text.
struct TitleOrder {
    const KeyCounts& counts;
    const std::vector<std::string_view>& titles;
    bool operator()(std::uint32_t a, std::uint32_t b) const {
        const int ca = counts.count(a), cb = counts.count(b);
        return ca != cb ? ca > cb : titles[a] < titles[b];
    }
};

TextCount mostWrittenOf(const KeyCounts& month, const std::vector<std::string_view>& titles) {
    const auto& seen = month.seen();
    auto best = std::min_element(seen.begin(), seen.end(), TitleOrder{month, titles});
    if (best == seen.end()) return {};
    return {std::string(titles[*best]), month.count(*best)};
}

} // namespace

namespace {

int monthOfDay(int dayNumber) {
    int y = 0, m = 0, d = 0;
    civilFromDays(dayNumber, y, m, d);
    return y * 12 + m - 1;
}

// What one part of the walk over the keys counts.
struct KeyPart {
    KeyPart(std::size_t boardKeys, std::size_t threadKeys, std::size_t monthKeys)
        : boards(boardKeys), threads(threadKeys), monthThreads(monthKeys) {}
    KeyCounts boards, threads, monthThreads;
    std::vector<TextCount> months; // from the part's first month to its last, gaps included
    int firstMonth = 0;
    int lastMonth = 0;
    bool failed = false; // a post the keys don't cover
};

void countKeyPart(KeyPart& t, const PostList& posts, std::size_t first, std::size_t last,
                  bool threadRanking, bool monthThreadRanking, const PostKeys& keys) {
    const std::size_t n = keys.ofPost.size();
    int month = 0;
    // Neighbouring posts mostly share their day.
    int lastDay = 0, lastDayMonth = 0;
    bool haveDay = false;
    CancelPoll poll;
    for (std::size_t i = first; i < last; ++i) {
        poll();
        // The records of a selection lie apart: each is fetched well ahead of its turn.
        if (i + 2 * kPrefetchAhead < last) __builtin_prefetch(posts[i + 2 * kPrefetchAhead]);
        const PostRecord& p = *posts[i];
        if (p.seq < 1 || static_cast<std::size_t>(p.seq) > n) {
            t.failed = true;
            return;
        }
        const PostKeys::Key& key = keys.ofPost[static_cast<std::size_t>(p.seq) - 1];
        t.boards.add(key.board);
        if (threadRanking) t.threads.add(key.title);
        if (monthThreadRanking) {
            if (!haveDay || key.dayNumber != lastDay) {
                lastDay = key.dayNumber;
                lastDayMonth = monthOfDay(key.dayNumber);
                haveDay = true;
            }
            const int m = lastDayMonth;
            if (i == first) {
                month = t.firstMonth = m;
            } else if (m != month) {
                t.months.push_back(mostWrittenOf(t.monthThreads, keys.titles));
                t.monthThreads.reset();
                for (int gap = month + 1; gap < m; ++gap) t.months.push_back({});
                month = m;
            }
            t.monthThreads.add(key.title);
        }
    }
    if (monthThreadRanking && first < last) {
        t.months.push_back(mostWrittenOf(t.monthThreads, keys.titles));
        t.lastMonth = month;
    }
}

// Where the walk over the keys is cut: with the monthly ranking, only between months.
std::vector<std::size_t> keyCuts(const PostList& posts, bool betweenMonths, const PostKeys& keys) {
    const std::size_t n = posts.size();
    const std::size_t parts = partsFor(n);
    auto monthAt = [&](std::size_t i) {
        const std::size_t seq = static_cast<std::size_t>(posts[i]->seq);
        return seq >= 1 && seq <= keys.ofPost.size() ? monthOfDay(keys.ofPost[seq - 1].dayNumber)
                                                     : -1;
    };
    std::vector<std::size_t> cuts{0};
    for (std::size_t k = 1; k < parts; ++k) {
        std::size_t at = std::max(cuts.back(), partRange(n, parts, k).first);
        if (betweenMonths)
            while (at > 0 && at < n && monthAt(at - 1) == monthAt(at)) ++at;
        cuts.push_back(at);
    }
    cuts.push_back(n);
    return cuts;
}

} // namespace

bool countTextTablesByKeys(PostStatistics& s, const PostList& posts, bool threadRanking,
                           bool monthThreadRanking, const PostKeys& keys) {
    const bool titles = threadRanking || monthThreadRanking;
    if (titles && !keys.hasTitles) return false;
    const std::size_t dirCount = keys.dirs.size();
    const std::size_t boardKeys = dirCount + keys.names.size();
    const std::size_t threadKeys = threadRanking ? keys.titles.size() : 0;
    const std::size_t monthKeys = monthThreadRanking ? keys.titles.size() : 0;
    const std::vector<std::size_t> cuts = keyCuts(posts, monthThreadRanking, keys);
    std::vector<KeyPart> parts;
    parts.reserve(cuts.size() - 1);
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k)
        parts.emplace_back(boardKeys, threadKeys, monthKeys);
    runParts(parts.size(), [&](std::size_t k) {
        countKeyPart(parts[k], posts, cuts[k], cuts[k + 1], threadRanking, monthThreadRanking,
                     keys);
    });
    // The parts added up in list order: keys first seen where a single walk meets them.
    KeyCounts boards(boardKeys);
    KeyCounts threads(threadKeys);
    std::vector<TextCount> months;
    bool haveMonth = false;
    int month = 0;
    for (const KeyPart& t : parts) {
        if (t.failed) return false;
        boards.add(t.boards);
        threads.add(t.threads);
        if (t.months.empty()) continue;
        if (haveMonth)
            for (int gap = month + 1; gap < t.firstMonth; ++gap) months.push_back({});
        months.insert(months.end(), t.months.begin(), t.months.end());
        haveMonth = true;
        month = t.lastMonth;
    }

    s.monthThreadRanking = std::move(months);
    s.boards.clear();
    const BoardDirectory& directory = boardDirectory();
    for (std::uint32_t k : boards.seen())
        s.boards.push_back(
            {k < dirCount ? directory.knownBoardName(keys.dirs[k]) : keys.names[k - dirCount],
             boards.count(k)});
    rankBoardTable(s.boards);
    s.threadCount = 0;
    s.threadRanking.clear();
    if (threadRanking) {
        std::vector<std::uint32_t> seen = threads.seen();
        s.threadCount = static_cast<int>(seen.size());
        const std::size_t top = std::min(seen.size(), kMaxRankedThreads);
        std::partial_sort(seen.begin(), seen.begin() + static_cast<std::ptrdiff_t>(top), seen.end(),
                          TitleOrder{threads, keys.titles});
        for (std::size_t i = 0; i < top; ++i)
            s.threadRanking.push_back({std::string(keys.titles[seen[i]]), threads.count(seen[i])});
    }
    return true;
}

} // namespace lorvanel
