#pragma once
#include <array>
#include <cstdint>

#include "core/GameState.h"
#include "quest/Quest.h"

namespace fl3 {

enum class SeatRole { Empty, Player, Opponent };

struct StageSeat {
  SeatRole role = SeatRole::Empty;
  CpuStrength strength = CpuStrength::Normal;  // opponents
  std::int32_t lives = 0;
  std::int32_t character = 0;  // row of the character sheet
  friend bool operator==(const StageSeat&, const StageSeat&) = default;
};

using StageSeats = std::array<StageSeat, FigureCount>;

// Who sits where in a stage: one player on seat 1 or two on seats 1 and 2,
// the stage's opponents in order on the seats after them (with two players
// a third opponent finds no seat and sits the stage out).
StageSeats SeatStage(const QuestStage& stage, int players, const std::array<std::int32_t, 2>& playerCharacters);

// With the stage's level loaded into the state: the kind of match and its
// time, each figure's controller and lives, and empty seats off the field,
// as the start screen sets up a match.
void PrepareStage(const QuestStage& stage, const StageSeats& seats, GameState& state);

std::array<CpuStrength, FigureCount> SeatStrengths(const StageSeats& seats);
std::array<std::int32_t, FigureCount> SeatCharacters(const StageSeats& seats);

}  // namespace fl3
