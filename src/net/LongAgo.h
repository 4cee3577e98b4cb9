#pragma once
#include <cstdint>
#include <limits>

namespace fl3::net {

// A moment before any clock reading: "never yet". A machine's clock may read
// anything, negative included, so no reading can stand for that.
inline constexpr std::int64_t kLongAgoMs = std::numeric_limits<std::int64_t>::min() / 4;

}  // namespace fl3::net
