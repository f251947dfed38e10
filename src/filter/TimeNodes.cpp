#include "filter/TimeNodes.h"

namespace lorvanel {

bool HourNode::Matches(const PostRecord& post) const {
    const int h = post.local().hour;
    return low_ <= h && h <= high_;
}

bool WeekdayNode::Matches(const PostRecord& post) const {
    const int w = post.local().weekday + 1;
    return low_ <= w && w <= high_;
}

bool DateNode::Matches(const PostRecord& post) const {
    const PostLocalTime t = post.local();
    if (t.year != date_.year) return false;
    if (date_.month != -1 && t.month != date_.month) return false;
    if (date_.day != -1 && t.day != date_.day) return false;
    return true;
}

bool DateRangeNode::Matches(const PostRecord& post) const {
    const PostLocalTime t = post.local();
    const int y = t.year, m = t.month, d = t.day;
    if (y < start_.year || y > end_.year) return false;
    if (y > start_.year && y < end_.year) return true;
    // In the first year: not before the start's month, nor before its day in that month.
    if (y == start_.year && start_.month > 0) {
        if (m < start_.month) return false;
        if (start_.day > 0 && m == start_.month && d < start_.day) return false;
    }
    if (y != end_.year) return true;
    // In the last year: not after the end's month, nor after its day in that month.
    if (end_.month < 0 || m < end_.month) return true;
    if (m > end_.month) return false;
    return !(end_.day >= 0 && d > end_.day);
}

} // namespace lorvanel
