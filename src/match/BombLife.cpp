#include "match/BombLife.h"

#include <algorithm>

#include "core/Rounding.h"
#include "match/Explosion.h"
#include "match/WholeNumbers.h"

namespace fl3 {
namespace {

void Animate(GameState& state, const Bomb& bomb) {
  if (!OnMap(bomb.X, bomb.Y)) return;
  std::int32_t& cell = state.Tile(bomb.X, bomb.Y);
  cell = AddClamped(cell, 1);
  if (cell == CellBombLast + 1) cell = CellBombFirst;
}

void ClearRow(GameState& state, std::int32_t y, std::int32_t from, std::int32_t to) {
  if (y < 0 || y >= MapHeight) return;
  for (std::int32_t x = std::max(from, 0); x <= std::min(to, MapWidth - 1); ++x) state.Tile(x, y) = CellNothing;
}

void ClearColumn(GameState& state, std::int32_t x, std::int32_t from, std::int32_t to) {
  if (x < 0 || x >= MapWidth) return;
  for (std::int32_t y = std::max(from, 0); y <= std::min(to, MapHeight - 1); ++y) state.Tile(x, y) = CellNothing;
}

}  // namespace

bool Prepare(GameState& state, Bomb& bomb, FrameEvents& events) {
  if (!bomb.Exploded) {
    Animate(state, bomb);
    bomb.ExplodeTimeLeft = AddClamped(bomb.ExplodeTimeLeft, -static_cast<std::int64_t>(state.FrameTime));
    if (bomb.ExplodeTimeLeft < 0) Explode(state, bomb, events);
    return false;
  }
  bomb.ExplodeDuration = AddClamped(bomb.ExplodeDuration, -static_cast<std::int64_t>(state.FrameTime));
  if (bomb.ExplodeDuration >= 0) return false;
  Die(state, bomb);
  return true;
}

void Quick(Bomb& bomb) { bomb.ExplodeTimeLeft = RoundHalfEven(bomb.ExplodeTimeLeft / 4.0); }

void Die(GameState& state, const Bomb& bomb) {
  if (OnMap(bomb.X, bomb.Y)) state.Tile(bomb.X, bomb.Y) = CellNothing;
  ClearRow(state, bomb.Y, bomb.ExplodeLeft, bomb.ExplodeRight);
  ClearColumn(state, bomb.X, bomb.ExplodeUp, bomb.ExplodeDown);
}

}  // namespace fl3
