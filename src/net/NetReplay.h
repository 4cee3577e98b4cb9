#pragma once
#include <cstdint>
#include <vector>

#include "net/NetMatch.h"
#include "net/WireMessages.h"
#include "replay/Replay.h"

namespace fl3::net {

// A network match as a normal replay: its start and the first `frames` of
// its standing controls, played once more on a state of its own to record
// the hashes as the game's own recorder does.
Replay ReplayOf(const MatchStart& start, const std::vector<ControlFrame>& controls, std::size_t frames, MatchEnd end,
                int winner, std::int64_t recordedAtSeconds);

// The match this machine played, to its end (or as far as it stands).
Replay ReplayOf(const NetMatch& match, std::int64_t recordedAtSeconds);

// Marks the replay as a network match (watched, on a spectator's machine)
// and names each seat as the lobby last did; computer seats stay nameless.
void NameNetworkReplay(Replay& replay, const Lobby& lobby, bool watched);

}  // namespace fl3::net
