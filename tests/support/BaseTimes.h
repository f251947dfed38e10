#pragma once
// The times the tests start their posts at. Tests run in Tokyo time (TZ=Asia/Tokyo).
#include "platform/Time32.h"

namespace lorvanel::testing {

// 2008/01/02 03:04:05 Tokyo time, the default date of support/LogBuilder's posts.
inline constexpr Time32 kBase = 1199210645;

} // namespace lorvanel::testing
