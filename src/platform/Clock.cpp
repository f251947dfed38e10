#include "platform/Clock.h"

#include <climits>
#include <ctime>

namespace lorvanel {

namespace {
class SystemClock : public Clock {
public:
    Time32 now() const override {
        std::time_t t = std::time(nullptr);
        return t > INT32_MAX ? INT32_MAX : static_cast<Time32>(t);
    }
};
} // namespace

std::int64_t monotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

const Clock& systemClock() {
    static const SystemClock clock;
    return clock;
}

} // namespace lorvanel
