#include "colBomb.h"

namespace fl3 {

colBomb::colBomb(CellGrid& tiles) : tiles_(tiles) {
  // At most one bomb per cell in ordinary play: no allocation during a match.
  bombs_.reserve(CellCount);
}

Bomb& colBomb::Add(std::int32_t x, std::int32_t y, std::int32_t explodeTimeLeft, std::int32_t explodeLevel,
                   std::int32_t explodeDuration, std::int32_t owner) {
  Bomb bomb;
  bomb.X = x;
  bomb.Y = y;
  bomb.ExplodeTimeLeft = explodeTimeLeft;
  bomb.ExplodeLevel = explodeLevel;
  bomb.ExplodeDuration = explodeDuration;
  bomb.Owner = owner;
  bombs_.push_back(bomb);
  return bombs_.back();
}

void colBomb::Discard(const Bomb& bomb) {
  if (OnMap(bomb.X, bomb.Y)) tiles_[static_cast<std::size_t>(CellIndex(bomb.X, bomb.Y))] = CellDoodad;
}

void colBomb::Remove(int position) {
  if (position < 1 || position > Count()) return;
  const auto it = bombs_.begin() + (position - 1);
  Discard(*it);
  bombs_.erase(it);
}

void colBomb::Clear() {
  while (!bombs_.empty()) Remove(Count());
}

}  // namespace fl3
