#include "RandomSource.h"

namespace fl3 {

double RandomSource::Next() {
  constexpr std::uint64_t kMultiplier = 1140671485;
  constexpr std::uint64_t kIncrement = 12820163;
  constexpr std::uint64_t kModulusMask = (1u << 24) - 1;
  state_ = static_cast<std::uint32_t>((state_ * kMultiplier + kIncrement) & kModulusMask);
  return static_cast<double>(state_) / static_cast<double>(1u << 24);
}

}  // namespace fl3
