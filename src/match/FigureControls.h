#pragma once
#include <array>

#include "core/GameState.h"

namespace fl3 {

// What a player holds down for one figure in one frame.
struct FigureControls {
  bool left = false, up = false, right = false, down = false, plant = false;
};

// Decides a figure's controls: the keyboard, a gamepad or a computer player.
class FigureControlSource {
 public:
  virtual ~FigureControlSource() = default;
  virtual FigureControls ControlsFor(const GameState& state, int figure) = 0;
};

// One source per figure; a null entry leaves that figure standing still.
using FigureControlSources = std::array<FigureControlSource*, FigureCount>;

}  // namespace fl3
