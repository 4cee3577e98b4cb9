#include "ai/NetSearch.h"

#include <algorithm>

namespace fl3::ai {
namespace {

int Warned(const DangerMap& danger, int cell, std::int32_t frameMs) {
  return danger.FirstBlastSeen(cell, NetSearch::kRunnerHeedMs / frameMs);
}

// Refuges this much farther than the nearest one count as choices too:
// players break ties their own way.
constexpr int kRefugeSlackFrames = 4;

}  // namespace

void NetSearch::Plan(const GameState& state, int planter, std::span<const NetBomb> bombs) {
  const Character& me = state.Characters[static_cast<std::size_t>(planter)];
  const std::int32_t frameMs = std::max(state.FrameTime, 1);
  const int last = bombs.empty() ? 0 : bombs.back().frame;
  count_ = std::min(bombs.size(), planned_.size() - 1);
  for (std::size_t i = 0; i < count_; ++i) {
    Bomb& bomb = planned_[i];
    bomb = Bomb{};
    bomb.X = bombs[i].cell % MapWidth;
    bomb.Y = bombs[i].cell / MapWidth;
    bomb.ExplodeTimeLeft = kBombFuseMs - (last - bombs[i].frame) * frameMs;
    bomb.ExplodeLevel = me.PowerFire;
    bomb.Owner = planter;
  }
  aheadMs_ = last * frameMs;
  DangerSight everything;
  everything.self = planter;
  real_.Build(state, everything, {planned_.data(), count_}, aheadMs_);
  lastCell_ = count_ == 0 ? -1 : bombs[count_ - 1].cell;
}

bool NetSearch::Catches(const GameState& state, int victim) {
  refugeCount_ = 0;
  const int cell = StandingCell(state.Characters[static_cast<std::size_t>(victim)]);
  if (cell < 0) return false;
  const int firstBlast = real_.FirstBlastFrame(cell);
  if (firstBlast >= kHorizonFrames) return false;
  const std::int32_t frameMs = std::max(state.FrameTime, 1);
  const int setsOff = std::max(Warned(real_, cell, frameMs), 0);
  // Caught even knowing every fuse and chain.
  if (!again_.CanReachRest(state, victim, real_, setsOff)) return true;
  DangerSight sees;
  sees.self = victim;
  sees.ownHeedMs = sees.othersHeedMs = kRunnerHeedMs + setsOff * frameMs;
  seen_.Build(state, sees, {planned_.data(), count_}, aheadMs_);
  runner_.Run(state, victim, seen_, false, setsOff);
  const int nearest = runner_.NearestRest();
  if (nearest < 0) return true;
  for (int refuge = 0; refuge < CellCount && refugeCount_ < static_cast<int>(refuges_.size()); ++refuge) {
    if (!runner_.SafeToRest(refuge) || runner_.Arrival(refuge) > runner_.Arrival(nearest) + kRefugeSlackFrames) continue;
    refuges_[static_cast<std::size_t>(refugeCount_++)] = refuge;
  }
  for (int i = 0; i < refugeCount_; ++i) {
    const int refuge = refuges_[static_cast<std::size_t>(i)];
    if (!CaughtAt(state, refuge, runner_.Arrival(refuge))) return false;
  }
  return true;
}

// Whether a runner that reached `refuge` at `arrival` is caught there by a
// blast it did not see coming.
bool NetSearch::CaughtAt(const GameState& state, int refuge, int arrival) {
  // A blast over the refuge before the runner gets there has gone by.
  const int blast = real_.FirstBlastFrame(refuge);
  if (blast >= kHorizonFrames || blast < arrival) return false;
  const int setsOff = std::max(arrival, Warned(real_, refuge, std::max(state.FrameTime, 1)));
  return !again_.CanReachRestFrom(state, real_, refuge, setsOff);
}

int NetSearch::WayOut(const GameState& state, int limitFrames, int answerer) {
  if (lastCell_ < 0) return -1;
  const DangerMap* danger = &real_;
  const Character* other = answerer >= 0 ? &state.Characters[static_cast<std::size_t>(answerer)] : nullptr;
  if (other != nullptr && StandingCell(*other) >= 0) {
    Bomb& answer = planned_[count_];
    answer = Bomb{};
    answer.X = StandingCell(*other) % MapWidth;
    answer.Y = StandingCell(*other) / MapWidth;
    answer.ExplodeTimeLeft = kBombFuseMs;
    answer.ExplodeLevel = other->PowerFire;
    answer.Owner = answerer;
    DangerSight everything;
    everything.self = answerer;
    answered_.Build(state, everything, {planned_.data(), count_ + 1}, aheadMs_);
    danger = &answered_;
  }
  planner_.RunFrom(state, *danger, lastCell_, 0, true);
  const int refuge = planner_.NearestRest();
  return refuge >= 0 && planner_.Arrival(refuge) <= limitFrames ? refuge : -1;
}

}  // namespace fl3::ai
