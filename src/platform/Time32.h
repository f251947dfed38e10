#pragma once
// Signed 32-bit seconds since 1970-01-01 00:00:00 UTC, the time type of every post.
#include <cstdint>

namespace lorvanel {

using Time32 = std::int32_t;

} // namespace lorvanel
