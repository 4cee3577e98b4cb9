#include "ai/FireLines.h"

#include <cstdlib>

#include "match/FigureWalk.h"

namespace fl3::ai {
namespace {

bool IsBomb(std::int32_t c) { return c >= CellBombFirst && c <= CellBombLast; }

// Calls `visit(cell)` for each cell the fire would cover and `stop(cell)`
// for the cell that ends an arm early.
template <typename Visit, typename Stop>
void ForEachArmCell(const GameState& state, int cell, int reach, Visit visit, Stop stop) {
  visit(cell);
  for (int direction = DirLeft; direction <= DirDown; ++direction) {
    std::int32_t x = cell % MapWidth;
    std::int32_t y = cell / MapWidth;
    for (int d = 1; d <= reach; ++d) {
      StepFrom(direction, x, y);
      if (!OnMap(x, y)) break;
      const int at = CellIndex(x, y);
      const std::int32_t code = state.TileMap[static_cast<std::size_t>(at)];
      if (IsBlock(code) || IsBomb(code) || IsBox(code)) {
        stop(at);
        break;
      }
      visit(at);
    }
  }
}

bool FigureCountsOn(const Character& figure, int cell) {
  if (!OnMap(figure.X, figure.Y)) return false;
  if (CellIndex(figure.X, figure.Y) == cell) return true;
  if (!figure.Moving) return false;
  std::int32_t x = figure.X;
  std::int32_t y = figure.Y;
  StepFrom(figure.Direction, x, y);
  return OnMap(x, y) && CellIndex(x, y) == cell;
}

}  // namespace

int FreshBoxesInReach(const GameState& state, const DangerMap& danger, int cell, int reach) {
  int boxes = 0;
  ForEachArmCell(
      state, cell, reach, [](int) {},
      [&](int at) {
        if (IsBox(state.TileMap[static_cast<std::size_t>(at)]) && !danger.BoxDoomed(at)) ++boxes;
      });
  return boxes;
}

int OpponentsInReach(const GameState& state, int figure, int cell, int reach) {
  int caught = 0;
  ForEachArmCell(
      state, cell, reach,
      [&](int at) {
        for (int i = 0; i < FigureCount; ++i) {
          const Character& other = state.Characters[static_cast<std::size_t>(i)];
          if (i != figure && other.InPlay() && FigureCountsOn(other, at)) ++caught;
        }
      },
      [](int) {});
  return caught;
}

int Distance(int cellA, int cellB) {
  return std::abs(cellA % MapWidth - cellB % MapWidth) + std::abs(cellA / MapWidth - cellB / MapWidth);
}

int NearestOpponentCell(const GameState& state, int figure, int from) {
  int best = -1;
  for (int i = 0; i < FigureCount; ++i) {
    const Character& other = state.Characters[static_cast<std::size_t>(i)];
    if (i == figure || !other.InPlay() || !OnMap(other.X, other.Y)) continue;
    const int cell = CellIndex(other.X, other.Y);
    if (best < 0 || Distance(from, cell) < Distance(from, best)) best = cell;
  }
  return best;
}

}  // namespace fl3::ai
