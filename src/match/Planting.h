#pragma once
#include "core/GameState.h"

namespace fl3 {

// Plants a bomb of figure `owner` on the cell it stands on (during a step,
// the cell it is leaving). Always false, as callers ignore it.
bool PlantBomb(GameState& state, int owner);

}  // namespace fl3
