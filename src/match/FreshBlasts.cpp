#include "match/FreshBlasts.h"

namespace fl3 {

void FreshBlasts::Remember(const GameState& state) {
  unexploded_.fill(false);
  for (const Bomb& bomb : state.Bombs) {
    if (!bomb.Exploded && OnMap(bomb.X, bomb.Y)) unexploded_[static_cast<std::size_t>(CellIndex(bomb.X, bomb.Y))] = true;
  }
}

bool FreshBlasts::BurstInFrame(const Bomb& bomb) const {
  return bomb.Exploded && OnMap(bomb.X, bomb.Y) && unexploded_[static_cast<std::size_t>(CellIndex(bomb.X, bomb.Y))];
}

bool FreshBlasts::FireCovers(const Bomb& bomb, std::int32_t x, std::int32_t y) {
  return (y == bomb.Y && x >= bomb.ExplodeLeft && x <= bomb.ExplodeRight) ||
         (x == bomb.X && y >= bomb.ExplodeUp && y <= bomb.ExplodeDown);
}

}  // namespace fl3
