#include "RandomSource.h"

namespace fl3 {
namespace {

constexpr std::uint64_t kMultiplier = 1140671485;
constexpr std::uint64_t kIncrement = 12820163;
constexpr std::uint64_t kModulusMask = (1u << 24) - 1;

}  // namespace

double RandomSource::Next() {
  state_ = static_cast<std::uint32_t>((state_ * kMultiplier + kIncrement) & kModulusMask);
  return static_cast<double>(state_) / static_cast<double>(1u << 24);
}

// Each step is the affine map x -> a x + c, so `count` steps are one affine
// map too, built by repeated squaring: a skip of any size costs a few dozen
// multiplications.
void RandomSource::Skip(std::uint64_t count) {
  std::uint64_t stepA = kMultiplier & kModulusMask, stepC = kIncrement;
  std::uint64_t totalA = 1, totalC = 0;
  for (; count > 0; count >>= 1) {
    if (count & 1) {
      totalA = (totalA * stepA) & kModulusMask;
      totalC = (totalC * stepA + stepC) & kModulusMask;
    }
    stepC = (stepC * (stepA + 1)) & kModulusMask;
    stepA = (stepA * stepA) & kModulusMask;
  }
  state_ = static_cast<std::uint32_t>((totalA * state_ + totalC) & kModulusMask);
}

}  // namespace fl3
