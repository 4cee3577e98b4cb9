#include "match/Planting.h"

namespace fl3 {
namespace {

int BombsOf(const GameState& state, int owner) {
  int count = 0;
  for (const Bomb& bomb : state.Bombs) {
    if (bomb.Owner == owner) ++count;
  }
  return count;
}

}  // namespace

bool PlantBomb(GameState& state, int owner) {
  const Character& figure = state.Characters[static_cast<std::size_t>(owner)];
  if (!OnMap(figure.X, figure.Y)) return false;
  std::int32_t& cell = state.Tile(figure.X, figure.Y);
  if (cell > CellDoodad) return false;
  // Exploded bombs whose fire still shows count too.
  if (BombsOf(state, owner) > figure.PowerBombs) return false;
  state.Bombs.Add(figure.X, figure.Y, kBombFuseMs, figure.PowerFire, kBombFireMs, owner);
  cell = CellBombFirst;
  return false;
}

}  // namespace fl3
