#include "Rounding.h"

#include <cmath>
#include <limits>

namespace fl3 {

std::int32_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  const double lower = std::floor(value);
  const double fraction = value - lower;
  double rounded = lower;
  if (fraction > 0.5) {
    rounded = lower + 1.0;
  } else if (fraction == 0.5) {
    rounded = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
  }
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  if (rounded <= kMin) return std::numeric_limits<std::int32_t>::min();
  if (rounded >= kMax) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(rounded);
}

}  // namespace fl3
