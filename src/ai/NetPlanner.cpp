#include "ai/NetPlanner.h"

#include "ai/FireLines.h"
#include "core/Bomb.h"

namespace fl3::ai {
namespace {

// A net cell farther than this walk is not worth planning for: the other
// figure moves on meanwhile.
constexpr int kWalkFrames = 16;
// Other figures farther than this from the planner are left alone.
constexpr int kNetDistance = 8;

// Free to stand on and plant: no other figure there.
bool Plantable(const GameState& state, int figure, int cell) {
  const std::int32_t code = state.TileMap[static_cast<std::size_t>(cell)];
  if (code > CellDoodad && (code < CellItemBomb || code > CellItemFire2)) return false;
  for (int i = 0; i < FigureCount; ++i) {
    if (i != figure && StandingCell(state.Characters[static_cast<std::size_t>(i)]) == cell) return false;
  }
  return true;
}

}  // namespace

int NetPlanner::WayOutLimit(const GameState& state, bool othersTicking) {
  // Another figure's fire may cut the fuse to a quarter.
  return othersTicking ? kBombFuseMs / 4 / std::max(state.FrameTime, 1) : kHorizonFrames;
}

void NetPlanner::Consider(int cell, int frame, int victim, int& count) {
  // Kept nearest first; the latest drops out when full.
  const int capacity = static_cast<int>(candidates_.size());
  for (int i = 0; i < count; ++i) {
    if (candidates_[static_cast<std::size_t>(i)].cell == cell) return;
  }
  if (count == capacity && frame >= candidates_[static_cast<std::size_t>(capacity - 1)].frame) return;
  int i = std::min(count, capacity - 1);
  for (; i > 0 && candidates_[static_cast<std::size_t>(i - 1)].frame > frame; --i) {
    candidates_[static_cast<std::size_t>(i)] = candidates_[static_cast<std::size_t>(i - 1)];
  }
  candidates_[static_cast<std::size_t>(i)] = {cell, frame, victim};
  count = std::min(count + 1, capacity);
}

int NetPlanner::Gather(const GameState& state, int figure, const PathSearch& paths, int skipCell) {
  const int reach = state.Characters[static_cast<std::size_t>(figure)].PowerFire;
  int count = 0;
  for (int victim = 0; victim < FigureCount; ++victim) {
    const int at = StandingCell(state.Characters[static_cast<std::size_t>(victim)]);
    if (victim == figure || at < 0 || paths.Start() < 0 || Distance(at, paths.Start()) > kNetDistance) continue;
    // Where it would run from the bombs on the field: a bomb there catches it
    // on arrival, if another blast cuts its fuse short.
    search_.Plan(state, figure, {});
    if (search_.Catches(state, victim)) continue;
    std::array<int, 5> targets{at};
    int targetCount = 1;
    for (const int refuge : search_.Refuges()) targets[static_cast<std::size_t>(targetCount++)] = refuge;
    for (int t = 0; t < targetCount; ++t) {
      // The cells whose fire reaches a cell are the cells its own cross reaches.
      ForEachArmCell(
          state, targets[static_cast<std::size_t>(t)], reach,
          [&](int cell) {
            const int frame = paths.Arrival(cell);
            if (cell != skipCell && frame != PathSearch::kUnreached && frame <= kWalkFrames && Plantable(state, figure, cell)) {
              Consider(cell, frame, victim, count);
            }
          },
          [](int) {});
    }
  }
  return count;
}

bool NetPlanner::AnyoneNear(const GameState& state, int figure) const {
  const int here = StandingCell(state.Characters[static_cast<std::size_t>(figure)]);
  for (int i = 0; i < FigureCount; ++i) {
    const int at = StandingCell(state.Characters[static_cast<std::size_t>(i)]);
    if (i != figure && at >= 0 && here >= 0 && Distance(at, here) <= kNetDistance) return true;
  }
  return false;
}

NetPlanner::Net NetPlanner::OneBomb(const GameState& state, int figure, const DangerMap& danger, bool othersTicking) {
  if (!AnyoneNear(state, figure)) return {};
  // Another figure may not step aside: a net is walked to round it.
  walk_.Run(state, figure, danger, true);
  const int count = Gather(state, figure, walk_, -1);
  for (int i = 0; i < count; ++i) {
    const Candidate& c = candidates_[static_cast<std::size_t>(i)];
    const NetBomb bomb{c.cell, c.frame};
    search_.Plan(state, figure, {&bomb, 1});
    // The cheap question first: whether the planner gets out at all.
    if (search_.WayOut(state, WayOutLimit(state, othersTicking)) < 0 || !search_.Catches(state, c.victim)) continue;
    const int refuge = search_.WayOut(state, WayOutLimit(state, othersTicking), Answerer(state, figure, c.cell));
    if (refuge >= 0) return {c.cell, c.cell == walk_.Start() ? search_.FirstMove(refuge) : walk_.FirstMove(c.cell)};
  }
  return {};
}

NetPlanner::Net NetPlanner::TwoBombs(const GameState& state, int figure, bool othersTicking) {
  const Character& me = state.Characters[static_cast<std::size_t>(figure)];
  const int here = StandingCell(me);
  if (here < 0 || !AnyoneNear(state, figure)) return {};
  Bomb first;
  first.X = here % MapWidth;
  first.Y = here / MapWidth;
  first.ExplodeTimeLeft = kBombFuseMs;
  first.ExplodeLevel = me.PowerFire;
  first.Owner = figure;
  DangerSight sight;
  sight.self = figure;
  firstBomb_.Build(state, sight, {&first, 1});
  afterFirst_.RunFrom(state, firstBomb_, here, 0, true);
  const int count = Gather(state, figure, afterFirst_, here);
  for (int i = 0; i < count; ++i) {
    const Candidate& c = candidates_[static_cast<std::size_t>(i)];
    const NetBomb bombs[2] = {{here, 0}, {c.cell, c.frame}};
    search_.Plan(state, figure, bombs);
    if (search_.WayOut(state, WayOutLimit(state, othersTicking)) >= 0 && search_.Catches(state, c.victim) &&
        search_.WayOut(state, WayOutLimit(state, othersTicking), Answerer(state, figure, c.cell)) >= 0) {
      return {here, afterFirst_.FirstMove(c.cell)};
    }
  }
  return {};
}

}  // namespace fl3::ai
