#pragma once
#include <cstdint>
#include <limits>

namespace fl3::netlab {

// A machine's own steady clock, as two real machines have: set apart from
// true time by an offset (hours or days) and running a little fast or slow.
struct MachineClock {
  std::int64_t offsetMs = 0;
  double ratePpm = 0;  // parts per million faster (negative: slower)

  // This machine's reading at true time `trueMs` (counted from its origin).
  std::int64_t Local(std::int64_t trueMs) const {
    return offsetMs + trueMs + static_cast<std::int64_t>(static_cast<double>(trueMs) * ratePpm / 1e6);
  }
  // The first true time at which this machine reads `localMs` or later.
  std::int64_t TrueOf(std::int64_t localMs) const {
    constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max() / 4;
    if (localMs >= kNever) return kNever;
    if (localMs <= -kNever) return -kNever;
    std::int64_t at = static_cast<std::int64_t>(static_cast<double>(localMs - offsetMs) / (1 + ratePpm / 1e6));
    while (Local(at) < localMs) ++at;
    while (Local(at - 1) >= localMs) --at;
    return at;
  }
};

}  // namespace fl3::netlab
