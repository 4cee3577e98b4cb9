#include "quest/QuestRun.h"

#include <algorithm>

namespace fl3 {

QuestRun::QuestRun(const Quest& quest, int firstStage)
    : stageCount_(static_cast<int>(quest.stages.size())),
      firstStage_(std::clamp(firstStage, 0, std::max(0, stageCount_ - 1))),
      stage_(firstStage_),
      triesLeft_(quest.tries) {}

QuestRun::Next QuestRun::Record(StageVerdict verdict, const StageTally& tally) {
  if (over_ || verdict == StageVerdict::Playing) return over_ ? Next::QuestOver : Next::SameStageAgain;
  played_.push_back({stage_, verdict, tally});
  switch (verdict) {
    case StageVerdict::Won:
      if (++stage_ < stageCount_) return Next::Stage;
      stage_ = stageCount_ - 1;
      over_ = finished_ = true;
      return Next::QuestFinished;
    case StageVerdict::Lost:
      if (--triesLeft_ > 0) return Next::SameStageAgain;
      over_ = true;
      return Next::QuestOver;
    default: return Next::SameStageAgain;
  }
}

QuestRun::Next QuestRun::PassOver() {
  if (over_) return Next::QuestOver;
  if (++stage_ < stageCount_) return Next::Stage;
  stage_ = stageCount_ - 1;
  over_ = true;
  return Next::QuestOver;
}

int QuestRun::StagesWon() const {
  return static_cast<int>(
      std::count_if(played_.begin(), played_.end(), [](const StagePlayed& p) { return p.verdict == StageVerdict::Won; }));
}

std::int64_t QuestRun::WonMs() const {
  std::int64_t ms = 0;
  for (const StagePlayed& p : played_) ms += p.verdict == StageVerdict::Won ? p.tally.ms : 0;
  return ms;
}

}  // namespace fl3
