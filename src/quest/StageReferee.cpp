#include "quest/StageReferee.h"

namespace fl3 {
namespace {

void RememberFigures(const GameState& state, std::array<std::int32_t, FigureCount>& lives,
                     std::array<std::int32_t, FigureCount>& xs, std::array<std::int32_t, FigureCount>& ys) {
  for (std::size_t i = 0; i < lives.size(); ++i) {
    lives[i] = state.Characters[i].Lives;
    xs[i] = state.Characters[i].X;
    ys[i] = state.Characters[i].Y;
  }
}

}  // namespace

StageReferee::StageReferee(const QuestStage& stage, const StageSeats& seats, const GameState& stateAtStart)
    : stage_(stage), seats_(seats) {
  RememberFigures(stateAtStart, livesBefore_, xBefore_, yBefore_);
  blasts_.Remember(stateAtStart);
}

bool StageReferee::AfterFrame(const GameState& state, const FrameOutcome& outcome) {
  if (verdict_ == StageVerdict::Playing) {
    tally_.ms += state.FrameTime;
    CountKills(state);
    verdict_ = JudgeStage(stage_, seats_, state);
  }
  RememberFigures(state, livesBefore_, xBefore_, yBefore_);
  blasts_.Remember(state);
  return verdict_ != StageVerdict::Playing && outcome.end == MatchEnd::Running;
}

// Most kills keeps the count itself; otherwise a life an opponent lost counts
// when a player's bomb burst over it in that frame.
void StageReferee::CountKills(const GameState& state) {
  if (stage_.rule == StageRule::MostKills) {
    tally_.kills = 0;
    for (std::size_t i = 0; i < seats_.size(); ++i) {
      if (seats_[i].role == SeatRole::Player) tally_.kills += state.Characters[i].Lives;
    }
    return;
  }
  for (std::size_t i = 0; i < seats_.size(); ++i) {
    const std::int32_t lost = livesBefore_[i] - state.Characters[i].Lives;
    if (seats_[i].role != SeatRole::Opponent || lost <= 0) continue;
    bool byPlayer = false;
    blasts_.ForEachReaching(state, xBefore_[i], yBefore_[i], [&](std::int32_t owner) {
      byPlayer |= owner >= 0 && owner < FigureCount && seats_[static_cast<std::size_t>(owner)].role == SeatRole::Player;
    });
    if (byPlayer) tally_.kills += lost;
  }
}

}  // namespace fl3
