#pragma once
#include <cstdint>

#include "core/GameState.h"

namespace fl3 {

// Result codes of Move.
enum MoveResult : std::int32_t {
  MoveFree = 0,
  MoveBox = 1,
  MoveBlock = 2,
  MoveFigure = 3,
  MoveBomb = 4,
  MoveFire = 5,
  MoveOffGrid = 6,
  MoveBusy = 7,
  MoveTookFire = 8,
  MoveTookDoubleFire = 9,
  MoveTookBomb = 10,
};

inline constexpr std::int32_t kStepPixels = 8;
inline constexpr std::int32_t kCellPixels = 32;
inline constexpr std::int32_t kAnimPeriodMs = 250;

// Tries to start a one-cell step of figure `figure` toward `direction`.
// A figure that does not stand on the grid is refused with MoveOffGrid.
std::int32_t Move(GameState& state, int figure, std::int32_t direction);

// Advances a step under way by one frame.
void Prepare(Character& figure, std::int32_t frameTime);

// The neighbour of (x, y) in a direction 0..3.
void StepFrom(std::int32_t direction, std::int32_t& x, std::int32_t& y);

}  // namespace fl3
