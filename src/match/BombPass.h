#pragma once
#include "core/GameState.h"
#include "match/FrameEvents.h"

namespace fl3 {

// Gives every bomb that was on the field when the pass began one frame, and
// removes those whose fire has gone. After a removal the pass still moves
// on, so the bomb that slid into the freed position waits a frame.
void RunBombPass(GameState& state, FrameEvents& events);

}  // namespace fl3
