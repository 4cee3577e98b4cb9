#include "match/KeyboardAndPadControls.h"

namespace fl3 {

FigureControls KeyboardAndPadControls::ControlsFor(const GameState& state, int figure) {
  FigureControls controls = keyboard_.ControlsFor(state, figure);
  if (state.Characters[static_cast<std::size_t>(figure)].Cont != ContMan) return controls;
  const PadControls pad = pads_.ControlsFor(figure);
  controls.left = controls.left || pad.left;
  controls.up = controls.up || pad.up;
  controls.right = controls.right || pad.right;
  controls.down = controls.down || pad.down;
  controls.plant = controls.plant || pad.plant;
  return controls;
}

bool PadAsksToLeave(const GameState& state, const GamepadSource& pads) {
  for (int figure = 0; figure < FigureCount; ++figure) {
    if (state.Characters[static_cast<std::size_t>(figure)].Cont == ContMan && pads.ControlsFor(figure).escape) return true;
  }
  return false;
}

}  // namespace fl3
