#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "match/ControlFrame.h"
#include "match/MatchSnapshot.h"
#include "match/MatchStart.h"

namespace fl3::net {

// Plays a match from its start and control frames on a state of its own, as
// a replay plays, and gives the state after the last frame; nothing when the
// start's level cannot be read.
std::optional<MatchSnapshot> PlayBack(const MatchStart& start, const std::vector<ControlFrame>& frames);

}  // namespace fl3::net
