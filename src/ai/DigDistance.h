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
  // Steps grow by 1 or 1 + kBoxSteps, so a ring of this many buckets of
  // cells waiting at one distance is enough.
  static constexpr int kBuckets = kBoxSteps + 2;
  static constexpr int kMaxWaiting = 4 * CellCount + FigureCount;

  void Wait(int cell, int steps);

  std::array<std::int16_t, CellCount> steps_{};
  std::array<std::int8_t, CellCount> cost_{};  // steps to enter; 0: never
  std::array<std::int16_t, kBuckets> first_{};  // -1: empty
  std::array<std::int16_t, kMaxWaiting> cellOf_{};
  std::array<std::int16_t, kMaxWaiting> next_{};
  int used_ = 0;
};

}  // namespace fl3::ai
