#pragma once
#include <array>
#include <cstdint>

#include "ai/DangerMap.h"
#include "core/GameState.h"

namespace fl3::ai {

// Frames a figure needs for one step: it walks 8 pixels a frame.
int FramesPerStep();

// The cell a figure in play stands on, or where its step under way ends; -1
// off the field or out of play.
int StandingCell(const Character& figure);

// The earliest safe arrival at every cell a figure can walk to, and which
// way to go first. A figure counts as standing on the cell it leaves for the
// whole step, so leaving a cell at frame d needs it free of blasts up to
// d + 3. A step may wait a few frames for fire in the way to go out.
class PathSearch {
 public:
  static constexpr int kUnreached = -1;
  static constexpr std::int8_t kWaitFirst = 4;  // the first thing to do is stand
  static constexpr std::int8_t kStayHere = 5;   // the start cell itself

  // A figure in the middle of a step starts where the step ends, when it ends.
  // `othersStay`: other figures block their cells for the whole plan, not
  // only for the first step (they may not move out of the way in time).
  // `standsUntil`: the figure sets off no earlier than this frame.
  void Run(const GameState& state, int figure, const DangerMap& danger, bool othersStay = false, int standsUntil = 0);
  // The same for the figure standing on `startCell` until `startFrame`,
  // wherever it is now.
  void RunFrom(const GameState& state, const DangerMap& danger, int startCell, int startFrame, bool othersStay);

  // Whether the figure (standing until `standsUntil`), or one standing on
  // `startCell` until `startFrame`, can reach a cell safe to rest on, with
  // the others out of the way after its first step. Stops at the first such
  // cell: what else the search holds afterwards is partial.
  bool CanReachRest(const GameState& state, int figure, const DangerMap& danger, int standsUntil);
  bool CanReachRestFrom(const GameState& state, const DangerMap& danger, int startCell, int startFrame);

  int Start() const { return start_; }
  bool Reached(int cell) const { return arrival_[static_cast<std::size_t>(cell)] != kUnreached; }
  int Arrival(int cell) const { return arrival_[static_cast<std::size_t>(cell)]; }
  // DirLeft..DirDown, kWaitFirst or kStayHere.
  int FirstMove(int cell) const { return first_[static_cast<std::size_t>(cell)]; }
  // Reached, and no blast comes over it from the arrival on.
  bool SafeToRest(int cell) const;
  // The reached cell safe to rest on that is reached first (ties: lowest
  // index), or -1.
  int NearestRest() const;
  // How many reached cells are safe to rest on, counting up to `enough`.
  int RestCount(int enough) const;

 private:
  // The neighbour whose arrival improved, or -1.
  int Relax(int from, int direction, const GameState& state, const DangerMap& danger);

  const DangerMap* danger_ = nullptr;
  int start_ = -1;
  bool othersStay_ = false;
  bool stopAtRest_ = false;
  bool foundRest_ = false;
  std::array<std::int16_t, CellCount> arrival_{};
  std::array<std::int8_t, CellCount> first_{};
  std::array<bool, CellCount> occupied_{};
  std::array<bool, CellCount> queued_{};
  std::array<std::int16_t, CellCount + 1> queue_{};
};

}  // namespace fl3::ai
