#include "match/KeyboardControls.h"

namespace fl3 {

FigureControls ControlsFromKeys(const KeyState& keys, const KeyLayout& layout) {
  return {KeyDown(keys, layout.keyLeft), KeyDown(keys, layout.keyUp), KeyDown(keys, layout.keyRight),
          KeyDown(keys, layout.keyDown), KeyDown(keys, layout.keyPlantBomb)};
}

FigureControls KeyboardControls::ControlsFor(const GameState& state, int figure) {
  const Character& character = state.Characters[static_cast<std::size_t>(figure)];
  if (character.Cont != ContMan) return {};
  return ControlsFromKeys(keys_, character.Keys);
}

}  // namespace fl3
