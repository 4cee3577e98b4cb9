#pragma once
#include <cstdint>

#include "ai/CpuRandom.h"
#include "match/FigureControls.h"

namespace fl3::arena {

// The yardstick: walks at random, plants next to a box, and runs in a
// straight line away from its bomb. It knows nothing of fire or chains.
class BaselineBot : public FigureControlSource {
 public:
  explicit BaselineBot(std::uint64_t seed) : random_(seed) {}

  FigureControls ControlsFor(const GameState& state, int figure) override;

 private:
  int PickOpenDirection(const GameState& state, const Character& me);

  ai::CpuRandom random_;
  int direction_ = -1;
  int runSteps_ = 0;
};

}  // namespace fl3::arena
