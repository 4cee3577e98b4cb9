#include "HunterBot.h"

#include <algorithm>

#include "ai/FireLines.h"
#include "ai/PathSearch.h"
#include "core/Bomb.h"
#include "match/FigureWalk.h"

namespace fl3::arena {
namespace {

// Decisions stuck before it steps aside, and how many steps it takes then.
constexpr int kStuckDecisions = 10, kStepsAside = 3;

bool Covers(const GameState& state, int bombCell, int reach, int cell) {
  bool covered = false;
  ai::ForEachArmCell(state, bombCell, reach, [&](int at) { covered = covered || at == cell; }, [](int) {});
  return covered;
}

// Whether a bomb that has not gone off would reach the cell.
bool InABombsLine(const GameState& state, int cell) {
  for (const Bomb& bomb : state.Bombs) {
    if (!bomb.Exploded && OnMap(bomb.X, bomb.Y) && Covers(state, CellIndex(bomb.X, bomb.Y), bomb.ExplodeLevel, cell)) {
      return true;
    }
  }
  return false;
}

int DirectionTo(int from, int to) {
  if (to == from - 1) return DirLeft;
  if (to == from - MapWidth) return DirUp;
  if (to == from + 1) return DirRight;
  return to == from + MapWidth ? DirDown : -1;
}

int Neighbour(int cell, int direction) {
  std::int32_t x = cell % MapWidth, y = cell / MapWidth;
  StepFrom(direction, x, y);
  return OnMap(x, y) ? CellIndex(x, y) : -1;
}

bool BombTicking(const GameState& state, int figure) {
  for (const Bomb& bomb : state.Bombs) {
    if (bomb.Owner == figure && !bomb.Exploded) return true;
  }
  return false;
}

bool BombReady(const GameState& state, int figure) {
  int mine = 0;
  for (const Bomb& bomb : state.Bombs) mine += bomb.Owner == figure ? 1 : 0;
  return mine <= state.Characters[static_cast<std::size_t>(figure)].PowerBombs;
}

bool FreeFloor(const GameState& state, int cell) {
  const std::int32_t code = state.TileMap[static_cast<std::size_t>(cell)];
  return (code <= CellDoodad || (code >= CellItemBomb && code <= CellItemFire2)) && !InABombsLine(state, cell);
}

bool FigureOn(const GameState& state, int cell) {
  for (const Character& figure : state.Characters) {
    if (figure.InPlay() && OnMap(figure.X, figure.Y) && CellIndex(figure.X, figure.Y) == cell) return true;
  }
  return false;
}

FigureControls Plant() {
  FigureControls controls;
  controls.plant = true;
  return controls;
}

}  // namespace

int HunterBot::Behind(int back) const {
  return trail_[static_cast<std::size_t>((trailTop_ + kTrailCells - back) % kTrailCells)];
}

void HunterBot::Arrive(int cell) {
  if (trailSize_ > 0 && cell == backingTo_ && Behind(1) == cell) {
    trailTop_ = (trailTop_ + kTrailCells - 1) % kTrailCells;
    --trailSize_;
  } else if (cell_ >= 0) {
    // Back on a cell it passed: the loop just walked is now the way it came.
    for (int back = 1; back <= trailSize_; ++back) {
      if (Behind(back) == cell) {
        trailSize_ = back - 1;
        break;
      }
    }
    trail_[static_cast<std::size_t>(trailTop_)] = static_cast<std::int16_t>(cell_);
    trailTop_ = (trailTop_ + 1) % kTrailCells;
    trailSize_ = std::min(trailSize_ + 1, kTrailCells);
  }
  backingTo_ = -1;
  cell_ = cell;
}

bool HunterBot::CanGetBack(const GameState& state, int here, int reach) const {
  const int stepsInAFuse = kBombFuseMs / std::max(state.FrameTime, 1) / ai::FramesPerStep();
  for (int back = 1; back <= trailSize_ && back < stepsInAFuse; ++back) {
    if (InABombsLine(state, Behind(back))) return false;
    if (!Covers(state, here, reach, Behind(back))) return true;
  }
  return false;
}

FigureControls HunterBot::Retreat(int here) {
  if (trailSize_ == 0) return {};
  backingTo_ = Behind(1);
  return ControlsToward(DirectionTo(here, backingTo_));
}

FigureControls HunterBot::StepAside(const GameState& state, int here) {
  --asideLeft_;
  int open[4];
  int count = 0;
  for (int direction = DirLeft; direction <= DirDown; ++direction) {
    const int next = Neighbour(here, direction);
    if (next >= 0 && FreeFloor(state, next)) open[count++] = direction;
  }
  return count == 0 ? FigureControls{} : ControlsToward(open[random_.Below(count)]);
}

FigureControls HunterBot::Advance(const GameState& state, int figure, int here) {
  const Character& me = state.Characters[static_cast<std::size_t>(figure)];
  const bool plantable = BombReady(state, figure) && state.TileMap[static_cast<std::size_t>(here)] <= CellDoodad &&
                         CanGetBack(state, here, me.PowerFire);
  if (plantable && ai::OpponentsInReach(state, figure, here, me.PowerFire) > 0) return Plant();
  dig_.Run(state, figure);
  int best = here;
  for (int direction = DirLeft; direction <= DirDown; ++direction) {
    const int next = Neighbour(here, direction);
    if (next >= 0 && dig_.To(next) < dig_.To(best)) best = next;
  }
  // Walking into a figure is refused: that counts as standing.
  if (best == here || FigureOn(state, best)) return {};
  if (IsBox(state.TileMap[static_cast<std::size_t>(best)])) return plantable ? Plant() : FigureControls{};
  return InABombsLine(state, best) ? FigureControls{} : ControlsToward(DirectionTo(here, best));
}

FigureControls HunterBot::ControlsFor(const GameState& state, int figure) {
  const Character& me = state.Characters[static_cast<std::size_t>(figure)];
  if (me.Moving || !OnMap(me.X, me.Y)) return {};
  const int here = CellIndex(me.X, me.Y);
  if (here != cell_) Arrive(here);
  if (InABombsLine(state, here)) return Retreat(here);
  if (asideLeft_ > 0) return StepAside(state, here);
  const FigureControls controls = Advance(state, figure, here);
  const bool idle = controls == FigureControls{} && !BombTicking(state, figure);
  stuck_ = idle ? stuck_ + 1 : 0;
  if (stuck_ >= kStuckDecisions) {
    stuck_ = 0;
    asideLeft_ = kStepsAside;
  }
  return controls;
}

}  // namespace fl3::arena
