#pragma once
#include <cstdint>

namespace fl3 {

// Monotonic milliseconds: the game's steady clock, or a hand-advanced one in tests.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMs() = 0;
};

}  // namespace fl3
