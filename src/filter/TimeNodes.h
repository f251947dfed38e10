#pragma once
// Filter commands that test when a post was written, in local time: hour, weekday, date and
// date range.
#include "filter/FilterNode.h"

namespace lorvanel {

// hour: the local hour (0..23) lies in [low, high].
class HourNode final : public FilterNode {
public:
    HourNode(int low, int high) : low_(low), high_(high) {}
    bool Matches(const PostRecord& post) const override;
    int low() const { return low_; }
    int high() const { return high_; }

private:
    int low_;
    int high_;
};

// week: the weekday number (1 Sunday .. 7 Saturday) lies in [low, high].
class WeekdayNode final : public FilterNode {
public:
    WeekdayNode(int low, int high) : low_(low), high_(high) {}
    bool Matches(const PostRecord& post) const override;
    int low() const { return low_; }
    int high() const { return high_; }

private:
    int low_;
    int high_;
};

// A partial calendar date. month and day are -1 for "any"; the eight-digit form may give 0.
struct DateSpec {
    int year = 0;
    int month = -1;
    int day = -1;
    friend bool operator==(const DateSpec&, const DateSpec&) = default;
};

// date with one date: the local date lies within it.
class DateNode final : public FilterNode {
public:
    explicit DateNode(DateSpec date) : date_(date) {}
    bool Matches(const PostRecord& post) const override;
    const DateSpec& date() const { return date_; }

private:
    DateSpec date_;
};

// date with a range: the local date lies between the two, both ends included.
class DateRangeNode final : public FilterNode {
public:
    DateRangeNode(DateSpec start, DateSpec end) : start_(start), end_(end) {}
    bool Matches(const PostRecord& post) const override;
    const DateSpec& start() const { return start_; }
    const DateSpec& end() const { return end_; }

private:
    DateSpec start_;
    DateSpec end_;
};

} // namespace lorvanel
