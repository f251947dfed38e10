// The tables of fixed shape, filled in one walk that converts each post's time to local time
// once.
#include "platform/Cancellation.h"
#include "platform/WorkerPool.h"
#include "report/RankedList.h"
#include "report/StatisticsSteps.h"
#include "stats/CalendarText.h"

#include <algorithm>

namespace lorvanel {

namespace {

// The local time of a post as the tables read it.
struct DayHour {
    int dayNumber = 0;
    int hour = 0;
    int weekday = 0; // 0 = Sunday
};

// Calendar hours: groups of consecutive posts in the same local date and hour.
class BusiestHours {
public:
    explicit BusiestHours(std::vector<TimeCount>& out) : out_(out) { out_.clear(); }
    void add(const PostRecord& p, const DayHour& lt) {
        if (count_ > 0 && (lt.dayNumber != day_ || lt.hour != hour_)) flush();
        day_ = lt.dayNumber;
        hour_ = lt.hour;
        last_ = p.time;
        ++count_;
    }
    void flush() {
        if (count_ == 0) return;
        const TimeCount candidate{last_, count_};
        offerRanked(out_, count_, kMaxBusiestHours, [&] { return candidate; });
        count_ = 0;
    }

private:
    std::vector<TimeCount>& out_;
    int day_ = 0;
    int hour_ = 0;
    Time32 last_ = 0;
    int count_ = 0;
};

// What one part of the walk counts; the parts' tables add up to the whole list's.
struct PartTables {
    int hours[24] = {};
    int weekdays[7] = {};
    int lines[100] = {};
    int longest = 0;
    int lineTotal = 0;
    std::vector<int> days; // by day index of the period
    std::vector<PostRecord*> createdThreads;
    std::vector<TimeCount> busiestHours;
    bool failed = false;   // localOf gave no local time
    bool notWhole = false; // a post's seq is not its place: nothing can be recorded
};

// Where the walk is cut into parts: never inside a calendar hour, whose posts the busiest
// hours count as one group.
template <class LocalOf>
std::vector<std::size_t> cutsBetweenHours(const PostList& posts, LocalOf& localOf) {
    const std::size_t n = posts.size();
    const std::size_t parts = partsFor(n);
    std::vector<std::size_t> cuts{0};
    for (std::size_t k = 1; k < parts; ++k) {
        std::size_t at = std::max(cuts.back(), partRange(n, parts, k).first);
        DayHour before, after;
        while (at > 0 && at < n && localOf(at - 1, *posts[at - 1], before) &&
               localOf(at, *posts[at], after) && before.dayNumber == after.dayNumber &&
               before.hour == after.hour)
            ++at;
        cuts.push_back(at);
    }
    cuts.push_back(n);
    return cuts;
}

// The walk over posts[first, last), with localOf(i, post, lt) giving the local time of the
// i-th post (false: none). With record, each post's local day and hour are recorded.
template <class LocalOf>
void countPart(PartTables& t, const PostList& posts, std::size_t first, std::size_t last,
               LocalOf& localOf, int firstDayNumber, PostKeys* record) {
    const int dayCount = static_cast<int>(t.days.size());
    BusiestHours busiest(t.busiestHours);
    // The records of a selection lie apart in memory, too irregularly for the processor to
    // fetch them ahead by itself: each is asked for some posts before its turn.
    constexpr std::size_t kAhead = 16;
    CancelPoll poll;
    for (std::size_t i = first; i < last; ++i) {
        poll();
        if (i + kAhead < last) __builtin_prefetch(posts[i + kAhead]);
        PostRecord* p = posts[i];
        DayHour lt;
        if (!localOf(i, *p, lt)) {
            t.failed = true;
            return;
        }
        if (record && !t.notWhole) {
            if (p->seq == static_cast<std::int32_t>(i + 1)) {
                PostKeys::Key& key = record->ofPost[i];
                key.dayNumber = lt.dayNumber;
                key.hour = static_cast<std::uint8_t>(lt.hour);
            } else {
                t.notWhole = true;
            }
        }
        ++t.hours[lt.hour % 24];
        ++t.weekdays[lt.weekday % 7];
        // Local dates only grow along the list; the clamp keeps a zone whose offset jumps
        // back across midnight from indexing outside the table.
        ++t.days[std::clamp(lt.dayNumber - firstDayNumber, 0, dayCount - 1)];
        if (p->lineCount >= 1 && p->lineCount <= 99) {
            ++t.lines[p->lineCount];
            t.lineTotal += p->lineCount;
            t.longest = std::max(t.longest, p->lineCount);
        }
        if (p->newThread()) t.createdThreads.push_back(p);
        busiest.add(*p, lt);
    }
    busiest.flush();
}

// The walk in parts side by side; false when localOf gave no local time for some post.
// localOf must bear being called from several threads for different posts.
template <class LocalOf>
bool countWith(PostStatistics& s, const PostList& posts, LocalOf&& localOf,
               PostKeys* record = nullptr) {
    const int dayCount = std::max(1, s.daysInPeriod);
    const std::vector<std::size_t> cuts = cutsBetweenHours(posts, localOf);
    std::vector<PartTables> parts(cuts.size() - 1);
    for (PartTables& t : parts) t.days.assign(static_cast<std::size_t>(dayCount), 0);
    runParts(parts.size(), [&](std::size_t k) {
        countPart(parts[k], posts, cuts[k], cuts[k + 1], localOf, s.firstDayNumber, record);
    });

    int hours[24] = {};
    int weekdays[7] = {};
    int lines[100] = {};
    int longest = 0;
    s.days.assign(static_cast<std::size_t>(dayCount), KeyCount{});
    for (int k = 0; k < dayCount; ++k) s.days[k].key = k;
    s.lineTotal = 0;
    releasePosts(s.createdThreads);
    s.busiestHours.clear();
    bool notWhole = false;
    for (const PartTables& t : parts) {
        if (t.failed) return false;
        notWhole = notWhole || t.notWhole;
        for (int h = 0; h < 24; ++h) hours[h] += t.hours[h];
        for (int w = 0; w < 7; ++w) weekdays[w] += t.weekdays[w];
        for (int k = 0; k < 100; ++k) lines[k] += t.lines[k];
        longest = std::max(longest, t.longest);
        s.lineTotal += t.lineTotal;
        for (int k = 0; k < dayCount; ++k) s.days[k].count += t.days[k];
        for (PostRecord* p : t.createdThreads) s.createdThreads.pushBack(p);
        // Hours never straddle two parts, and the parts are offered in list order, so equal
        // counts keep the order of a single walk.
        for (const TimeCount& h : t.busiestHours)
            offerRanked(s.busiestHours, h.count, kMaxBusiestHours, [&] { return h; });
    }
    if (record && notWhole) record->clear();

    s.hours.clear();
    for (int h = 0; h < 24; ++h) s.hours.push_back({h, hours[h]});
    s.weekdays.clear();
    for (int w = 0; w < 7; ++w) s.weekdays.push_back({weekdayName(w), weekdays[w]});
    s.lineCounts.clear();
    for (int k = 0; k <= longest; ++k) s.lineCounts.push_back({k, lines[k]});
    s.createdThreadCount = static_cast<std::uint32_t>(s.createdThreads.size());
    return true;
}

} // namespace

void countPostTables(PostStatistics& s, const PostList& posts, PostKeys* record) {
    if (record && record->ofPost.size() != posts.size()) record = nullptr;
    countWith(
        s, posts,
        [](std::size_t, const PostRecord& p, DayHour& lt) {
            const PostLocalTime local = p.local();
            lt = {local.dayNumber, local.hour, local.weekday};
            return true;
        },
        record);
}

bool countPostTablesByKeys(PostStatistics& s, const PostList& posts, const PostKeys& keys) {
    const std::size_t n = keys.ofPost.size();
    return countWith(s, posts, [&](std::size_t, const PostRecord& p, DayHour& lt) {
        if (p.seq < 1 || static_cast<std::size_t>(p.seq) > n) return false;
        const PostKeys::Key& key = keys.ofPost[static_cast<std::size_t>(p.seq) - 1];
        // The weekday as the local time conversion reckons it from the day.
        lt = {key.dayNumber, key.hour, ((key.dayNumber + 4) % 7 + 7) % 7};
        return true;
    });
}

} // namespace lorvanel
