#include "ai/ComputerSeats.h"

namespace fl3 {

ComputerSeats::ComputerSeats(const GameState& state, CpuStrength strength, std::uint64_t matchSeed)
    : ComputerSeats(state, {strength, strength, strength, strength}, matchSeed) {}

ComputerSeats::ComputerSeats(const GameState& state, const std::array<CpuStrength, FigureCount>& strengths,
                             std::uint64_t matchSeed) {
  for (int i = 0; i < FigureCount; ++i) {
    const auto figure = static_cast<std::size_t>(i);
    if (state.Characters[figure].Cont != ContCpu) continue;
    // Spread the seeds so that figures of one match never share dice.
    const std::uint64_t seed = matchSeed * 4 + static_cast<std::uint64_t>(i) + 1;
    players_[figure] = std::make_unique<ComputerPlayer>(strengths[figure], seed);
  }
}

}  // namespace fl3
