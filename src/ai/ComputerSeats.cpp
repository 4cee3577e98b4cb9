#include "ai/ComputerSeats.h"

namespace fl3 {

ComputerSeats::ComputerSeats(const GameState& state, CpuStrength strength, std::uint64_t matchSeed) {
  for (int i = 0; i < FigureCount; ++i) {
    if (state.Characters[static_cast<std::size_t>(i)].Cont != ContCpu) continue;
    // Spread the seeds so that figures of one match never share dice.
    const std::uint64_t seed = matchSeed * 4 + static_cast<std::uint64_t>(i) + 1;
    players_[static_cast<std::size_t>(i)] = std::make_unique<ComputerPlayer>(strength, seed);
  }
}

}  // namespace fl3
