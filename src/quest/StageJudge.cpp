#include "quest/StageJudge.h"

#include <algorithm>
#include <limits>

namespace fl3 {
namespace {

struct Sides {
  bool playersStanding = false;
  bool opponentsStanding = false;
  std::int64_t players = 0;  // the players' kills or lives together
  std::int64_t bestOpponent = std::numeric_limits<std::int64_t>::min();
};

Sides Count(const StageSeats& seats, const GameState& state) {
  Sides sides;
  for (std::size_t i = 0; i < seats.size(); ++i) {
    const Character& figure = state.Characters[i];
    if (seats[i].role == SeatRole::Player) {
      sides.playersStanding |= figure.InPlay();
      sides.players += figure.Lives;
    } else if (seats[i].role == SeatRole::Opponent) {
      sides.opponentsStanding |= figure.InPlay();
      sides.bestOpponent = std::max<std::int64_t>(sides.bestOpponent, figure.Lives);
    }
  }
  return sides;
}

// Whichever side is still standing when the other is not.
StageVerdict LastSideStanding(const Sides& sides) {
  if (sides.playersStanding && sides.opponentsStanding) return StageVerdict::Playing;
  if (sides.playersStanding) return StageVerdict::Won;
  return sides.opponentsStanding ? StageVerdict::Lost : StageVerdict::Draw;
}

StageVerdict MoreThanEveryOpponent(const Sides& sides) {
  if (sides.players > sides.bestOpponent) return StageVerdict::Won;
  return sides.players < sides.bestOpponent ? StageVerdict::Lost : StageVerdict::Draw;
}

}  // namespace

StageVerdict JudgeStage(const QuestStage& stage, const StageSeats& seats, const GameState& state) {
  const Sides sides = Count(seats, state);
  const bool timeUp = state.TimeLeft <= 0;
  switch (stage.rule) {
    case StageRule::DefeatAll: return LastSideStanding(sides);
    case StageRule::MostKills:
      if (stage.kills > 0) {
        if (sides.players >= stage.kills) return StageVerdict::Won;
        return timeUp ? StageVerdict::Lost : StageVerdict::Playing;
      }
      return timeUp ? MoreThanEveryOpponent(sides) : StageVerdict::Playing;
    case StageRule::Outlast:
      if (const StageVerdict early = LastSideStanding(sides); early != StageVerdict::Playing) return early;
      return timeUp ? MoreThanEveryOpponent(sides) : StageVerdict::Playing;
  }
  return StageVerdict::Playing;
}

}  // namespace fl3
