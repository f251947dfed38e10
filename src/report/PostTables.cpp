// The tables of fixed shape, filled in one walk that converts each post's time to local time
// once.
#include "report/CalendarText.h"
#include "report/RankedList.h"
#include "report/StatisticsSteps.h"
#include "platform/Cancellation.h"

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

// The walk, with localOf(i, post) giving the local time of the i-th post; false as soon as
// it gives none.
template <class LocalOf>
bool countWith(PostStatistics& s, const PostList& posts, LocalOf&& localOf) {
    int hours[24] = {};
    int weekdays[7] = {};
    int lines[100] = {};
    int longest = 0;
    const int dayCount = std::max(1, s.daysInPeriod);
    s.days.assign(static_cast<std::size_t>(dayCount), KeyCount{});
    for (int k = 0; k < dayCount; ++k) s.days[k].key = k;
    s.lineTotal = 0;
    releasePosts(s.createdThreads);
    BusiestHours busiest(s.busiestHours);

    // The records of a selection lie apart in memory, too irregularly for the processor to
    // fetch them ahead by itself: each is asked for some posts before its turn.
    constexpr std::size_t kAhead = 16;
    const std::size_t n = posts.size();
    CancelPoll poll;
    for (std::size_t i = 0; i < n; ++i) {
        poll();
        if (i + kAhead < n) __builtin_prefetch(posts[i + kAhead]);
        PostRecord* p = posts[i];
        DayHour lt;
        if (!localOf(i, *p, lt)) return false;
        ++hours[lt.hour % 24];
        ++weekdays[lt.weekday % 7];
        // Local dates only grow along the list; the clamp keeps a zone whose offset jumps
        // back across midnight from indexing outside the table.
        ++s.days[std::clamp(lt.dayNumber - s.firstDayNumber, 0, dayCount - 1)].count;
        if (p->lineCount >= 1 && p->lineCount <= 99) {
            ++lines[p->lineCount];
            s.lineTotal += p->lineCount;
            longest = std::max(longest, p->lineCount);
        }
        if (p->newThread()) s.createdThreads.pushBack(p);
        busiest.add(*p, lt);
    }
    busiest.flush();

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
    countWith(s, posts, [&](std::size_t i, const PostRecord& p, DayHour& lt) {
        const PostLocalTime local = p.local();
        lt = {local.dayNumber, local.hour, local.weekday};
        if (record) {
            if (p.seq == static_cast<std::int32_t>(i + 1)) {
                PostKeys::Key& key = record->ofPost[i];
                key.dayNumber = local.dayNumber;
                key.hour = local.hour;
            } else {
                // Not a whole log in order: nothing to record.
                record->clear();
                record = nullptr;
            }
        }
        return true;
    });
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
