#pragma once
#include <cstdint>

namespace fl3::ai {

// The computer player's own dice. The shared random source decides what
// boxes give, so drawing from it would change the match for everyone.
class CpuRandom {
 public:
  explicit CpuRandom(std::uint64_t seed) : state_(seed) {}

  std::uint32_t Next() {
    // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
  }
  // 0 .. bound - 1
  int Below(int bound) { return bound <= 0 ? 0 : static_cast<int>(Next() % static_cast<std::uint32_t>(bound)); }

 private:
  std::uint64_t state_;
};

}  // namespace fl3::ai
