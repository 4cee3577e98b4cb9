#include "match/KeyboardAndPadControls.h"

namespace fl3 {

FigureControls WithPad(FigureControls keys, const PadControls& pad) {
  keys.left = keys.left || pad.left;
  keys.up = keys.up || pad.up;
  keys.right = keys.right || pad.right;
  keys.down = keys.down || pad.down;
  keys.plant = keys.plant || pad.plant;
  return keys;
}

FigureControls KeyboardAndPadControls::ControlsFor(const GameState& state, int figure) {
  const FigureControls controls = keyboard_.ControlsFor(state, figure);
  if (state.Characters[static_cast<std::size_t>(figure)].Cont != ContMan) return controls;
  return WithPad(controls, pads_.ControlsFor(figure));
}

bool PadAsksToLeave(const GameState& state, const GamepadSource& pads) {
  for (int figure = 0; figure < FigureCount; ++figure) {
    if (state.Characters[static_cast<std::size_t>(figure)].Cont == ContMan && pads.ControlsFor(figure).escape) return true;
  }
  return false;
}

}  // namespace fl3
