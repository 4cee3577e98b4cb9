#include "ai/NetSearch.h"

#include <algorithm>
#include <array>

#include "core/Bomb.h"

namespace fl3::ai {

void NetSearch::Plan(const GameState& state, int planter, std::span<const NetBomb> bombs) {
  const Character& me = state.Characters[static_cast<std::size_t>(planter)];
  const std::int32_t frameMs = std::max(state.FrameTime, 1);
  const int last = bombs.empty() ? 0 : bombs.back().frame;
  std::array<Bomb, 3> planned{};
  const std::size_t count = std::min(bombs.size(), planned.size());
  for (std::size_t i = 0; i < count; ++i) {
    Bomb& bomb = planned[i];
    bomb.X = bombs[i].cell % MapWidth;
    bomb.Y = bombs[i].cell / MapWidth;
    bomb.ExplodeTimeLeft = kBombFuseMs - (last - bombs[i].frame) * frameMs;
    bomb.ExplodeLevel = me.PowerFire;
    bomb.Owner = planter;
  }
  sight_.self = planter;
  danger_.Build(state, sight_, {planned.data(), count}, last * frameMs);
  lastCell_ = count == 0 ? -1 : bombs[count - 1].cell;
}

bool NetSearch::Catches(const GameState& state, int victim) {
  const int cell = StandingCell(state.Characters[static_cast<std::size_t>(victim)]);
  if (cell < 0) return false;
  const int firstBlast = danger_.FirstBlastFrame(cell);
  if (firstBlast >= kHorizonFrames) return false;
  const int heedFrames = kRunnerHeedMs / std::max(state.FrameTime, 1);
  runner_.Run(state, victim, danger_, true, std::max(firstBlast - heedFrames, 0));
  return runner_.RestCount(1) == 0;
}

int NetSearch::WayOut(const GameState& state, int limitFrames) {
  if (lastCell_ < 0) return -1;
  planner_.RunFrom(state, danger_, lastCell_, 0, true);
  const int refuge = planner_.NearestRest();
  return refuge >= 0 && planner_.Arrival(refuge) <= limitFrames ? refuge : -1;
}

}  // namespace fl3::ai
