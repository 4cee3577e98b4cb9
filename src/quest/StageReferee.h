#pragma once
#include <cstdint>

#include "match/FreshBlasts.h"
#include "match/MatchFrame.h"
#include "quest/StageJudge.h"

namespace fl3 {

// What a stage's result tells besides won or lost.
struct StageTally {
  std::int64_t ms = 0;     // game time until the verdict
  std::int32_t kills = 0;  // the players' kills: lives their fire took from opponents
};

// Watches a stage's match frame by frame: judges it, counts its time and the
// players' kills. The match itself ends by its own rules; where the verdict
// falls while those rules would play on (two allies left standing, the
// stage's kills reached), the owner ends the match with Escape in the next
// frame, so that its replay, which records that Escape, plays the same.
class StageReferee {
 public:
  StageReferee(const QuestStage& stage, const StageSeats& seats, const GameState& stateAtStart);

  // After every frame. True while the owner should end the match now.
  bool AfterFrame(const GameState& state, const FrameOutcome& outcome);

  // Playing until a verdict fell, also after the players left with Escape.
  StageVerdict Verdict() const { return verdict_; }
  const StageTally& Tally() const { return tally_; }

 private:
  void CountKills(const GameState& state);

  QuestStage stage_;
  StageSeats seats_;
  std::array<std::int32_t, FigureCount> livesBefore_{};
  std::array<std::int32_t, FigureCount> xBefore_{}, yBefore_{};
  FreshBlasts blasts_;
  StageVerdict verdict_ = StageVerdict::Playing;
  StageTally tally_;
};

}  // namespace fl3
