#pragma once
#include "core/GameState.h"
#include "match/FrameEvents.h"

namespace fl3 {

// Lays the bomb's cross of fire (arms left, up, right, down), burns boxes,
// cuts the fuses it reaches and hurts the figures it reaches.
void Explode(GameState& state, Bomb& bomb, FrameEvents& events);

// What a burning box leaves: its hidden item, a random one, or nothing.
// Returns the cell's new code.
std::int32_t BurntBoxCode(GameState& state, std::int32_t boxCode, std::int32_t itemCode);

}  // namespace fl3
