#pragma once
#include "core/GameState.h"
#include "core/KeyState.h"

namespace fl3 {

// The frame's keyboard handling: every MAN figure's five keys in the order
// left, up, right, down, plant. True when Escape asks to end the match.
bool ReadMatchKeys(GameState& state, const KeyState& keys);

}  // namespace fl3
