#pragma once
#include "core/GameState.h"
#include "core/KeyState.h"
#include "match/ControlFrame.h"
#include "match/FigureControls.h"

namespace fl3 {

// The frame's control handling: every MAN or CPU figure with a source, in
// figure order, is asked for its controls just before they are applied
// (left, up, right, down, plant), so each decision sees the moves of the
// figures before it. True when Escape asks to end the match. `applied`
// receives what each figure held and whether Escape was held.
bool ReadMatchKeys(GameState& state, const KeyState& keys, const FigureControlSources& sources,
                   ControlFrame& applied);

}  // namespace fl3
