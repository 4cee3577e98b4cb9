#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "ai/ComputerPlayer.h"

namespace fl3 {

// The computer players of one match: one for every figure on CPU when the
// match starts, each with dice of its own drawn from the match's seed.
class ComputerSeats {
 public:
  ComputerSeats(const GameState& state, CpuStrength strength, std::uint64_t matchSeed);
  // Each figure's player at a strength of its own (a quest's opponents).
  ComputerSeats(const GameState& state, const std::array<CpuStrength, FigureCount>& strengths,
                std::uint64_t matchSeed);

  // The figure's computer player, or null when it is not on CPU.
  ComputerPlayer* For(int figure) const { return players_[static_cast<std::size_t>(figure)].get(); }

  // Hands every computer player to whatever runs the match.
  template <typename Match>
  void SeatOn(Match& match) const {
    for (int i = 0; i < FigureCount; ++i) {
      if (ComputerPlayer* player = For(i)) match.SetControlSource(i, player);
    }
  }

 private:
  std::array<std::unique_ptr<ComputerPlayer>, FigureCount> players_;
};

}  // namespace fl3
