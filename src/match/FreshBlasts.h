#pragma once
#include <array>
#include <cstdint>

#include "core/Bomb.h"
#include "core/GameState.h"

namespace fl3 {

// Tells whose fire reached a cell in one frame: remembered before the frame,
// asked after it. Fire hurts only as its bomb bursts, so the bombs that burst
// in the frame are the ones that hurt in it.
class FreshBlasts {
 public:
  // Before the frame: which bombs have not gone off yet.
  void Remember(const GameState& state);

  // After the frame: calls visit(owner) for every bomb that burst in it with
  // its fire over cell (x, y).
  template <typename Visit>
  void ForEachReaching(const GameState& state, std::int32_t x, std::int32_t y, Visit visit) const {
    for (const Bomb& bomb : state.Bombs) {
      if (BurstInFrame(bomb) && FireCovers(bomb, x, y)) visit(bomb.Owner);
    }
  }

 private:
  bool BurstInFrame(const Bomb& bomb) const;
  static bool FireCovers(const Bomb& bomb, std::int32_t x, std::int32_t y);

  std::array<bool, CellCount> unexploded_{};
};

}  // namespace fl3
