#include "match/BombPass.h"

#include "match/BombLife.h"

namespace fl3 {

void RunBombPass(GameState& state, FrameEvents& events) {
  const int count = state.Bombs.Count();
  for (int position = 1; position <= count; ++position) {
    if (position > state.Bombs.Count()) continue;
    if (Prepare(state, state.Bombs.Item(position), events)) state.Bombs.Remove(position);
  }
}

}  // namespace fl3
