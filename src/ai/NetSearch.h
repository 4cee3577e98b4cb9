#pragma once
#include <array>
#include <span>

#include "ai/DangerMap.h"
#include "ai/PathSearch.h"
#include "core/Bomb.h"

namespace fl3::ai {

// A bomb a figure means to plant: on which cell, and how many frames from now.
struct NetBomb {
  int cell = -1;
  int frame = 0;
};

// Judges a net: bombs a figure means to plant one after another, together
// with every bomb on the field, fuses and chains included. The other figure
// is taken for a player who only runs from bombs: it sets off a second
// before the first blast over its cell, for the nearest cell out of the
// blasts it sees, judging each bomb by its own fuse (a fuse another blast
// will cut short looks as long as it is), and runs again from there when
// the next blast is a second away. The plan is seen from the moment the
// last bomb is planted.
class NetSearch {
 public:
  static constexpr std::int32_t kRunnerHeedMs = 1000;

  // `bombs` in the order planted, the last one latest (at most three).
  void Plan(const GameState& state, int planter, std::span<const NetBomb> bombs);
  // Whether the plan catches `victim`.
  bool Catches(const GameState& state, int victim);
  // The planner's nearest refuge from the last bomb's cell, reached within
  // `limitFrames`, or -1: a net that would catch the planner too. With an
  // `answerer`, also when that figure answers the last bomb with a bomb
  // where it stands.
  int WayOut(const GameState& state, int limitFrames, int answerer = -1);
  // Where the runner went in the last Catches that let it go, or would go:
  // its refuges as it sees the field (none when no blast threatens it).
  std::span<const int> Refuges() const { return {refuges_.data(), static_cast<std::size_t>(refugeCount_)}; }
  // Which way the planner leaves the last bomb's cell for `refuge`.
  int FirstMove(int refuge) const { return planner_.FirstMove(refuge); }

 private:
  bool CaughtAt(const GameState& state, int refuge, int arrival);

  std::array<Bomb, 4> planned_{};  // room for an answer
  std::size_t count_ = 0;
  std::int32_t aheadMs_ = 0;
  int lastCell_ = -1;
  DangerMap real_;  // every bomb counts from the start
  DangerMap seen_;  // what the runner sees as it sets off
  DangerMap answered_;
  PathSearch runner_;
  PathSearch again_;
  PathSearch planner_;
  std::array<int, 4> refuges_{};
  int refugeCount_ = 0;
};

}  // namespace fl3::ai
