#pragma once
#include "core/GameState.h"
#include "match/FrameEvents.h"

namespace fl3 {

// One frame of a bomb: fuse and animation, or its fire burning down.
// True when the fire has gone and the bomb must be removed.
bool Prepare(GameState& state, Bomb& bomb, FrameEvents& events);

// Cuts the fuse to a quarter of what is left.
void Quick(Bomb& bomb);

// The fire goes away: its cells become empty.
void Die(GameState& state, const Bomb& bomb);

}  // namespace fl3
