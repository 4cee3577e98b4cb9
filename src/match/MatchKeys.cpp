#include "match/MatchKeys.h"

#include "match/FigureWalk.h"
#include "match/Planting.h"

namespace fl3 {

bool ReadMatchKeys(GameState& state, const KeyState& keys) {
  const bool quit = KeyDown(keys, kEscapeKey);
  for (int i = 0; i < FigureCount; ++i) {
    const Character& figure = state.Characters[static_cast<std::size_t>(i)];
    if (figure.Cont != ContMan) continue;
    const KeyLayout& layout = figure.Keys;
    if (KeyDown(keys, layout.keyLeft)) Move(state, i, DirLeft);
    if (KeyDown(keys, layout.keyUp)) Move(state, i, DirUp);
    if (KeyDown(keys, layout.keyRight)) Move(state, i, DirRight);
    if (KeyDown(keys, layout.keyDown)) Move(state, i, DirDown);
    if (KeyDown(keys, layout.keyPlantBomb)) PlantBomb(state, i);
  }
  return quit;
}

}  // namespace fl3
