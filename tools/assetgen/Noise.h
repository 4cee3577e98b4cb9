#pragma once
#include <cstdint>

namespace fl3::art {

// A fixed-seed number stream for speckles and scatter, so every build draws
// the same pictures.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
  std::uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  // 0 .. limit-1
  int Below(int limit) { return static_cast<int>(Next() % static_cast<std::uint32_t>(limit)); }
  bool Chance(int percent) { return Below(100) < percent; }

 private:
  std::uint32_t state_;
};

// The same value for the same cell, whatever order cells are drawn in.
inline std::uint32_t Hash(int x, int y, std::uint32_t seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

}  // namespace fl3::art
