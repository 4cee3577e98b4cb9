#pragma once
#include <cstdint>
#include <limits>

namespace fl3 {

// Counts and timers are 32-bit; a level or script may hand us values at the
// very edge of that range, so sums stop at the edge instead of wrapping.
inline std::int32_t AddClamped(std::int32_t value, std::int64_t delta) {
  const std::int64_t sum = static_cast<std::int64_t>(value) + delta;
  if (sum > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (sum < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(sum);
}

}  // namespace fl3
