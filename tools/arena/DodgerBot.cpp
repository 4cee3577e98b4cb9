#include "DodgerBot.h"

namespace fl3::arena {
namespace {

constexpr std::int32_t kHeedMs = 1000;
// One decision in this many it sets off for a new cell.
constexpr int kStrollChance = 30;

}  // namespace

DodgerBot::DodgerBot(std::uint64_t seed) : random_(seed) {
  sight_.ownHeedMs = kHeedMs;
  sight_.othersHeedMs = kHeedMs;
}

int DodgerBot::PickStroll() {
  int count = 0;
  for (int cell = 0; cell < CellCount; ++cell) count += paths_.SafeToRest(cell) ? 1 : 0;
  int pick = random_.Below(count);
  for (int cell = 0; cell < CellCount; ++cell) {
    if (paths_.SafeToRest(cell) && pick-- == 0) return cell;
  }
  return -1;
}

FigureControls DodgerBot::ControlsFor(const GameState& state, int figure) {
  const Character& me = state.Characters[static_cast<std::size_t>(figure)];
  if (me.Moving || !OnMap(me.X, me.Y)) return {};
  sight_.self = figure;
  danger_.Build(state, sight_);
  paths_.Run(state, figure, danger_);
  const int here = paths_.Start();
  if (ai::AnyFrom(danger_.Blast(here), 0)) {
    goal_ = paths_.NearestRest();
  } else if (goal_ < 0 || goal_ == here || !paths_.SafeToRest(goal_)) {
    goal_ = random_.Below(kStrollChance) == 0 ? PickStroll() : -1;
  }
  return goal_ < 0 || goal_ == here ? FigureControls{} : ControlsToward(paths_.FirstMove(goal_));
}

}  // namespace fl3::arena
