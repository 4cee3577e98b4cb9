#pragma once
#include <cstdint>

namespace fl3 {

// The one generator of values in [0, 1) shared by everything that draws
// (random items, the random level choice). Never seeded: each run repeats
// the same sequence, as players of the original game came to expect.
class RandomSource {
 public:
  double Next();
  // Exactly as `count` calls of Next, in time that grows with its logarithm.
  void Skip(std::uint64_t count);
  std::uint32_t State() const { return state_; }
  // Back to a state State() returned, as when a match is rewound.
  void SetState(std::uint32_t state) { state_ = state; }

 private:
  static constexpr std::uint32_t kStart = 327680;
  std::uint32_t state_ = kStart;
};

}  // namespace fl3
