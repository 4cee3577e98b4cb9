#pragma once
#include "ai/NetSearch.h"

namespace fl3::ai {

// Where a computer player plants to close a net around another figure: one
// more bomb that, with those on the field, leaves it no way out, or a first
// bomb that a second one, planted on the way out, turns into such a net.
// Either way the planner gets out itself; a net that would catch it too is
// no net.
class NetPlanner {
 public:
  struct Net {
    int cell = -1;       // where to plant next; -1: no net
    // The first move (as PathSearch::FirstMove): towards that cell, or,
    // planting on the cell it stands on, the way out.
    int leaveBy = -1;
  };

  // The cell it reaches first, walking round the other figures through
  // `danger`, where one more bomb closes a net.
  Net OneBomb(const GameState& state, int figure, const DangerMap& danger, bool othersTicking);
  // A first bomb on the cell it stands on, planted now, that a second bomb
  // of its own closes into a net.
  Net TwoBombs(const GameState& state, int figure, bool othersTicking);

 private:
  struct Candidate {
    int cell, frame, victim;
  };

  // Cells within the planner's reach of another figure near by, reached in
  // time, nearest first; returns how many.
  int Gather(const GameState& state, int figure, const PathSearch& paths, int skipCell);
  void Consider(int cell, int frame, int victim, int& count);
  bool AnyoneNear(const GameState& state, int figure) const;
  static int WayOutLimit(const GameState& state, bool othersTicking);

  NetSearch search_;
  DangerMap firstBomb_;
  PathSearch walk_;
  PathSearch afterFirst_;
  std::array<Candidate, 8> candidates_{};
};

}  // namespace fl3::ai
