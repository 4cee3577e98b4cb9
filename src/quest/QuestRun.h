#pragma once
#include <cstdint>
#include <vector>

#include "quest/Quest.h"
#include "quest/StageReferee.h"

namespace fl3 {

// One stage as it was played in a run.
struct StagePlayed {
  int stage = 0;  // from 0
  StageVerdict verdict = StageVerdict::Playing;
  StageTally tally;
};

// One run through a quest, from the stage it began at: the stage to play,
// the tries left, and every stage played.
class QuestRun {
 public:
  enum class Next { Stage, SameStageAgain, QuestOver, QuestFinished };

  QuestRun(const Quest& quest, int firstStage);

  int Stage() const { return stage_; }
  int FirstStage() const { return firstStage_; }
  int StageCount() const { return stageCount_; }
  std::int32_t TriesLeft() const { return triesLeft_; }
  bool Over() const { return over_; }
  bool Finished() const { return finished_; }

  // A won stage opens the next one (the last one finishes the quest); a lost
  // one costs a try and is played again until no try is left; a draw is
  // played again at no cost. A stage left with Escape and played again is
  // not recorded at all.
  Next Record(StageVerdict verdict, const StageTally& tally);
  // A stage that cannot be played (its level has gone) is passed over: the
  // next one opens and nothing is recorded; after the last one the run is
  // over without being finished.
  Next PassOver();

  const std::vector<StagePlayed>& Played() const { return played_; }
  int StagesWon() const;
  // Game time of the stages won.
  std::int64_t WonMs() const;

 private:
  int stageCount_;
  int firstStage_;
  int stage_;
  std::int32_t triesLeft_;
  bool over_ = false;
  bool finished_ = false;
  std::vector<StagePlayed> played_;
};

}  // namespace fl3
