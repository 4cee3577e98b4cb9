#pragma once
#include <span>

#include "ai/DangerMap.h"
#include "ai/PathSearch.h"

namespace fl3::ai {

// A bomb a figure means to plant: on which cell, and how many frames from now.
struct NetBomb {
  int cell = -1;
  int frame = 0;
};

// Judges a net: bombs a figure means to plant one after another, together
// with every bomb on the field, fuses and chains included. The other figure
// is taken for a player who only runs from bombs: it stands until a second
// before the first blast over its cell, then runs knowing every bomb. The
// plan is seen from the moment the last bomb is planted.
class NetSearch {
 public:
  static constexpr std::int32_t kRunnerHeedMs = 1000;

  // `bombs` in the order planted, the last one latest.
  void Plan(const GameState& state, int planter, std::span<const NetBomb> bombs);
  // Whether the plan leaves `victim` no cell it can reach in time.
  bool Catches(const GameState& state, int victim);
  // The planner's nearest refuge from the last bomb's cell, reached within
  // `limitFrames`, or -1: a net that would catch the planner too.
  int WayOut(const GameState& state, int limitFrames);
  // Which way the planner leaves the last bomb's cell for `refuge`.
  int FirstMove(int refuge) const { return planner_.FirstMove(refuge); }

 private:
  DangerSight sight_;  // every bomb counts from the start
  DangerMap danger_;
  PathSearch runner_;
  PathSearch planner_;
  int lastCell_ = -1;
};

}  // namespace fl3::ai
