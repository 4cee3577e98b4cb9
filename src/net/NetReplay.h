#pragma once
#include <cstdint>
#include <vector>

#include "net/NetMatch.h"
#include "replay/Replay.h"

namespace fl3::net {

// A network match as a normal replay: its start and the first `frames` of
// its standing controls, played once more on a state of its own to record
// the hashes as the game's own recorder does.
Replay ReplayOf(const MatchStart& start, const std::vector<ControlFrame>& controls, std::size_t frames, MatchEnd end,
                int winner, std::int64_t recordedAtSeconds);

// The match this machine played, to its end (or as far as it stands).
Replay ReplayOf(const NetMatch& match, std::int64_t recordedAtSeconds);

}  // namespace fl3::net
