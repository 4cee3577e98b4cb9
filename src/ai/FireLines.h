#pragma once
#include <array>

#include "ai/DangerMap.h"
#include "core/GameState.h"
#include "match/FigureWalk.h"

namespace fl3::ai {

// What a bomb of the given reach on `cell` would reach, read along its four
// arms the way fire runs: blocks and boxes stop an arm, bombs too.

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
      if (IsBlock(code) || (code >= CellBombFirst && code <= CellBombLast) || IsBox(code)) {
        stop(at);
        break;
      }
      visit(at);
    }
  }
}

// Figures in play other than `figure` it would catch, counting a figure in
// the middle of a step on both the cell it leaves and the one it enters.
int OpponentsInReach(const GameState& state, int figure, int cell, int reach);

// Cells apart along the grid, ignoring what lies between.
int Distance(int cellA, int cellB);

// The nearest other figure in play, or -1.
int NearestOpponentCell(const GameState& state, int figure, int from);

// Marks the cells in line with a figure better armed than `figure` (more
// fire, or as much fire and more bombs), within one more than its reach.
void MarkStrongerLines(const GameState& state, int figure, std::array<bool, CellCount>& marked);

// The nearest other figure that could answer a bomb on `cell` with one of
// its own close enough to shut the way out: a bomb in hand, a cell it can
// plant on (the one its step ends on), within its reach and three steps. -1
// when there is none.
int Answerer(const GameState& state, int figure, int cell);

}  // namespace fl3::ai
