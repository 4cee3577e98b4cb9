#include "ai/ComputerPlayer.h"

#include <algorithm>
#include <cstdlib>

#include "ai/FireLines.h"
#include "core/Bomb.h"

namespace fl3 {
namespace {

using ai::PathSearch;

// Scores are in frames of walking: a value of 120 is worth a 30-step detour.
constexpr int kBombItemValue = 120, kFireItemValue = 130, kDoubleFireValue = 150;
// The hard player goes half as far again out of its way for an item.
constexpr int kHardItemPercent = 150;
constexpr int kBoxValue = 40, kMaxBoxesCounted = 3;
constexpr int kOpponentInLineValue = 90;
// Worth a bomb even while running from fire.
constexpr int kTrapValue = 400;
// Other figures this close are worth a look for a trap or pressing.
constexpr int kPressureDistance = 6;
// A figure that has kept its cell this long (5 s) is not pressed but
// walked up to and caught in a line.
constexpr int kKeptStillFrames = 100;
// Another figure is taken to run from a bomb only once it has this long left.
constexpr std::int32_t kVictimHeedMs = 1000;
constexpr int kHuntPullPerCell = 6, kHuntDistance = 1, kSharedCellCost = 60;
// What the hard player gives up to keep out of a better armed figure's lines.
constexpr int kStrongerLineCost = 100;
constexpr int kStickToGoal = 8;
// A figure that has planted nothing for this long goes looking for fights.
constexpr int kRestlessFrames = 200;
// Decisions spent standing before it goes for a walk, and the walk's length.
constexpr int kPatienceDecisions = 12, kWanderDecisions = 6;
// Quiet this long (about 15 s) and the players close in, so that a match of
// careful players still ends; the pull per cell grows as the quiet goes on.
constexpr int kCalmBeforeHunt = 300, kHuntPullGrowth = 100;
// A plant whose blast leaves fewer safe cells than this is a gamble while
// another figure is near: one more bomb of theirs closes the way out.
constexpr int kRoomWhenCrowded = 6;
// When a bomb starts to count as danger. Every player watches its own bombs
// all along but heeds another figure's bomb only late, so it can be caught
// in a line it walked into: the hard player 1.75 s before the blast, the
// normal one 0.7 s, the easy one 0.3 s. Players who saw every bomb at once
// would dodge forever.
constexpr std::int32_t kEasyOthersHeedMs = 300, kNormalOthersHeedMs = 700, kHardOthersHeedMs = 1750;

int ItemValue(std::int32_t code) {
  switch (code) {
    case CellItemBomb: return kBombItemValue;
    case CellItemFire: return kFireItemValue;
    case CellItemFire2: return kDoubleFireValue;
    default: return 0;
  }
}

ai::DangerSight SightOf(CpuStrength strength) {
  ai::DangerSight sight;
  sight.waryOfOwnChains = true;
  sight.othersHeedMs = strength == CpuStrength::Easy     ? kEasyOthersHeedMs
                       : strength == CpuStrength::Normal ? kNormalOthersHeedMs
                                                         : kHardOthersHeedMs;
  return sight;
}

bool OtherFigureOn(const GameState& state, int figure, int cell) {
  for (int i = 0; i < FigureCount; ++i) {
    const Character& other = state.Characters[static_cast<std::size_t>(i)];
    if (i != figure && other.InPlay() && OnMap(other.X, other.Y) && CellIndex(other.X, other.Y) == cell) return true;
  }
  return false;
}

// Whether a bomb of the figure's own (or of another's) is still ticking.
bool BombTicking(const GameState& state, int figure, bool own) {
  for (const Bomb& bomb : state.Bombs) {
    if (!bomb.Exploded && (bomb.Owner == figure) == own) return true;
  }
  return false;
}

}  // namespace

int ComputerPlayer::Jitter(int cell) const {
  return static_cast<int>(((static_cast<std::uint32_t>(cell) * 2654435761u) ^ jitter_) >> 29);
}

ComputerPlayer::ComputerPlayer(CpuStrength strength, std::uint64_t seed)
    : strength_(strength), random_(seed), sight_(SightOf(strength)) {}

FigureControls ComputerPlayer::ControlsFor(const GameState& state, int figure) {
  const Character& me = state.Characters[static_cast<std::size_t>(figure)];
  ++framesSincePlant_;
  ++framesSinceNoPlant_;
  int lives = 0;
  for (const Character& c : state.Characters) lives += c.InPlay() ? c.Lives : 0;
  calmFrames_ = lives == livesSeen_ ? calmFrames_ + 1 : 0;
  if (calmFrames_ == 0) aimedFrom_.fill(-1);
  livesSeen_ = lives;
  WatchOthers(state);
  // Between cells a new step is refused anyway.
  if (me.Moving || !OnMap(me.X, me.Y)) return {};
  // The easy player looks up only every other time it could, unless it has
  // a bomb of its own to get away from.
  if (strength_ == CpuStrength::Easy && (++idleFrames_ % 2) == 0 && !BombTicking(state, figure, true)) return {};
  sight_.earlyFrames = state.MatchKind == MatchMostLives ? 3 : 1;
  sight_.self = figure;
  plainSight_ = sight_;
  plainSight_.waryOfOwnChains = false;
  jitter_ = random_.Next();
  return Decide(state, figure);
}

void ComputerPlayer::WatchOthers(const GameState& state) {
  for (std::size_t i = 0; i < FigureCount; ++i) {
    const Character& other = state.Characters[i];
    const int cell = OnMap(other.X, other.Y) ? CellIndex(other.X, other.Y) : -1;
    stillFrames_[i] = cell == lastCell_[i] && !other.Moving ? stillFrames_[i] + 1 : 0;
    lastCell_[i] = cell;
  }
}

FigureControls ComputerPlayer::Decide(const GameState& state, int figure) {
  // Keep out of its own bombs' lines as if any fire could set them off; when
  // that leaves nowhere to go, plan with the fuses as they are.
  danger_.Build(state, sight_);
  paths_.Run(state, figure, danger_);
  if (paths_.NearestRest() < 0) {
    danger_.Build(state, plainSight_);
    paths_.Run(state, figure, danger_);
  }
  const int here = paths_.Start();
  const bool fleeing = ai::AnyFrom(danger_.Blast(here), 0);
  FigureControls controls;
  if (PlanNet(state, figure, controls)) return controls;
  const int goal = fleeing ? -1 : ChooseGoal(state, figure);
  if (TryPlant(state, figure, fleeing, goal == here, controls)) return controls;
  if (fleeing) return Flee(state, figure);
  if (wanderLeft_ > 0) return Wander();
  if (goal < 0 || goal == here) {
    // Standing for long with nothing to do, and no bomb of its own to wait
    // for: take a walk somewhere safe.
    if (++standingStill_ > kPatienceDecisions && !BombTicking(state, figure, true)) {
      standingStill_ = 0;
      wanderLeft_ = kWanderDecisions;
      wanderGoal_ = -1;
      return Wander();
    }
    return {};
  }
  standingStill_ = 0;
  return ControlsToward(paths_.FirstMove(goal));
}

// Normal and Hard close nets: one more bomb where, with those on the field,
// it leaves another figure no way out. Hard also lays the first bomb of a
// net that a second one closes.
bool ComputerPlayer::PlanNet(const GameState& state, int figure, FigureControls& controls) {
  if (strength_ == CpuStrength::Easy || BombsInHand(state, figure) < 1) return false;
  const int here = paths_.Start();
  const bool othersTicking = BombTicking(state, figure, false);
  ai::NetPlanner::Net net = nets_.OneBomb(state, figure, danger_, othersTicking);
  const bool plantableHere = state.TileMap[static_cast<std::size_t>(here)] <= CellDoodad;
  if (net.cell < 0 && strength_ == CpuStrength::Hard && plantableHere && BombsInHand(state, figure) >= 2) {
    net = nets_.TwoBombs(state, figure, othersTicking);
  }
  if (net.cell < 0 || (net.cell == here && !plantableHere)) return false;
  goal_ = net.cell;
  if (net.cell != here) {
    controls = ControlsToward(net.leaveBy);
    return true;
  }
  controls = ControlsToward(net.leaveBy);
  controls.plant = true;
  framesSincePlant_ = 0;
  return true;
}

FigureControls ComputerPlayer::Wander() {
  --wanderLeft_;
  if (wanderGoal_ < 0 || !paths_.SafeToRest(wanderGoal_) || wanderGoal_ == paths_.Start()) {
    int count = 0;
    for (int cell = 0; cell < CellCount; ++cell) count += paths_.SafeToRest(cell) && cell != paths_.Start() ? 1 : 0;
    if (count == 0) return {};
    int pick = random_.Below(count);
    for (int cell = 0; cell < CellCount; ++cell) {
      if (!paths_.SafeToRest(cell) || cell == paths_.Start()) continue;
      if (pick-- == 0) {
        wanderGoal_ = cell;
        break;
      }
    }
  }
  return ControlsToward(paths_.FirstMove(wanderGoal_));
}

FigureControls ComputerPlayer::Flee(const GameState& state, int figure) {
  // The nearest safe cell, with a tie-break of its own and away from the
  // others, so that figures running from one blast do not run as one.
  int target = -1;
  int bestScore = 0;
  for (int cell = 0; cell < CellCount; ++cell) {
    if (!paths_.SafeToRest(cell)) continue;
    const int score = paths_.Arrival(cell) * 8 + Jitter(cell) + (OtherFigureOn(state, figure, cell) ? 40 : 0);
    if (target < 0 || score < bestScore) {
      target = cell;
      bestScore = score;
    }
  }
  if (target < 0) {
    // No way out: go where the first blast comes latest.
    int latest = -1;
    for (int cell = 0; cell < CellCount; ++cell) {
      if (!paths_.Reached(cell)) continue;
      const int blast = danger_.FirstBlastFrame(cell);
      if (latest < 0 || blast > latest) {
        latest = blast;
        target = cell;
      }
    }
  }
  goal_ = target;
  return target < 0 ? FigureControls{} : ControlsToward(paths_.FirstMove(target));
}

bool ComputerPlayer::Hunting() const { return calmFrames_ > kCalmBeforeHunt; }

// Bombs it may still plant: one more than its bomb count, less those it
// has on the field (bursting ones included).
int ComputerPlayer::BombsInHand(const GameState& state, int figure) const {
  const Character& me = state.Characters[static_cast<std::size_t>(figure)];
  int mine = 0;
  for (const Bomb& bomb : state.Bombs) mine += bomb.Owner == figure ? 1 : 0;
  return me.PowerBombs + 1 - mine;
}

ComputerPlayer::PlantView ComputerPlayer::ViewPlant(const GameState& state, int figure, int cell) const {
  const int reach = state.Characters[static_cast<std::size_t>(figure)].PowerFire;
  int boxes = 0;
  PlantView view;
  // Boxes no bomb on the field burns already.
  ai::ForEachArmCell(
      state, cell, reach, [](int) {},
      [&](int at) {
        if (!IsBox(state.TileMap[static_cast<std::size_t>(at)]) || danger_.BoxDoomed(at)) return;
        ++boxes;
        view.way = std::min(view.way, dig_.To(at) + 1);
      });
  const int opponents = ai::OpponentsInReach(state, figure, cell, reach);
  view.boxes = std::min(boxes, kMaxBoxesCounted) * kBoxValue;
  view.line = opponents * kOpponentInLineValue;
  return view;
}

// The nearest safe cell after planting on `cell` at `frame` (the trial
// plan holds the bomb), or -1 when there is no sure way out.
int ComputerPlayer::WayOut(const GameState& state, int figure, int cell, int frame) {
  // Figures in the way may stay there.
  escape_.RunFrom(state, trial_, cell, frame, true);
  const int refuge = escape_.NearestRest();
  // Out of the blast before a quarter of the fuse is gone when another
  // figure's fire may cut it that short; with no other bomb ticking nothing
  // can, and the plan's own blast is the limit.
  if (refuge >= 0 && BombTicking(state, figure, false) &&
      escape_.Arrival(refuge) - frame > kBombFuseMs / 4 / std::max(state.FrameTime, 1)) {
    return -1;
  }
  return refuge;
}

// Whether a bomb here would catch another figure that stands until the bomb
// has a second left and only then runs.
bool ComputerPlayer::Trapped(const GameState& state, int victim) {
  const int setsOff = (kBombFuseMs - kVictimHeedMs) / std::max(state.FrameTime, 1);
  // Figures in its way, this one among them, hem it in too.
  victim_.Run(state, victim, trial_, Hunting(), setsOff);
  return victim_.RestCount(1) == 0;
}

// What a bomb here is worth for the figures near by: a trap, or a figure
// that keeps moving within walking reach (bombs laid one after another,
// even while running from its own, chain up and catch a runner).
int ComputerPlayer::PressureWorth(const GameState& state, int figure) {
  const int here = paths_.Start();
  const int reach = state.Characters[static_cast<std::size_t>(figure)].PowerFire;
  int worth = 0;
  for (int i = 0; i < FigureCount; ++i) {
    const Character& other = state.Characters[static_cast<std::size_t>(i)];
    if (i == figure || !other.InPlay() || !OnMap(other.X, other.Y)) continue;
    const int cell = CellIndex(other.X, other.Y);
    if (ai::Distance(here, cell) > std::max(reach + 2, kPressureDistance)) continue;
    const bool runner = stillFrames_[static_cast<std::size_t>(i)] < kKeptStillFrames && paths_.Reached(cell);
    if (runner || Trapped(state, i)) worth += kTrapValue;
  }
  return worth;
}

// A sound player does not plant where the nearest other figure, answering
// with a bomb where it stands, would shut its way out; the easy one does.
bool ComputerPlayer::SurvivesAnswer(const GameState& state, int figure) {
  if (strength_ == CpuStrength::Easy) return true;
  const int answerer = ai::Answerer(state, figure, paths_.Start());
  if (answerer < 0) return true;
  const ai::NetBomb bomb{paths_.Start(), 0};
  answer_.Plan(state, figure, {&bomb, 1});
  return answer_.WayOut(state, ai::kHorizonFrames, answerer) >= 0;
}

bool ComputerPlayer::TryPlant(const GameState& state, int figure, bool fleeing, bool atGoal, FigureControls& controls) {
  const Character& me = state.Characters[static_cast<std::size_t>(figure)];
  if (state.TileMap[static_cast<std::size_t>(paths_.Start())] > CellDoodad || BombsInHand(state, figure) < 1) return false;
  const PlantView view = ViewPlant(state, figure, paths_.Start());
  // Boxes are worth a bomb where it meant to plant, not on the way there.
  // While running from fire only pressure is worth a bomb.
  // Aiming at the others again from a cell it aimed from before, while
  // nobody got hurt, is a loop, not pressure.
  const bool aimedHereBefore = std::count(aimedFrom_.begin(), aimedFrom_.end(), paths_.Start()) > 0;
  const int line = aimedHereBefore ? 0 : view.line;
  int worth = fleeing ? 0 : line + (atGoal ? view.boxes : 0);
  const int opponent = ai::NearestOpponentCell(state, figure, paths_.Start());
  const bool opponentNear = opponent >= 0 &&
                            ai::Distance(opponent, paths_.Start()) <= std::max(me.PowerFire + 2, kPressureDistance);
  if (worth <= 0 && !opponentNear) return false;
  Bomb planned;
  planned.X = me.X;
  planned.Y = me.Y;
  planned.ExplodeTimeLeft = kBombFuseMs;
  planned.ExplodeLevel = me.PowerFire;
  planned.Owner = figure;
  trial_.Build(state, plainSight_, {&planned, 1});
  if (opponentNear && !aimedHereBefore) {
    const int pressure = PressureWorth(state, figure);
    worth = fleeing ? (pressure >= kTrapValue ? pressure : 0) : worth + pressure;
  }
  if (worth <= 0) return false;
  const int refuge = WayOut(state, figure, paths_.Start(), paths_.Arrival(paths_.Start()));
  // Only a figure that can walk up is a threat to the way out.
  const bool cramped = opponentNear && paths_.Reached(opponent) && worth < kTrapValue &&
                       escape_.RestCount(kRoomWhenCrowded) < kRoomWhenCrowded;
  if (cramped && strength_ != CpuStrength::Easy) return false;
  if (refuge < 0) {
    noPlantCell_ = paths_.Start();
    framesSinceNoPlant_ = 0;
    return false;
  }
  if (!SurvivesAnswer(state, figure)) return false;
  if (worth >= kTrapValue || line > 0) {
    aimedFrom_[static_cast<std::size_t>(aimedNext_)] = static_cast<std::int16_t>(paths_.Start());
    aimedNext_ = (aimedNext_ + 1) % static_cast<int>(aimedFrom_.size());
  }
  controls = ControlsToward(escape_.FirstMove(refuge));
  controls.plant = true;
  goal_ = refuge;
  framesSincePlant_ = 0;
  return true;
}

int ComputerPlayer::GoalValue(const GameState& state, int figure, int cell, bool bombReady) const {
  // The easy player never goes out of its way for an item.
  int value = strength_ == CpuStrength::Easy ? 0 : ItemValue(state.TileMap[static_cast<std::size_t>(cell)]);
  if (strength_ == CpuStrength::Hard) value = value * kHardItemPercent / 100;
  // A cell that just proved a dead end for planting is no place to plant.
  const bool knownDeadEnd = cell == noPlantCell_ && framesSinceNoPlant_ < kRestlessFrames;
  int steps = dig_.To(cell);
  if (bombReady && !knownDeadEnd) {
    // Burning a box brings it as near to the others as standing beside it.
    const PlantView plant = ViewPlant(state, figure, cell);
    value += plant.boxes + plant.line;
    steps = std::min(steps, plant.way);
  }
  int pull = framesSincePlant_ > kRestlessFrames ? 3 * kHuntPullPerCell : kHuntPullPerCell;
  if (Hunting()) pull += kHuntPullPerCell * (calmFrames_ - kCalmBeforeHunt) / kHuntPullGrowth;
  // Close enough to catch it in a blast, not on top of it: figures on one
  // cell flee as one and never trap each other.
  if (steps != ai::DigDistance::kUnreachable) value -= pull * std::abs(steps - kHuntDistance);
  if (OtherFigureOn(state, figure, cell)) value -= kSharedCellCost;
  // The hard player keeps out of the lines of a better armed figure.
  if (strength_ == CpuStrength::Hard && strongerLines_[static_cast<std::size_t>(cell)]) value -= kStrongerLineCost;
  if (cell == goal_) value += kStickToGoal;
  // A small tie-break of its own, so two computer players do not mirror each other.
  return value + Jitter(cell);
}

int ComputerPlayer::ChooseGoal(const GameState& state, int figure) {
  dig_.Run(state, figure);
  if (strength_ == CpuStrength::Hard) ai::MarkStrongerLines(state, figure, strongerLines_);
  const bool bombReady = BombsInHand(state, figure) >= 1;
  int best = -1;
  int bestScore = 0;
  for (int cell = 0; cell < CellCount; ++cell) {
    if (!paths_.SafeToRest(cell)) continue;
    const int score = GoalValue(state, figure, cell, bombReady) - paths_.Arrival(cell);
    if (best < 0 || score > bestScore) {
      best = cell;
      bestScore = score;
    }
  }
  goal_ = best;
  return best;
}

}  // namespace fl3
