#include "quest/StageSeats.h"

namespace fl3 {

StageSeats SeatStage(const QuestStage& stage, int players, const std::array<std::int32_t, 2>& playerCharacters) {
  StageSeats seats{};
  const int playerSeats = players >= 2 ? 2 : 1;
  for (int i = 0; i < playerSeats; ++i) {
    seats[static_cast<std::size_t>(i)] = {SeatRole::Player, CpuStrength::Normal, stage.lives,
                                          playerCharacters[static_cast<std::size_t>(i)]};
  }
  std::size_t next = static_cast<std::size_t>(playerSeats);
  for (const QuestOpponent& opponent : stage.opponents) {
    if (next >= seats.size()) break;
    seats[next++] = {SeatRole::Opponent, opponent.strength, opponent.lives, opponent.character};
  }
  return seats;
}

void PrepareStage(const QuestStage& stage, const StageSeats& seats, GameState& state) {
  state.MatchKind = static_cast<std::int32_t>(stage.rule);
  state.TimeLeft = RuleHasTime(stage.rule) ? stage.seconds * 1000 : 0;
  for (std::size_t i = 0; i < seats.size(); ++i) {
    Character& figure = state.Characters[i];
    switch (seats[i].role) {
      case SeatRole::Empty:
        figure.Cont = ContOff;
        figure.X = figure.Y = OffMapPos;
        continue;
      case SeatRole::Player: figure.Cont = ContMan; break;
      case SeatRole::Opponent: figure.Cont = ContCpu; break;
    }
    // Most kills counts every figure's kills from 0.
    figure.Lives = stage.rule == StageRule::MostKills ? 0 : seats[i].lives;
  }
}

std::array<CpuStrength, FigureCount> SeatStrengths(const StageSeats& seats) {
  std::array<CpuStrength, FigureCount> strengths{};
  for (std::size_t i = 0; i < seats.size(); ++i) strengths[i] = seats[i].strength;
  return strengths;
}

std::array<std::int32_t, FigureCount> SeatCharacters(const StageSeats& seats) {
  std::array<std::int32_t, FigureCount> characters{};
  for (std::size_t i = 0; i < seats.size(); ++i) characters[i] = seats[i].character;
  return characters;
}

}  // namespace fl3
