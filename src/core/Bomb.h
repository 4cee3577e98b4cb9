#pragma once
#include <cstdint>

namespace fl3 {

inline constexpr std::int32_t kBombFuseMs = 3000;
inline constexpr std::int32_t kBombFireMs = 100;

struct Bomb {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t ExplodeTimeLeft = 0;
  std::int32_t ExplodeLevel = 0;
  std::int32_t ExplodeLeft = 0;
  std::int32_t ExplodeUp = 0;
  std::int32_t ExplodeRight = 0;
  std::int32_t ExplodeDown = 0;
  std::int32_t ExplodeDuration = 0;
  bool Exploded = false;
  std::int32_t Owner = 0;
};

}  // namespace fl3
