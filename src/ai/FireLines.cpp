#include "ai/FireLines.h"

#include "ai/PathSearch.h"

#include <cstdlib>

#include "match/FigureWalk.h"

namespace fl3::ai {
namespace {

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

void MarkStrongerLines(const GameState& state, int figure, std::array<bool, CellCount>& marked) {
  marked.fill(false);
  const Character& me = state.Characters[static_cast<std::size_t>(figure)];
  for (int i = 0; i < FigureCount; ++i) {
    const Character& other = state.Characters[static_cast<std::size_t>(i)];
    if (i == figure || !other.InPlay() || !OnMap(other.X, other.Y)) continue;
    const bool stronger = other.PowerFire > me.PowerFire ||
                          (other.PowerFire == me.PowerFire && other.PowerBombs > me.PowerBombs);
    if (!stronger) continue;
    ForEachArmCell(
        state, CellIndex(other.X, other.Y), other.PowerFire + 1,
        [&](int c) { marked[static_cast<std::size_t>(c)] = true; }, [](int) {});
  }
}

int Answerer(const GameState& state, int figure, int cell) {
  constexpr int kStepsBeyondReach = 3;
  int best = -1;
  for (int i = 0; i < FigureCount; ++i) {
    const Character& other = state.Characters[static_cast<std::size_t>(i)];
    const int at = StandingCell(other);
    if (i == figure || at < 0) continue;
    if (state.TileMap[static_cast<std::size_t>(at)] > CellDoodad) continue;
    int bombs = 0;
    for (const Bomb& bomb : state.Bombs) bombs += bomb.Owner == i ? 1 : 0;
    if (bombs > other.PowerBombs || Distance(at, cell) > other.PowerFire + kStepsBeyondReach) continue;
    if (best < 0 || Distance(at, cell) < Distance(StandingCell(state.Characters[static_cast<std::size_t>(best)]), cell)) {
      best = i;
    }
  }
  return best;
}

}  // namespace fl3::ai
