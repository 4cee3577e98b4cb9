#include "match/KeyboardControls.h"

namespace fl3 {

FigureControls KeyboardControls::ControlsFor(const GameState& state, int figure) {
  const Character& character = state.Characters[static_cast<std::size_t>(figure)];
  if (character.Cont != ContMan) return {};
  const KeyState& keys = keys_;
  const KeyLayout& layout = character.Keys;
  return {KeyDown(keys, layout.keyLeft), KeyDown(keys, layout.keyUp), KeyDown(keys, layout.keyRight),
          KeyDown(keys, layout.keyDown), KeyDown(keys, layout.keyPlantBomb)};
}

}  // namespace fl3
