#include "BaselineBot.h"

#include "match/FigureWalk.h"

namespace fl3::arena {
namespace {

bool IsBox(std::int32_t c) { return c >= CellBox1 && c <= CellBox3; }
bool Open(std::int32_t c) { return c < CellBox1 || (c >= CellItemBomb && c <= CellItemFire2); }

std::int32_t CodeToward(const GameState& state, const Character& me, int direction) {
  std::int32_t x = me.X;
  std::int32_t y = me.Y;
  StepFrom(direction, x, y);
  return OnMap(x, y) ? state.TileMap[static_cast<std::size_t>(CellIndex(x, y))] : CellBlock1;
}

}  // namespace

int BaselineBot::PickOpenDirection(const GameState& state, const Character& me) {
  int open[4];
  int count = 0;
  for (int d = DirLeft; d <= DirDown; ++d) {
    if (Open(CodeToward(state, me, d))) open[count++] = d;
  }
  return count == 0 ? -1 : open[random_.Below(count)];
}

FigureControls BaselineBot::ControlsFor(const GameState& state, int figure) {
  const Character& me = state.Characters[static_cast<std::size_t>(figure)];
  if (me.Moving || !OnMap(me.X, me.Y)) return {};
  if (runSteps_ > 0) {
    --runSteps_;
    if (direction_ < 0 || !Open(CodeToward(state, me, direction_))) direction_ = PickOpenDirection(state, me);
    return ControlsToward(direction_);
  }
  bool nextToBox = false;
  for (int d = DirLeft; d <= DirDown; ++d) nextToBox = nextToBox || IsBox(CodeToward(state, me, d));
  if (nextToBox && state.TileMap[static_cast<std::size_t>(CellIndex(me.X, me.Y))] <= CellDoodad) {
    direction_ = PickOpenDirection(state, me);
    runSteps_ = me.PowerFire + 2;
    FigureControls c = ControlsToward(direction_);
    c.plant = true;
    return c;
  }
  if (direction_ < 0 || random_.Below(4) == 0 || !Open(CodeToward(state, me, direction_))) {
    direction_ = PickOpenDirection(state, me);
  }
  return ControlsToward(direction_);
}

}  // namespace fl3::arena
