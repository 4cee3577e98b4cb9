#include "match/FigureWalk.h"

#include <cstdlib>

#include "core/Rounding.h"
#include "match/WholeNumbers.h"

namespace fl3 {
namespace {

// Items are taken when the step starts, even if something further down the
// list then refuses the step.
std::int32_t TakeItem(std::int32_t& cell, Character& figure) {
  std::int32_t result = MoveFree;
  if (cell == CellItemFire) {
    figure.PowerFire = AddClamped(figure.PowerFire, 1);
    result = MoveTookFire;
  } else if (cell == CellItemFire2) {
    figure.PowerFire = AddClamped(figure.PowerFire, 2);
    result = MoveTookDoubleFire;
  } else if (cell == CellItemBomb) {
    figure.PowerBombs = AddClamped(figure.PowerBombs, 1);
    result = MoveTookBomb;
  } else {
    return result;
  }
  cell = CellNothing;
  return result;
}

bool FigureOn(const GameState& state, std::int32_t x, std::int32_t y) {
  for (const Character& other : state.Characters) {
    if (other.X == x && other.Y == y) return true;
  }
  return false;
}

bool InFireOf(const Bomb& bomb, std::int32_t x, std::int32_t y) {
  const bool horizontal = y == bomb.Y && x >= bomb.ExplodeLeft && x <= bomb.ExplodeRight;
  const bool vertical = x == bomb.X && y >= bomb.ExplodeUp && y <= bomb.ExplodeDown;
  return horizontal || vertical;
}

std::int32_t BombRefusal(const GameState& state, std::int32_t x, std::int32_t y) {
  for (const Bomb& bomb : state.Bombs) {
    if (bomb.X == x && bomb.Y == y) return MoveBomb;
    if (bomb.Exploded && InFireOf(bomb, x, y)) return MoveFire;
  }
  return MoveFree;
}

std::int32_t TestTarget(GameState& state, Character& figure, std::int32_t x, std::int32_t y) {
  if (!OnMap(figure.X, figure.Y) || !OnMap(x, y)) return MoveOffGrid;
  std::int32_t& cell = state.Tile(x, y);
  if (IsBox(cell)) return MoveBox;
  if (IsBlock(cell)) return MoveBlock;
  const std::int32_t item = TakeItem(cell, figure);
  if (FigureOn(state, x, y)) return MoveFigure;
  if (const std::int32_t refusal = BombRefusal(state, x, y); refusal != MoveFree) return refusal;
  figure.Moving = true;
  figure.AnimTime = kAnimPeriodMs;
  return item;
}

}  // namespace

void StepFrom(std::int32_t direction, std::int32_t& x, std::int32_t& y) {
  switch (direction) {
    case DirLeft: x = AddClamped(x, -1); break;
    case DirUp: y = AddClamped(y, -1); break;
    case DirRight: x = AddClamped(x, 1); break;
    case DirDown: y = AddClamped(y, 1); break;
    default: break;
  }
}

std::int32_t Move(GameState& state, int figureIndex, std::int32_t direction) {
  Character& figure = state.Characters[static_cast<std::size_t>(figureIndex)];
  if (figure.Moving) return MoveBusy;
  if (direction < DirLeft || direction > DirDown) return MoveOffGrid;
  std::int32_t x = figure.X;
  std::int32_t y = figure.Y;
  StepFrom(direction, x, y);
  const std::int32_t result = TestTarget(state, figure, x, y);
  figure.Direction = direction;
  return result;
}

void Prepare(Character& figure, std::int32_t frameTime) {
  if (!figure.Moving) return;
  figure.AnimTime = AddClamped(figure.AnimTime, -static_cast<std::int64_t>(frameTime));
  figure.StepOffset = AddClamped(figure.StepOffset, kStepPixels);
  if (figure.AnimTime <= 0) {
    const double periods = std::abs(static_cast<double>(figure.AnimTime)) / kAnimPeriodMs;
    figure.AnimFrame = RoundHalfEven(periods + figure.AnimFrame) % 3;
    figure.AnimTime = kAnimPeriodMs;
  }
  if (figure.StepOffset >= kCellPixels) {
    figure.StepOffset = 0;
    figure.Moving = false;
    figure.AnimTime = 0;
    figure.AnimFrame = 0;
    StepFrom(figure.Direction, figure.X, figure.Y);
  }
}

}  // namespace fl3
