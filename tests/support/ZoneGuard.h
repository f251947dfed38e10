#pragma once
// Runs a test's body in another time zone: sets TZ for the guard's lifetime and then restores
// the zone every test runs in, dropping the local-time cache both times.
#include "platform/LocalTime.h"

#include <cstdlib>

namespace lorvanel::testing {

class ZoneGuard {
public:
    explicit ZoneGuard(const char* zone) {
        setenv("TZ", zone, 1);
        resetLocalTimeCache();
    }
    ~ZoneGuard() {
        setenv("TZ", "Asia/Tokyo", 1);
        resetLocalTimeCache();
    }
    ZoneGuard(const ZoneGuard&) = delete;
    ZoneGuard& operator=(const ZoneGuard&) = delete;
};

} // namespace lorvanel::testing
