#pragma once
#include "core/GameState.h"
#include "match/MatchFrame.h"

namespace fl3 {

// The end test of the match's kind, made once at the end of every frame.
// `candidate` is the running winner candidate, kept from frame to frame.
FrameOutcome CheckMatchEnd(const GameState& state, int& candidate);

}  // namespace fl3
