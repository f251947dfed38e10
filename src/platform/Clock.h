#pragma once
// The current time ("now", injectable) and a millisecond stopwatch for the analysis log.
#include "platform/Time32.h"

#include <cstdint>

namespace lorvanel {

class Clock {
public:
    virtual ~Clock() = default;
    virtual Time32 now() const = 0;
};

// The wall clock.
const Clock& systemClock();

// A clock that always answers the same time (tests and the CLI's --now).
class FixedClock : public Clock {
public:
    explicit FixedClock(Time32 t) : t_(t) {}
    Time32 now() const override { return t_; }
    void set(Time32 t) { t_ = t; }

private:
    Time32 t_;
};

// A monotonic millisecond count. (The core avoids <chrono>: its headers hold a literal
// that the core's CP932 execution character set can't represent.)
std::int64_t monotonicMs();

// Counts milliseconds from construction.
class Stopwatch {
public:
    Stopwatch() : start_(monotonicMs()) {}
    int elapsedMs() const { return static_cast<int>(monotonicMs() - start_); }

private:
    std::int64_t start_;
};

} // namespace lorvanel
