#pragma once
#include <array>

#include "core/GamepadSource.h"
#include "core/KeyState.h"
#include "match/FigureControls.h"

namespace fl3 {

// The seats a network match gives this machine: each is steered by the keys
// of one of the four key layouts and that player's pad, whichever figure the
// host gave it. Every other figure holds nothing here.
class SeatLayoutControls : public FigureControlSource {
 public:
  // Reads `keys`, which its owner refills every frame; pads may be null.
  SeatLayoutControls(const KeyState& keys, const GamepadSource* pads) : keys_(keys), pads_(pads) {}

  // Figure `figure` takes layout 0..3 (player 1..4 under Options); -1: none.
  void Steer(int figure, int layout) { layouts_[static_cast<std::size_t>(figure)] = layout; }
  FigureControls ControlsFor(const GameState& state, int figure) override;
  // Whether the pad of a layout in use asks to leave (its Start button).
  bool PadAsksToLeave() const;

 private:
  const KeyState& keys_;
  const GamepadSource* pads_;
  std::array<int, FigureCount> layouts_{-1, -1, -1, -1};
};

}  // namespace fl3
