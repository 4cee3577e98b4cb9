#pragma once
#include <array>
#include <cstdint>

#include "core/GameState.h"

namespace fl3::ai {

// Steps from every cell to the nearest other figure in play, counting a box
// on the way as the extra time it takes to burn it; blocks are never passed.
// A figure walled in by boxes is still worth digging towards.
class DigDistance {
 public:
  static constexpr int kBoxSteps = 5;
  static constexpr int kUnreachable = 30000;

  void Run(const GameState& state, int figure);
  int To(int cell) const { return steps_[static_cast<std::size_t>(cell)]; }

 private:
  std::array<std::int16_t, CellCount> steps_{};
  std::array<bool, CellCount> queued_{};
  std::array<std::int16_t, CellCount + 1> queue_{};
};

}  // namespace fl3::ai
