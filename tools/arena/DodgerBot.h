#pragma once
#include <cstdint>

#include "ai/CpuRandom.h"
#include "ai/DangerMap.h"
#include "ai/PathSearch.h"
#include "match/FigureControls.h"

namespace fl3::arena {

// A quick beginner who never plants: it steps out of a blast once the bomb
// has a second left, and otherwise stands or strolls among the cells it can
// reach. It reads the field the way the computer player does.
class DodgerBot : public FigureControlSource {
 public:
  explicit DodgerBot(std::uint64_t seed);

  FigureControls ControlsFor(const GameState& state, int figure) override;

 private:
  int PickStroll();

  ai::CpuRandom random_;
  ai::DangerSight sight_;
  ai::DangerMap danger_;
  ai::PathSearch paths_;
  int goal_ = -1;
};

}  // namespace fl3::arena
