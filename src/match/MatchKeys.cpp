#include "match/MatchKeys.h"

#include "match/FigureWalk.h"
#include "match/Planting.h"

namespace fl3 {

bool ReadMatchKeys(GameState& state, const KeyState& keys, const FigureControlSources& sources,
                   ControlFrame& applied) {
  const bool quit = KeyDown(keys, kEscapeKey);
  applied.escape = quit;
  applied.figures.fill({});
  for (int i = 0; i < FigureCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    const std::int32_t cont = state.Characters[index].Cont;
    if ((cont != ContMan && cont != ContCpu) || sources[index] == nullptr) continue;
    const FigureControls controls = sources[index]->ControlsFor(state, i);
    applied.figures[index] = controls;
    if (controls.left) Move(state, i, DirLeft);
    if (controls.up) Move(state, i, DirUp);
    if (controls.right) Move(state, i, DirRight);
    if (controls.down) Move(state, i, DirDown);
    if (controls.plant) PlantBomb(state, i);
  }
  return quit;
}

}  // namespace fl3
