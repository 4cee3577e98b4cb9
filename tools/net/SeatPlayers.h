#pragma once
#include <cstdint>
#include <memory>

#include "ai/ComputerPlayer.h"
#include "match/MatchStart.h"

namespace fl3::netlab {

// The computer player of a figure: the same on every machine that plays it,
// from the match's seed.
inline std::unique_ptr<ComputerPlayer> PlayerFor(const MatchStart& start, int figure) {
  const std::uint64_t seed = start.cpuSeed * 4 + static_cast<std::uint64_t>(figure) + 1;
  return std::make_unique<ComputerPlayer>(static_cast<CpuStrength>(start.cpuStrength), seed);
}

}  // namespace fl3::netlab
