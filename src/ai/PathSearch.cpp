#include "ai/PathSearch.h"

#include <algorithm>

#include "match/FigureWalk.h"

namespace fl3::ai {
namespace {

constexpr int kMaxWaitFrames = 8;

bool Walkable(std::int32_t code) { return code < CellBox1 || code > CellBlock3; }

}  // namespace

int FramesPerStep() { return kCellPixels / kStepPixels; }

int StandingCell(const Character& figure) {
  if (!figure.InPlay()) return -1;
  std::int32_t x = figure.X;
  std::int32_t y = figure.Y;
  if (figure.Moving) StepFrom(figure.Direction, x, y);
  return OnMap(x, y) ? CellIndex(x, y) : -1;
}

bool PathSearch::SafeToRest(int cell) const {
  const int arrival = Arrival(cell);
  return arrival != kUnreached && !AnyFrom(danger_->Blast(cell), arrival);
}

int PathSearch::NearestRest() const {
  int best = -1;
  for (int cell = 0; cell < CellCount; ++cell) {
    if (SafeToRest(cell) && (best < 0 || Arrival(cell) < Arrival(best))) best = cell;
  }
  return best;
}

int PathSearch::RestCount(int enough) const {
  int count = 0;
  for (int cell = 0; cell < CellCount && count < enough; ++cell) count += SafeToRest(cell) ? 1 : 0;
  return count;
}

bool PathSearch::CanReachRest(const GameState& state, int figure, const DangerMap& danger, int standsUntil) {
  stopAtRest_ = true;
  Run(state, figure, danger, false, standsUntil);
  stopAtRest_ = false;
  return foundRest_;
}

bool PathSearch::CanReachRestFrom(const GameState& state, const DangerMap& danger, int startCell, int startFrame) {
  stopAtRest_ = true;
  RunFrom(state, danger, startCell, startFrame, false);
  stopAtRest_ = false;
  return foundRest_;
}

void PathSearch::Run(const GameState& state, int figure, const DangerMap& danger, bool othersStay, int standsUntil) {
  const Character& me = state.Characters[static_cast<std::size_t>(figure)];
  std::int32_t x = me.X;
  std::int32_t y = me.Y;
  int startFrame = 0;
  // A figure in the middle of a step is planned from where the step ends.
  if (me.Moving) {
    StepFrom(me.Direction, x, y);
    startFrame = (kCellPixels - me.StepOffset) / kStepPixels;
  }
  RunFrom(state, danger, OnMap(x, y) ? CellIndex(x, y) : -1, std::max(startFrame, standsUntil), othersStay);
}

void PathSearch::RunFrom(const GameState& state, const DangerMap& danger, int startCell, int startFrame,
                         bool othersStay) {
  danger_ = &danger;
  othersStay_ = othersStay;
  foundRest_ = false;
  arrival_.fill(kUnreached);
  first_.fill(kStayHere);
  occupied_.fill(false);
  queued_.fill(false);
  start_ = startCell;
  if (start_ < 0) return;
  for (const Character& other : state.Characters) {
    if (other.InPlay() && OnMap(other.X, other.Y)) occupied_[static_cast<std::size_t>(CellIndex(other.X, other.Y))] = true;
  }
  arrival_[static_cast<std::size_t>(start_)] = static_cast<std::int16_t>(startFrame);
  foundRest_ = SafeToRest(start_);
  if (foundRest_ && stopAtRest_) return;
  // Label-correcting search over a ring buffer: a cell goes back in when a
  // better arrival is found (waits make arrivals uneven).
  std::size_t head = 0, tail = 0;
  constexpr std::size_t kRing = CellCount + 1;
  queue_[tail++] = static_cast<std::int16_t>(start_);
  queued_[static_cast<std::size_t>(start_)] = true;
  while (head != tail) {
    const int cell = queue_[head];
    head = (head + 1) % kRing;
    queued_[static_cast<std::size_t>(cell)] = false;
    for (int direction = DirLeft; direction <= DirDown; ++direction) {
      const int next = Relax(cell, direction, state, danger);
      if (next >= 0 && stopAtRest_ && SafeToRest(next)) {
        // A way to a safe cell exists; the first one found will do.
        foundRest_ = true;
        return;
      }
      if (next < 0 || queued_[static_cast<std::size_t>(next)]) continue;
      queued_[static_cast<std::size_t>(next)] = true;
      queue_[tail] = static_cast<std::int16_t>(next);
      tail = (tail + 1) % kRing;
    }
  }
}

int PathSearch::Relax(int from, int direction, const GameState& state, const DangerMap& danger) {
  std::int32_t x = from % MapWidth;
  std::int32_t y = from / MapWidth;
  StepFrom(direction, x, y);
  if (!OnMap(x, y)) return -1;
  const int to = CellIndex(x, y);
  if (!Walkable(state.TileMap[static_cast<std::size_t>(to)])) return -1;
  const int steps = FramesPerStep();
  const int arrival = Arrival(from);
  for (int leave = arrival; leave <= arrival + kMaxWaitFrames; ++leave) {
    // Counted on `from` until the step ends.
    if (AnyIn(danger.Blast(from), arrival, leave + steps - 1)) return -1;
    if (AnyIn(danger.Blocked(to), leave, leave) || ((othersStay_ || leave < steps) && occupied_[static_cast<std::size_t>(to)])) continue;
    // Only worth arriving when the figure can at least leave again at once.
    if (AnyIn(danger.Blast(to), leave + steps, leave + 2 * steps - 1)) continue;
    const int reach = leave + steps;
    const int known = Arrival(to);
    if (known != kUnreached && known <= reach) return -1;
    arrival_[static_cast<std::size_t>(to)] = static_cast<std::int16_t>(reach);
    if (from == start_) {
      first_[static_cast<std::size_t>(to)] = static_cast<std::int8_t>(leave == arrival ? direction : kWaitFirst);
    } else {
      first_[static_cast<std::size_t>(to)] = first_[static_cast<std::size_t>(from)];
    }
    return to;
  }
  return -1;
}

}  // namespace fl3::ai
