#pragma once
#include <array>

#include "core/GameState.h"

namespace fl3 {

// What a player holds down for one figure in one frame.
struct FigureControls {
  bool left = false, up = false, right = false, down = false, plant = false;
  friend bool operator==(const FigureControls&, const FigureControls&) = default;
};

// Holding only the arrow of `direction` (DirLeft..DirDown); anything else holds nothing.
inline FigureControls ControlsToward(int direction) {
  FigureControls controls;
  controls.left = direction == DirLeft;
  controls.up = direction == DirUp;
  controls.right = direction == DirRight;
  controls.down = direction == DirDown;
  return controls;
}

// Decides a figure's controls: the keyboard, a gamepad or a computer player.
class FigureControlSource {
 public:
  virtual ~FigureControlSource() = default;
  virtual FigureControls ControlsFor(const GameState& state, int figure) = 0;
};

// One source per figure; a null entry leaves that figure standing still.
using FigureControlSources = std::array<FigureControlSource*, FigureCount>;

}  // namespace fl3
